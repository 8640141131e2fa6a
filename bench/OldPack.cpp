// The packer as it was before this work, kept only so that the benchmark prints its figures
// beside the current ones in the same run.
#include "bench/OldPack.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "expand/LzsFormat.h"
#include "tools/lzsMatch.h"

// Works on the extended text E = 4096 zeros + data, where the byte at output position p is
// E[p + 4096]. A match at P with distance D (1..4096 bytes back) reads E[P-D...] up to the
// ring index, then continues with what the ring index held, E[P-4096...]. Distances of 19 or
// more never reach the ring index: those come from exact hash chains, one per length, that
// hold only positions at least 19 back. The 18 shorter distances are tried directly.
namespace {
constexpr int Window = LzsWindowSize;
constexpr int Lengths = LzsMaxMatch - LzsMinMatch + 1;
constexpr int HashBits = 12;
constexpr int Padding = 24;
// Length 19 at window index 3840 or above would need X = 0xFF.
constexpr int MaxIndexOfLongest = 3840;

class TChains {
public:
  // Empty heads are -1; a link is only read after its position was inserted.
  explicit TChains(const std::vector<std::uint8_t>& text) : E(text) {
    std::memset(FHead, 0xFF, sizeof FHead);
  }

  // buckets: those of the prefixes of E[s..s+19), from PrefixHashes.
  void Insert(std::int32_t s, const std::uint32_t* buckets) {
    int last = (s & (Window - 1)) < MaxIndexOfLongest ? LzsMaxMatch : LzsMaxMatch - 1;
    for (int len = LzsMinMatch; len <= last; ++len) {
      std::int32_t& head = FHead[len - LzsMinMatch][buckets[len]];
      FPrev[len - LzsMinMatch][s & (Window - 1)] = head;
      head = s;
    }
  }

  // Most recent start of E[at..at+len) among the positions inserted and within the window.
  std::int32_t Find(std::int32_t at, int len, std::uint32_t bucket) const {
    int row = len - LzsMinMatch;
    for (std::int32_t s = FHead[row][bucket]; s >= 0 && s >= at - Window;
         s = FPrev[row][s & (Window - 1)])
      if (std::memcmp(&E[s], &E[at], len) == 0) return s;
    return -1;
  }

  // Bucket of every prefix E[at..at+len), 4 <= len <= count, into buckets[len]. Whole words
  // instead of a byte-by-byte chain keep the multiplications independent of each other.
  void PrefixHashes(std::int32_t at, int count, std::uint32_t* buckets) const {
    std::uint64_t a = Word(at), b = Word(at + 8), c = Word(at + 16);
    int len = LzsMinMatch;
    for (; len <= count && len <= 8; ++len) buckets[len] = Bucket(a & Mask(len));
    for (; len <= count && len <= 16; ++len) buckets[len] = Bucket(a ^ (b & Mask(len - 8)) * K2);
    std::uint64_t ab = a ^ b * K2;
    for (; len <= count; ++len) buckets[len] = Bucket(ab ^ (c & Mask(len - 16)) * K3);
  }

private:
  static constexpr std::uint64_t K1 = 0x9E3779B97F4A7C15u, K2 = 0xC2B2AE3D27D4EB4Fu,
                                  K3 = 0x165667B19E3779F9u;
  static std::uint64_t Mask(int bytes) { return bytes >= 8 ? ~0ull : (1ull << (8 * bytes)) - 1; }
  static std::uint32_t Bucket(std::uint64_t h) {
    return std::uint32_t((h * K1) >> (64 - HashBits));
  }
  // The masks keep the first bytes of a word on our little-endian targets. The text carries
  // padding behind its end for these reads.
  std::uint64_t Word(std::int32_t at) const {
    std::uint64_t w;
    std::memcpy(&w, &E[at], sizeof w);
    return w;
  }

  const std::vector<std::uint8_t>& E;
  std::int32_t FHead[Lengths][1 << HashBits];
  std::int32_t FPrev[Lengths][Window];
};

// Distances below 19, whose span may cross the ring index.
TLzsMatch ShortDistances(const std::vector<std::uint8_t>& E, std::int32_t P, int limit) {
  TLzsMatch best;
  for (int d = 1; d < LzsMaxMatch; ++d) {
    if (E[P - d] != E[P]) continue;
    int len = 0;
    while (len < limit) {
      std::int32_t from = len < d ? P - d + len : P - Window + len - d;
      if (E[from] != E[P + len]) break;
      ++len;
    }
    int index = (P - d) & (Window - 1);
    if (len == LzsMaxMatch && index >= MaxIndexOfLongest) len = LzsMaxMatch - 1;
    if (len > best.Length) best = {std::uint8_t(len), std::uint16_t(index)};
  }
  return best;
}

std::vector<TLzsMatch> OldLongestMatches(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> E(Window + size + Padding, 0);
  if (size) std::memcpy(&E[Window], data, size);
  auto chains = std::make_unique<TChains>(E);
  std::vector<TLzsMatch> result(size);
  const std::int32_t end = std::int32_t(Window + size);
  // Buckets of the last positions looked up, reused when they are inserted 19 positions later.
  constexpr int Recent = 32;
  std::uint32_t recent[Recent][LzsMaxMatch + 1];
  std::int32_t inserted = 0;
  // A match at distance D >= its length L continues at the next position with L - 1 bytes.
  TLzsMatch carried;
  std::int32_t carriedDistance = 0;
  for (std::int32_t P = Window; P < end; ++P) {
    for (; inserted + LzsMaxMatch <= P; ++inserted) {
      std::uint32_t* hashes = recent[inserted % Recent];
      if (inserted < Window) chains->PrefixHashes(inserted, LzsMaxMatch, hashes);
      chains->Insert(inserted, hashes);
    }
    int limit = std::min(LzsMaxMatch, end - P);
    std::uint32_t* hashes = recent[P % Recent];
    chains->PrefixHashes(P, limit, hashes);
    if (limit < LzsMinMatch) continue;
    TLzsMatch best = ShortDistances(E, P, limit);
    std::int32_t distance = 0;
    if (carried.Length > best.Length) {
      best = carried;
      distance = carriedDistance;
    }
    // A match of some length holds all shorter ones at the same start: gallop up from the
    // shortest length that would help, then halve the last gap.
    bool galloping = true;
    for (int lo = std::max<int>(best.Length + 1, LzsMinMatch), hi = limit, step = 1; lo <= hi;) {
      int mid = galloping ? std::min(lo + step - 1, hi) : (lo + hi) / 2;
      std::int32_t s = chains->Find(P, mid, hashes[mid]);
      if (s < 0) {
        hi = mid - 1;
        galloping = false;
      } else {
        best = {std::uint8_t(mid), std::uint16_t(s & (Window - 1))};
        distance = P - s;
        lo = mid + 1;
        step *= 2;
      }
    }
    result[P - Window] = best;
    carried = {};
    if (distance >= best.Length && best.Length > LzsMinMatch)
      carried = {std::uint8_t(best.Length - 1), std::uint16_t((best.Index + 1) & (Window - 1))};
    carriedDistance = distance;
  }
  return result;
}

constexpr int MatchCost = 3;
int LiteralCost(std::uint8_t b) { return b == LzsEscape ? 2 : 1; }
}  // namespace

std::string OldPackBody(const std::string& data) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
  const std::size_t n = data.size();
  std::vector<TLzsMatch> matches = OldLongestMatches(bytes, n);
  // Cheapest encoding of each suffix; the window depends on the data alone, not on the parse.
  std::vector<std::uint32_t> cost(n + 1, 0);
  std::vector<std::uint8_t> step(n, 1);
  for (std::size_t p = n; p-- > 0;) {
    cost[p] = cost[p + 1] + LiteralCost(bytes[p]);
    for (int len = LzsMinMatch; len <= matches[p].Length; ++len)
      if (MatchCost + cost[p + len] < cost[p]) {
        cost[p] = MatchCost + cost[p + len];
        step[p] = std::uint8_t(len);
      }
  }
  std::string body;
  body.reserve(cost[0]);
  for (std::size_t p = 0; p < n; p += step[p]) {
    if (step[p] == 1) {
      body += char(bytes[p]);
      if (bytes[p] == LzsEscape) body += char(LzsLiteralEscape);
    } else {
      int index = matches[p].Index;
      body += char(LzsEscape);
      body += char((step[p] - LzsMinMatch) << 4 | index >> 8);
      body += char(index & 0xFF);
    }
  }
  return body;
}


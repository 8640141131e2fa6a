#include "tools/lzsMatch.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "expand/LzsFormat.h"

// Works on the extended text E = 4096 zeros + data, where the byte at output position p is
// E[p + 4096]. A match at P with distance D (1..4096 bytes back) reads E[P-D...] up to the
// ring index, then continues with what the ring index held, E[P-4096...]. Distances of 19 or
// more never reach the ring index: those come from exact hash chains, one per length, that
// hold only positions at least 19 back. The 18 shorter distances are tried directly.
namespace {
constexpr int Window = LzsWindowSize;
constexpr int Lengths = LzsMaxMatch - LzsMinMatch + 1;
constexpr int HashBits = 12;
constexpr int Padding = 32;
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
    std::int32_t* prev = FPrev[s & (Window - 1)];
    for (int len = LzsMinMatch; len < LzsMaxMatch; ++len) {
      std::int32_t& head = FHead[len - LzsMinMatch][buckets[len]];
      prev[len - LzsMinMatch] = head;
      head = s;
    }
    if ((s & (Window - 1)) < MaxIndexOfLongest) {
      std::int32_t& head = FHead[LzsMaxMatch - LzsMinMatch][buckets[LzsMaxMatch]];
      prev[LzsMaxMatch - LzsMinMatch] = head;
      head = s;
    }
  }

  // Most recent start of E[at..at+len) among the positions inserted and within the window.
  std::int32_t Find(std::int32_t at, int len, std::uint32_t bucket) const {
    int row = len - LzsMinMatch;
    for (std::int32_t s = FHead[row][bucket]; s >= 0 && s >= at - Window;
         s = FPrev[s & (Window - 1)][row])
      if (Equal(s, at, len)) return s;
    return -1;
  }

  // Bucket of every prefix E[at..at+len), 4 <= len <= 19, into buckets[len]; near the end of
  // the text some are of the padding and go unused. A sum of whole words, each multiplied by
  // its own odd constant, needs one multiplication per length and no chain between lengths.
  void PrefixHashes(std::int32_t at, std::uint32_t* buckets) const {
    std::uint64_t a = Word(at), b = Word(at + 8), c = Word(at + 16);
    for (int len = LzsMinMatch; len <= 8; ++len) buckets[len] = Bucket((a & Mask(len)) * K1);
    std::uint64_t ha = a * K1;
    for (int len = 9; len <= 16; ++len) buckets[len] = Bucket(ha + (b & Mask(len - 8)) * K2);
    std::uint64_t hab = ha + b * K2;
    for (int len = 17; len <= LzsMaxMatch; ++len)
      buckets[len] = Bucket(hab + (c & Mask(len - 16)) * K3);
  }

  // How many of the bytes at a and at b agree, up to count (at most 24), in whole words.
  int Agree(std::int32_t a, std::int32_t b, int count) const {
    for (int k = 0; k < count; k += 8)
      if (std::uint64_t x = Word(a + k) ^ Word(b + k))
        return std::min(count, k + __builtin_ctzll(x) / 8);
    return count;
  }

private:
  static constexpr std::uint64_t K1 = 0x9E3779B97F4A7C15u, K2 = 0xC2B2AE3D27D4EB4Fu,
                                  K3 = 0x165667B19E3779F9u;
  static std::uint64_t Mask(int bytes) { return bytes >= 8 ? ~0ull : (1ull << (8 * bytes)) - 1; }
  static std::uint32_t Bucket(std::uint64_t h) { return std::uint32_t(h >> (64 - HashBits)); }
  // The masks keep the first bytes of a word on our little-endian targets. The text carries
  // padding behind its end for these reads.
  std::uint64_t Word(std::int32_t at) const {
    std::uint64_t w;
    std::memcpy(&w, &E[at], sizeof w);
    return w;
  }
  // E[a..a+len) = E[b..b+len), len <= 24, in whole words.
  bool Equal(std::int32_t a, std::int32_t b, int len) const {
    for (int k = 0; k < len; k += 8)
      if ((Word(a + k) ^ Word(b + k)) & Mask(len - k)) return false;
    return true;
  }

  const std::vector<std::uint8_t>& E;
  // A run of one byte value has its prefixes in the same bucket of every row: the rows are
  // padded so that they are not a multiple of 4 KiB apart, where loads would wait on the
  // other rows' stores.
  std::int32_t FHead[Lengths][(1 << HashBits) + 16];
  // The links of one position for all lengths share a cache line.
  std::int32_t FPrev[Window][Lengths];
};

// The bytes of w equal to the byte c, as their top bits (exact, no carries between bytes).
std::uint64_t EqualBytes(std::uint64_t w, std::uint8_t c) {
  constexpr std::uint64_t Low7 = 0x7F7F7F7F7F7F7F7Full;
  std::uint64_t v = w ^ (c * 0x0101010101010101ull);
  return ~(((v & Low7) + Low7) | v | Low7);
}

// Distances below 19, whose span may cross the ring index. Only the distances whose first byte
// agrees are followed up, nearest first, until the longest possible.
TLzsMatch ShortDistances(const std::vector<std::uint8_t>& E, std::int32_t P, int limit) {
  auto word = [&](std::int32_t at) {
    std::uint64_t w;
    std::memcpy(&w, &E[at], sizeof w);
    return w;
  };
  // Bit d - 1 for distance d: bytes P-8..P-1, P-16..P-9 and P-18..P-17, nearest at the top.
  std::uint64_t near = EqualBytes(word(P - 8), E[P]), middle = EqualBytes(word(P - 16), E[P]);
  std::uint64_t far = EqualBytes(word(P - 18), E[P]) & 0x8080;
  // Bytes from a and b that agree, up to count (at most 24), in whole words.
  auto agree = [&](std::int32_t a, std::int32_t b, int count) {
    for (int k = 0; k < count; k += 8)
      if (std::uint64_t x = word(a + k) ^ word(b + k))
        return std::min(count, k + __builtin_ctzll(x) / 8);
    return count;
  };
  TLzsMatch best;
  auto follow = [&](int d) {
    // The first d bytes come from d back, the rest from what the ring index held.
    int len = agree(P - d, P, std::min(d, limit));
    if (len == d && len < limit) len += agree(P - Window, P + d, limit - d);
    int index = (P - d) & (Window - 1);
    if (len == LzsMaxMatch && index >= MaxIndexOfLongest) len = LzsMaxMatch - 1;
    if (len > best.Length) best = {std::uint8_t(len), std::uint16_t(index)};
    return len == limit;
  };
  for (; near; near &= ~(std::uint64_t(1) << (63 - __builtin_clzll(near))))
    if (follow(8 - (63 - __builtin_clzll(near)) / 8)) return best;
  for (; middle; middle &= ~(std::uint64_t(1) << (63 - __builtin_clzll(middle))))
    if (follow(16 - (63 - __builtin_clzll(middle)) / 8)) return best;
  for (; far; far &= ~(std::uint64_t(1) << (63 - __builtin_clzll(far))))
    if (follow(18 - (63 - __builtin_clzll(far)) / 8)) return best;
  return best;
}
}  // namespace

std::vector<TLzsMatch> LzsLongestMatches(const std::uint8_t* data, std::size_t size) {
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
      if (inserted < Window) chains->PrefixHashes(inserted, hashes);
      chains->Insert(inserted, hashes);
    }
    int limit = std::min(LzsMaxMatch, end - P);
    std::uint32_t* hashes = recent[P % Recent];
    chains->PrefixHashes(P, hashes);
    if (limit < LzsMinMatch) continue;
    TLzsMatch best = ShortDistances(E, P, limit);
    std::int32_t distance = 0;
    if (carried.Length > best.Length) {
      best = carried;
      distance = carriedDistance;
    }
    // A match of some length holds all shorter ones at the same start: gallop up from the
    // shortest length that would help, then halve the last gap. A match found may reach
    // further than asked, and the search goes on from there.
    bool galloping = true;
    for (int lo = std::max<int>(best.Length + 1, LzsMinMatch), hi = limit, step = 1; lo <= hi;) {
      int mid = galloping ? std::min(lo + step - 1, hi) : (lo + hi) / 2;
      std::int32_t s = chains->Find(P, mid, hashes[mid]);
      if (s < 0) {
        hi = mid - 1;
        galloping = false;
      } else {
        int reach = chains->Agree(s, P, limit);
        if (reach == LzsMaxMatch && (s & (Window - 1)) >= MaxIndexOfLongest) --reach;
        best = {std::uint8_t(reach), std::uint16_t(s & (Window - 1))};
        distance = P - s;
        lo = reach + 1;
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

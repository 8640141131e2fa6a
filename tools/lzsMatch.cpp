#include "tools/lzsMatch.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "expand/LzsFormat.h"

// Works on the extended text E = 4096 zeros + data, where the byte at output position p is
// E[p + 4096]. A match at P with distance D (1..4096 bytes back) reads E[P-D...] up to the
// ring index, then continues with what the ring index held, E[P-4096...]. Distances of 19 or
// more never reach the ring index: those come from binary trees of the positions at least 19
// back, ordered by their next 19 bytes. The 18 shorter distances are tried directly.
namespace {
constexpr int Window = LzsWindowSize;
constexpr int Key = LzsMaxMatch;
constexpr int HashBits = 16;
constexpr int Padding = 32;
constexpr std::int32_t None = -1;
// Length 19 at window index 3840 or above would need X = 0xFF.
constexpr int MaxIndexOfLongest = 3840;

// One tree per hash of the first 4 bytes, its root the newest position. Equal keys are ordered
// by position, so a parent is always newer than its children: the positions still in the
// window form the top of each tree, and a search stops at the first one that has left it.
class TTrees {
public:
  explicit TTrees(const std::vector<std::uint8_t>& text) : E(text) {
    std::fill(std::begin(FRoot), std::end(FRoot), None);
  }

  // Makes s the root of its tree; positions before lo are dropped on the way.
  void Insert(std::int32_t s, std::int32_t lo) {
    std::int32_t& root = FRoot[Hash(s)];
    std::int32_t cur = root;
    root = s;
    // Where the next position below s (side 1) and the next above it (side 0) hang: every
    // position still to place lies between the two. The side is an index, not a branch, as
    // it is as good as random.
    std::int32_t* side[2] = {&Links(s)[1], &Links(s)[0]};
    while (cur >= lo) {
      int below = Below(cur, s);
      *side[below] = cur;
      side[below] = &Links(cur)[below];
      cur = *side[below];
    }
    *side[0] = *side[1] = None;
  }

  // Longest match for the bytes at P among the positions from lo on, at most limit long. The
  // longest lies on the search path, beside the nearest keys below and above.
  TLzsMatch Longest(std::int32_t P, std::int32_t lo, int limit) const {
    TLzsMatch best;
    std::int32_t reserved = None;  // the newest equal key, at a reserved index
    for (std::int32_t cur = FRoot[Hash(P)]; cur >= lo;) {
      int len = KeyAgree(cur, P);
      int reach = std::min(len, limit), index = cur & (Window - 1);
      if (reach == LzsMaxMatch && index >= MaxIndexOfLongest) {
        reach = LzsMaxMatch - 1;
        reserved = std::max(reserved, cur);
      }
      if (reach > best.Length) best = {std::uint8_t(reach), std::uint16_t(index)};
      if (reach == limit) return best;
      cur = FLinks[cur & (Window - 1)][Below(cur, P, len)];
    }
    // The nearest allowed position before the newest equal key is at index 3839 of the same
    // round, the one a run of equal keys holds; otherwise any equal key from there back to
    // index 0 is the nearest below the pair (key, that position), and older ones have left
    // the window.
    if (reserved >= 0) {
      std::int32_t last = reserved - ((reserved & (Window - 1)) - (MaxIndexOfLongest - 1));
      std::int32_t s = last >= lo && KeyAgree(last, P) == Key ? last
                                                              : EqualAtOrBefore(P, last, lo);
      if (s >= 0 && (s & (Window - 1)) < MaxIndexOfLongest)
        best = {std::uint8_t(LzsMaxMatch), std::uint16_t(s & (Window - 1))};
    }
    return best;
  }

private:
  // The newest position from lo to last whose key equals the one at P, or None.
  std::int32_t EqualAtOrBefore(std::int32_t P, std::int32_t last, std::int32_t lo) const {
    std::int32_t found = None;
    for (std::int32_t cur = FRoot[Hash(P)]; cur >= lo;) {
      int len = KeyAgree(cur, P);
      int below = len == Key ? cur <= last : E[cur + len] < E[P + len];
      if (below && len == Key) found = std::max(found, cur);
      cur = FLinks[cur & (Window - 1)][below];
    }
    return found;
  }

  // How many of the 19 key bytes at a and at b agree, without branches.
  int KeyAgree(std::int32_t a, std::int32_t b) const {
    constexpr std::uint64_t Top = 1ull << 63;
    std::uint64_t x0 = Word(a) ^ Word(b), x1 = Word(a + 8) ^ Word(b + 8);
    std::uint64_t x2 = (Word(a + 16) ^ Word(b + 16)) | 1ull << 8 * (Key - 16);
    int len2 = 16 + __builtin_ctzll(x2) / 8;
    int len1 = x1 ? 8 + __builtin_ctzll(x1 | Top) / 8 : len2;
    return x0 ? __builtin_ctzll(x0 | Top) / 8 : len1;
  }
  // 1 if the key at s comes before the key at P, where P is the newer of two equal keys.
  int Below(std::int32_t s, std::int32_t P, int len) const {
    return int(len == Key) | int(E[s + len] < E[P + len]);
  }
  int Below(std::int32_t s, std::int32_t P) const { return Below(s, P, KeyAgree(s, P)); }

  static std::uint32_t Hash(std::uint32_t first4) { return first4 * 0x9E3779B1u >> (32 - HashBits); }
  std::uint32_t Hash(std::int32_t at) const {
    std::uint32_t w;
    std::memcpy(&w, &E[at], sizeof w);
    return Hash(w);
  }
  // The text carries padding behind its end for these reads.
  std::uint64_t Word(std::int32_t at) const {
    std::uint64_t w;
    std::memcpy(&w, &E[at], sizeof w);
    return w;
  }
  // A position's smaller keys at 0 and its greater ones at 1.
  std::int32_t* Links(std::int32_t s) { return FLinks[s & (Window - 1)]; }

  const std::vector<std::uint8_t>& E;
  std::int32_t FRoot[1 << HashBits];
  // A position's slot is taken again 4096 positions later, once it has left every window.
  std::int32_t FLinks[Window][2];
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
  auto trees = std::make_unique<TTrees>(E);
  std::vector<TLzsMatch> result(size);
  const std::int32_t end = std::int32_t(Window + size);
  std::int32_t inserted = 0;
  for (std::int32_t P = Window; P < end; ++P) {
    for (; inserted + LzsMaxMatch <= P; ++inserted)
      trees->Insert(inserted, std::max(0, inserted + LzsMaxMatch - Window));
    int limit = std::min(LzsMaxMatch, end - P);
    if (limit < LzsMinMatch) continue;
    TLzsMatch best = ShortDistances(E, P, limit);
    if (best.Length < limit) {
      TLzsMatch far = trees->Longest(P, P - Window, limit);
      if (far.Length > best.Length) best = far;
    }
    result[P - Window] = best;
  }
  return result;
}

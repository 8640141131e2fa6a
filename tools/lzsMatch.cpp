#include "tools/lzsMatch.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "expand/LzsFormat.h"
#include "tools/lzsNearMatch.h"

// Works on the extended text E = 4096 zeros + data, where the byte at output position p is
// E[p + 4096]. A match at P with distance D (1..4096 bytes back) reads E[P-D...] up to the
// ring index, then continues with what the ring index held, E[P-4096...]. The 18 distances
// below 19 are left to LzsNearMatches; the others never reach the ring index and come from
// binary trees of the window's positions, ordered by their next 19 bytes.
namespace {
constexpr int Window = LzsWindowSize;
constexpr int Key = LzsMaxMatch;
constexpr int HashBits = 16;
constexpr int Padding = 32;
constexpr std::int32_t None = -1;
// Length 19 at window index 3840 or above would need X = 0xFF.
constexpr int MaxIndexOfLongest = 3840;
// A position's links are free again once it has left every window, two windows on.
constexpr int Slots = 2 * Window;

// One tree per hash of the first 4 bytes, its root the newest position. Equal keys are ordered
// by position, so a parent is always newer than its children: the positions still in the
// window form the top of each tree, and a walk stops at the first one that has left it. Each
// position is made the root of its tree as it is searched for, so one walk does both. The 18
// newest positions, too near for a plain match, sit at the top and may hide the far ones just
// beyond them: the walk keeps the subtrees it passes there.
class TTrees {
public:
  explicit TTrees(const std::vector<std::uint8_t>& text) : E(text) {
    std::fill(std::begin(FRoot), std::end(FRoot), None);
  }

  // Makes P the root of its tree, dropping positions before lo on the way, and when search is
  // set returns the longest match for P among the positions from lo to P - 19, at most limit.
  // Inlined into the one loop that calls it for every position, where the call's own cost
  // showed.
  __attribute__((always_inline)) TLzsMatch InsertAndFind(std::int32_t P, std::int32_t lo, int limit,
                                                         bool search) {
    std::int32_t& root = FRoot[Hash(P)];
    std::int32_t cur = root;
    root = P;
    const TKey key(E, P);
    const std::int32_t lastFar = std::max(P - Key, None);
    // The far positions nearest to P's key below it and above it.
    std::int32_t below = None, above = None;
    // Near positions are the newest, so they come first on the path, if at all, and only a
    // search minds them.
    if (cur <= lastFar || !search)
      Split(P, cur, lo, key, below, above);
    else
      SplitPastNear(P, cur, lo, lastFar, key, below, above);
    return search ? Best(P, lo, limit, below, above) : TLzsMatch{};
  }

  void Prefetch(std::int32_t at) const { __builtin_prefetch(&FRoot[Hash(at)]); }

private:
  // P's key as big-endian words, which compare in the order of their bytes.
  struct TKey {
    TKey(const std::vector<std::uint8_t>& text, std::int32_t at) : E(text), P(at), K0(Big(E, P)) {}
    // Whether the key at s comes before P's; of equal keys the older comes first. Most keys
    // differ in their first word.
    bool Below(std::int32_t s) const {
      std::uint64_t s0 = Big(E, s);
      if (s0 != K0) return s0 < K0;
      std::uint64_t s1 = Big(E, s + 8), k1 = Big(E, P + 8);
      if (s1 != k1) return s1 < k1;
      return (Big(E, s + 16) & Key2Mask) <= (Big(E, P + 16) & Key2Mask);
    }
    const std::vector<std::uint8_t>& E;
    const std::int32_t P;
    const std::uint64_t K0;
  };

  // Splits the tree below P along the path of P's key: the positions below it hang on P's
  // smaller side, in a chain of greater links, and those above on its greater side. below and
  // above end as the last of each met, the nearest to the key where no near position was met.
  void Split(std::int32_t P, std::int32_t cur, std::int32_t lo, const TKey& key,
             std::int32_t& below, std::int32_t& above) {
    std::int32_t* hangBelow = &Links(P)[0];
    std::int32_t* hangAbove = &Links(P)[1];
    while (cur >= lo) {
      if (key.Below(cur)) {
        *hangBelow = below = cur;
        hangBelow = &Links(cur)[1];
        cur = *hangBelow;
      } else {
        *hangAbove = above = cur;
        hangAbove = &Links(cur)[0];
        cur = *hangAbove;
      }
    }
    *hangBelow = *hangAbove = None;
  }

  // The same split where near positions head the path. They may hide the far positions
  // nearest to the key: those lie in the subtrees the path passes by beside them, unless a far
  // position met later on the same side is nearer still.
  void SplitPastNear(std::int32_t P, std::int32_t cur, std::int32_t lo, std::int32_t lastFar,
                     const TKey& key, std::int32_t& below, std::int32_t& above) {
    std::int32_t nearest[2] = {None, None};  // above at 0, below at 1
    std::int32_t passed[2][Key - 1];
    int passedCount[2] = {0, 0};
    std::int32_t* hang[2] = {&Links(P)[1], &Links(P)[0]};
    while (cur >= lo) {
      int b = key.Below(cur);
      if (cur > lastFar) {
        passed[b][passedCount[b]++] = Links(cur)[!b];
      } else {
        nearest[b] = cur;
        passedCount[b] = 0;
      }
      *hang[b] = cur;
      hang[b] = &Links(cur)[b];
      cur = *hang[b];
    }
    *hang[0] = *hang[1] = None;
    for (int b = 0; b < 2; ++b) {
      for (int i = passedCount[b]; i-- > 0;) {
        if (std::int32_t far = NearestFar(passed[b][i], lo, lastFar, b); far != None) {
          nearest[b] = far;
          break;
        }
      }
    }
    below = nearest[1];
    above = nearest[0];
  }

  // The longest match lies beside P's key: at the nearest far key below it or above it.
  TLzsMatch Best(std::int32_t P, std::int32_t lo, int limit, std::int32_t below,
                 std::int32_t above) const {
    TLzsMatch best;
    if (above != None) {
      int reach = std::min(KeyAgree(above, P), limit);
      best = {std::uint8_t(reach), std::uint16_t(above & (Window - 1))};
    }
    if (below == None) return best;
    int reach = std::min(KeyAgree(below, P), limit), index = below & (Window - 1);
    if (reach == Key && index >= MaxIndexOfLongest) {
      // The nearest allowed position before the newest equal key is at index 3839 of the same
      // round, the one a run of equal keys holds; otherwise any equal key from there back to
      // index 0 is the nearest below the pair (key, that position), and older ones have left
      // the window.
      std::int32_t last = below - (index - (MaxIndexOfLongest - 1));
      std::int32_t s = last >= lo && KeyAgree(last, P) == Key ? last
                                                              : EqualAtOrBefore(P, last, lo);
      if (s >= 0 && (s & (Window - 1)) < MaxIndexOfLongest)
        return {std::uint8_t(LzsMaxMatch), std::uint16_t(s & (Window - 1))};
      reach = Key - 1;
    }
    if (reach > best.Length) best = {std::uint8_t(reach), std::uint16_t(index)};
    return best;
  }

  // The far position of subtree t nearest to the key: its greatest when the key lies above it
  // (b = 1), its smallest otherwise. Below a far position every position is far.
  std::int32_t NearestFar(std::int32_t t, std::int32_t lo, std::int32_t lastFar, int b) const {
    if (t < lo) return None;
    if (t <= lastFar) {
      for (std::int32_t next; (next = Links(t)[b]) >= lo;) t = next;
      return t;
    }
    std::int32_t far = NearestFar(Links(t)[b], lo, lastFar, b);
    return far != None ? far : NearestFar(Links(t)[!b], lo, lastFar, b);
  }

  // The newest position from lo to last whose key equals the one at P, or None.
  std::int32_t EqualAtOrBefore(std::int32_t P, std::int32_t last, std::int32_t lo) const {
    std::int32_t found = None;
    for (std::int32_t cur = FRoot[Hash(P)]; cur >= lo;) {
      int len = KeyAgree(cur, P);
      int b = len == Key ? cur <= last : E[cur + len] < E[P + len];
      if (b && len == Key) found = std::max(found, cur);
      cur = Links(cur)[b];
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

  static std::uint32_t Hash(std::uint32_t first4) { return first4 * 0x9E3779B1u >> (32 - HashBits); }
  std::uint32_t Hash(std::int32_t at) const {
    std::uint32_t w;
    std::memcpy(&w, &E[at], sizeof w);
    return Hash(w);
  }
  // The text carries padding behind its end for these reads.
  static std::uint64_t Word(const std::vector<std::uint8_t>& text, std::int32_t at) {
    std::uint64_t w;
    std::memcpy(&w, &text[at], sizeof w);
    return w;
  }
  std::uint64_t Word(std::int32_t at) const { return Word(E, at); }
  static std::uint64_t Big(const std::vector<std::uint8_t>& text, std::int32_t at) {
    return __builtin_bswap64(Word(text, at));
  }
  // The last of the three words holds the key's bytes 16 to 18 at its top.
  static constexpr std::uint64_t Key2Mask = ~0ull << 8 * (24 - Key);
  // A position's smaller keys at 0 and its greater ones at 1.
  std::int32_t* Links(std::int32_t s) { return FLinks[s & (Slots - 1)]; }
  const std::int32_t* Links(std::int32_t s) const { return FLinks[s & (Slots - 1)]; }

  const std::vector<std::uint8_t>& E;
  std::int32_t FRoot[1 << HashBits];
  std::int32_t FLinks[Slots][2];
};
}  // namespace

std::vector<TLzsMatch> LzsLongestMatches(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> E(Window, 0);
  E.reserve(Window + size + Padding);
  E.insert(E.end(), data, data + size);
  E.resize(Window + size + Padding, 0);
  const std::int32_t end = std::int32_t(Window + size);
  std::vector<TLzsMatch> result(size);
  LzsNearMatches(E.data(), Window, end, result.data());
  auto trees = std::make_unique<TTrees>(E);
  for (std::int32_t s = 0; s < Window; ++s) trees->InsertAndFind(s, 0, 0, false);
  // Positions within 3 of the end start no match, and none is searched after them.
  for (std::int32_t P = Window; P <= end - LzsMinMatch; ++P) {
    trees->Prefetch(P + 16);
    const int limit = std::min(LzsMaxMatch, end - P);
    TLzsMatch& best = result[P - Window];
    TLzsMatch far = trees->InsertAndFind(P, P - Window, limit, best.Length < limit);
    if (far.Length > best.Length) best = far;
  }
  return result;
}

#include "tools/lzsNearMatch.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "expand/LzsFormat.h"

// Backwards over the text, the run of bytes that agree at each distance d: E[P + k] with
// E[P - d + k]. A run shorter than d is a plain copy of that length. A run of d or more covers
// its distance, and from byte d on the match reads what the ring index held, E[P - 4096 + k - d]:
// those few are followed up one by one.
namespace {
constexpr int Window = LzsWindowSize;
constexpr int Near = LzsMaxMatch - 1;
// Length 19 at window index 3840 or above would need X = 0xFF.
constexpr int MaxIndexOfLongest = 3840;

// How many of the count bytes at a and b agree, count at most 24, in whole words: the text
// carries padding behind its end for the reads past the count.
int Agree(const std::uint8_t* a, const std::uint8_t* b, int count) {
  for (int k = 0; k < count; k += 8) {
    std::uint64_t x, y;
    std::memcpy(&x, a + k, sizeof x);
    std::memcpy(&y, b + k, sizeof y);
    if (x != y) return std::min(count, k + __builtin_ctzll(x ^ y) / 8);
  }
  return count;
}

// Bit 18 - d of covered for each distance d whose run covers it; the farthest first.
TLzsMatch AcrossTheRing(const std::uint8_t* E, std::int32_t P, std::uint32_t covered, int limit,
                        TLzsMatch best) {
  for (; covered; covered &= covered - 1) {
    int d = Near - __builtin_ctz(covered);
    int len = d < limit ? d + Agree(E + P - Window, E + P + d, limit - d) : limit;
    int index = (P - d) & (Window - 1);
    if (len == LzsMaxMatch && index >= MaxIndexOfLongest) len = LzsMaxMatch - 1;
    if (len > best.Length) best = {std::uint8_t(len), std::uint16_t(index)};
    if (len == limit) break;
  }
  if (best.Length < LzsMinMatch) best = {};
  return best;
}
}  // namespace

void LzsNearMatches(const std::uint8_t* E, std::int32_t begin, std::int32_t end,
                    TLzsMatch* out) {
#if defined(__SSE2__)
  // Lane j of A holds the run at distance 16 - j, lanes 14 and 15 of B those at 18 and 17.
  const __m128i one = _mm_set1_epi8(1), most = _mm_set1_epi8(LzsMaxMatch);
  const __m128i distA = _mm_setr_epi8(16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1);
  // Lanes of B that stand for no distance never cover one.
  const __m128i distB = _mm_setr_epi8(99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 18, 17);
  const __m128i lanesB = _mm_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1);
  __m128i runA = _mm_setzero_si128(), runB = _mm_setzero_si128();
  for (std::int32_t P = end; P-- > begin;) {
    __m128i c = _mm_set1_epi8(char(E[P]));
    __m128i sameA = _mm_cmpeq_epi8(c, _mm_loadu_si128(reinterpret_cast<const __m128i*>(E + P - 16)));
    __m128i sameB = _mm_and_si128(
        lanesB, _mm_cmpeq_epi8(c, _mm_loadu_si128(reinterpret_cast<const __m128i*>(E + P - 32))));
    runA = _mm_and_si128(sameA, _mm_min_epu8(_mm_adds_epu8(runA, one), most));
    runB = _mm_and_si128(sameB, _mm_min_epu8(_mm_adds_epu8(runB, one), most));
    __m128i coverA = _mm_cmpeq_epi8(_mm_max_epu8(runA, distA), runA);
    __m128i coverB = _mm_cmpeq_epi8(_mm_max_epu8(runB, distB), runB);
    __m128i plainA = _mm_andnot_si128(coverA, runA), plainB = _mm_andnot_si128(coverB, runB);
    __m128i m = _mm_max_epu8(plainA, plainB);
    const int limit = std::min(LzsMaxMatch, end - P);
    TLzsMatch best;
    if (_mm_movemask_epi8(_mm_cmpgt_epi8(m, _mm_set1_epi8(LzsMinMatch - 1)))) {
      m = _mm_max_epu8(m, _mm_srli_si128(m, 8));
      m = _mm_max_epu8(m, _mm_srli_si128(m, 4));
      m = _mm_max_epu8(m, _mm_srli_si128(m, 2));
      m = _mm_max_epu8(m, _mm_srli_si128(m, 1));
      const int len = std::min(_mm_cvtsi128_si32(m) & 0xFF, limit);
      __m128i at = _mm_set1_epi8(char(len));
      unsigned a = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(plainA, at), at)));
      unsigned b = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(plainB, at), at)));
      // The nearest distance of that length: the highest lane of A, else of B.
      int d = a ? 16 - (31 - __builtin_clz(a)) : (b >> 15 ? 17 : 18);
      if (len >= LzsMinMatch) best = {std::uint8_t(len), std::uint16_t((P - d) & (Window - 1))};
    }
    unsigned covered = unsigned(_mm_movemask_epi8(coverB)) >> 14 |
                       unsigned(_mm_movemask_epi8(coverA)) << 2;
    out[P - begin] = covered ? AcrossTheRing(E, P, covered, limit, best) : best;
  }
#else
  std::uint8_t run[Near + 1] = {};
  for (std::int32_t P = end; P-- > begin;) {
    const int limit = std::min(LzsMaxMatch, end - P);
    int len = 0, distance = 0;
    std::uint32_t covered = 0;
    for (int d = Near; d >= 1; --d) {
      run[d] = E[P] == E[P - d] ? std::uint8_t(std::min(run[d] + 1, LzsMaxMatch)) : 0;
      if (run[d] >= d)
        covered |= 1u << (Near - d);
      else if (run[d] >= len)
        len = run[d], distance = d;
    }
    len = std::min(len, limit);
    TLzsMatch best;
    if (len >= LzsMinMatch) best = {std::uint8_t(len), std::uint16_t((P - distance) & (Window - 1))};
    out[P - begin] = covered ? AcrossTheRing(E, P, covered, limit, best) : best;
  }
#endif
}

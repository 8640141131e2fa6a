#include "bench/ExactOptimum.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "expand/LzsFormat.h"

// Every window position is tried at every data position. On the text E = 4096 zeros + data,
// the match at distance d (1..4096) from position P reads E[P-d...] up to P, then what the
// ring index held before, E[P-4096...]. For d >= 19 only the first part exists, and the match
// lengths at all those distances are kept in byte lanes, updated from the end of the text
// backwards: length(P, d) = E[P] == E[P-d] ? min(19, length(P+1, d) + 1) : 0. The 18 shorter
// distances are compared directly. Then the shortest parse follows by dynamic programming:
// any shorter length is available at the index of a longer match.
namespace {
constexpr int Window = LzsWindowSize;
constexpr int FarLanes = Window - LzsMaxMatch + 1;  // lane k: distance 4096 - k, from 4096 to 19
constexpr int Lanes = Window;                       // whole vectors; the last 18 lanes are unused
constexpr int MaxIndexOfLongest = 3840;             // X = 0xFF is the escaped escape

// 16 bytes at Keep + 16 - m keep the first m lanes of a vector.
const std::uint8_t Keep[32] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                               0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// Updates the lanes for position P (text at P - 4096 + k in lane k) and returns their maximum.
unsigned UpdateLanes(std::uint8_t* lanes, const std::uint8_t* text, std::uint8_t c) {
  const __m128i byte = _mm_set1_epi8(char(c)), one = _mm_set1_epi8(1);
  const __m128i cap = _mm_set1_epi8(LzsMaxMatch);
  __m128i best = _mm_setzero_si128();
  for (int k = 0; k < Lanes; k += 16) {
    __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes + k));
    __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + k));
    __m128i same = _mm_cmpeq_epi8(t, byte);
    v = _mm_and_si128(_mm_min_epu8(_mm_add_epi8(v, one), cap), same);
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes + k), v);
    if (k + 16 > FarLanes) {  // only the far lanes count
      int far = std::max(FarLanes - k, 0);
      v = _mm_and_si128(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(Keep + 16 - far)));
    }
    best = _mm_max_epu8(best, v);
  }
  alignas(16) std::uint8_t b[16];
  _mm_store_si128(reinterpret_cast<__m128i*>(b), best);
  return *std::max_element(b, b + 16);
}
}  // namespace

std::size_t ExactShortestBody(const std::string& data) {
  const std::size_t n = data.size();
  std::vector<std::uint8_t> text(Window + n + Lanes, 0);
  std::copy(data.begin(), data.end(), text.begin() + Window);
  alignas(16) static std::uint8_t lanes[Lanes];
  std::fill(lanes, lanes + Lanes, 0);
  std::vector<std::uint8_t> longest(n, 0);
  auto at = [&](std::ptrdiff_t e) { return e < 0 ? std::uint8_t(0) : text[std::size_t(e)]; };
  for (std::size_t P = Window + n; P-- > Window;) {
    unsigned best = UpdateLanes(lanes, &text[P - Window], text[P]);
    if (best == LzsMaxMatch) {
      // Lane k reads window index (P + k) mod 4096; length 19 is reserved from 3840 on.
      bool allowed = false;
      for (int k = 0; k < FarLanes && !allowed; ++k)
        allowed = lanes[k] == LzsMaxMatch && ((P + k) & (Window - 1)) < MaxIndexOfLongest;
      if (!allowed) best = LzsMaxMatch - 1;
    }
    const std::size_t limit = std::min<std::size_t>(LzsMaxMatch, Window + n - P);
    for (unsigned d = 1; d < LzsMaxMatch && best < LzsMaxMatch; ++d) {
      unsigned len = 0;
      while (len < limit && text[P + len] == (len < d ? text[P - d + len]
                                                      : at(std::ptrdiff_t(P + len - d) - Window)))
        ++len;
      if (len == LzsMaxMatch && ((P - d) & (Window - 1)) >= MaxIndexOfLongest) --len;
      best = std::max(best, len);
    }
    longest[P - Window] = std::uint8_t(best);
  }
  std::vector<std::size_t> cost(n + 1, 0);
  for (std::size_t p = n; p-- > 0;) {
    cost[p] = cost[p + 1] + (std::uint8_t(data[p]) == LzsEscape ? 2 : 1);
    for (unsigned len = LzsMinMatch; len <= longest[p]; ++len)
      cost[p] = std::min(cost[p], 3 + cost[p + len]);
  }
  return cost[0];
}

#include <cstddef>
#include <cstring>

#include "expand/LzsFormat.h"
#include "expand/LzsVector.h"

#if LZS_HAVE_SSE2_PATH
#include <emmintrin.h>
#endif

// Rotating is linear over XOR: word i of n ends up in the sum rotated by (n - 1 - i) mod 32. So
// the words are XORed into 32 lanes by their index mod 32, without a chain from one word to the
// next, and each lane is rotated once at the end.
namespace {
constexpr int Lanes = 32;

std::uint32_t RotateLeft(std::uint32_t v, unsigned r) {
  r &= 31;
  return r == 0 ? v : v << r | v >> (32 - r);
}

std::uint32_t Word(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

// lanes[j] ^= every word i < words with i mod 32 = j.
void LanesPortable(const std::uint8_t* p, std::size_t words, std::uint32_t* lanes) {
  for (; words >= Lanes; words -= Lanes, p += 4 * Lanes)
    for (int j = 0; j < Lanes; ++j) lanes[j] ^= Word(p + 4 * j);
  for (std::size_t j = 0; j < words; ++j) lanes[j] ^= Word(p + 4 * j);
}

#if LZS_HAVE_SSE2_PATH
// The 32 lanes in eight registers; the words are little-endian on every SSE2 machine.
LZS_SSE2 void LanesSse2(const std::uint8_t* p, std::size_t words, std::uint32_t* lanes) {
  __m128i a[8];
  for (int k = 0; k < 8; ++k) a[k] = _mm_setzero_si128();
  for (; words >= Lanes; words -= Lanes, p += 4 * Lanes)
    for (int k = 0; k < 8; ++k)
      a[k] = _mm_xor_si128(a[k], _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k)));
  for (int k = 0; k < 8; ++k) {
    std::uint32_t v[4];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(v), a[k]);
    for (int i = 0; i < 4; ++i) lanes[4 * k + i] ^= v[i];
  }
  LanesPortable(p, words, lanes);
}
#endif
}  // namespace

std::uint32_t SumBlock(std::uint32_t sum, const void* bytes, std::int64_t count) {
  auto* p = static_cast<const std::uint8_t*>(bytes);
  std::size_t whole = std::size_t(count / 4);
  std::uint32_t lanes[Lanes] = {};
#if LZS_HAVE_SSE2_PATH
  if (LzsVectorPath)
    LanesSse2(p, whole, lanes);
  else
#endif
    LanesPortable(p, whole, lanes);
  std::size_t words = whole;
  if (int rest = int(count % 4)) {  // the last word, zero-padded
    std::uint8_t last[4] = {};
    std::memcpy(last, p + 4 * whole, rest);
    lanes[words++ % Lanes] ^= Word(last);
  }
  std::uint32_t result = RotateLeft(sum, unsigned(words));
  for (int j = 0; j < Lanes; ++j) result ^= RotateLeft(lanes[j], unsigned(words - 1 - j));
  return result;
}

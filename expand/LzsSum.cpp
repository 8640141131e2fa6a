#include "expand/LzsFormat.h"

std::uint32_t SumBlock(std::uint32_t sum, const void* bytes, std::int64_t count) {
  auto* p = static_cast<const std::uint8_t*>(bytes);
  // Whole words first; the shifts assemble a little-endian word on any host, and compilers turn
  // them into one load on a little-endian one.
  for (; count >= 4; count -= 4, p += 4) {
    std::uint32_t w = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                      std::uint32_t(p[3]) << 24;
    sum = (sum << 1 | sum >> 31) ^ w;
  }
  if (count > 0) {
    std::uint32_t w = 0;
    for (int i = 0; i < int(count); ++i) w |= std::uint32_t(p[i]) << (8 * i);
    sum = (sum << 1 | sum >> 31) ^ w;
  }
  return sum;
}

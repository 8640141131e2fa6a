#include "expand/LzsFormat.h"

std::uint32_t SumBlock(std::uint32_t sum, const void* bytes, std::int64_t count) {
  auto* p = static_cast<const std::uint8_t*>(bytes);
  for (; count > 0; count -= 4, p += 4) {
    std::uint32_t w = 0;
    int n = count < 4 ? int(count) : 4;
    for (int i = 0; i < n; ++i) w |= std::uint32_t(p[i]) << (8 * i);
    sum = (sum << 1 | sum >> 31) ^ w;
  }
  return sum;
}

// Longest LZ01 match at every position of a file, over the decoder's window: any of the 4096
// window indices, including positions still zero and spans that cross the ring index.
#pragma once

#include <cstdint>
#include <vector>

struct TLzsMatch {
  std::uint8_t Length = 0;  // 0, or 4..19
  std::uint16_t Index = 0;  // window index of a match of that length
};

// Every shorter length from 4 is also available at the same index.
std::vector<TLzsMatch> LzsLongestMatches(const std::uint8_t* data, std::size_t size);

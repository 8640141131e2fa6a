// The longest LZ01 match at each position among the 18 shortest distances, whose span may cross
// the ring index of the window.
#pragma once

#include <cstdint>

#include "tools/lzsMatch.h"

// For the positions begin..end-1 of the extended text (4096 zeros, then the data, then at least
// 32 bytes of padding), out[P - begin] receives the longest match of length 4 or more at a
// distance of 1 to 18, or length 0.
void LzsNearMatches(const std::uint8_t* text, std::int32_t begin, std::int32_t end,
                    TLzsMatch* out);

// (a × b + c) / d in 64-bit integers with a 96-bit intermediate: a 32-bit build has no 128-bit
// type, and fractions of nested ranges reach 2^62 before they are multiplied by a pixel width.
#pragma once

#include <cstdint>

// The quotient truncated toward zero, as signed 64-bit division would give it without overflow.
// d must be positive and the quotient must fit in 64 bits.
std::int64_t MulAddDiv(std::int64_t a, std::int32_t b, std::int64_t c, std::int64_t d);

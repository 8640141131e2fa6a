// (a × b + c) / d without overflow: the same quotient as plain 64-bit arithmetic where that
// fits, and exact where a × b needs more than 64 bits.
#include <gtest/gtest.h>

#include <cstdint>

#include "gen0/MulDiv64.h"

namespace {
constexpr std::int64_t M = 0x7FFFFFFF;  // the widest 32-bit range
constexpr std::int64_t Square = M * M;  // just under 2^62
}  // namespace

TEST(MulAddDiv, MatchesPlainArithmeticWhereItFits) {
  for (std::int64_t a = -40; a <= 40; ++a)
    for (std::int32_t b = -4; b <= 4; ++b)
      for (std::int64_t c = -9; c <= 9; c += 3)
        for (std::int64_t d = 1; d <= 7; ++d)
          ASSERT_EQ(MulAddDiv(a, b, c, d), (a * b + c) / d) << a << " " << b << " " << c << " " << d;
}

TEST(MulAddDiv, ProductsBeyond64Bits) {
  struct Case {
    std::int64_t a;
    std::int32_t b;
    std::int64_t c, d, quotient;
  };
  const Case cases[] = {
      {Square, 693, Square / 2, Square, 693},  // a full bar of 693 pixels
      {(M / 2) * M, 116, Square / 2, Square, 58},  // just under half of 116, rounded
      {(M / 2) * M, 200, 0, Square, 99},           // just under half of 200, truncated
      {-(M / 2) * M, 200, 0, Square, -99},         // toward zero
      {Square, -M, 0, M, -Square},
      {INT64_MAX, 2, 0, 2, INT64_MAX},
      {INT64_MIN, 2, 0, 4, INT64_MIN / 2},
  };
  for (const Case& k : cases) EXPECT_EQ(MulAddDiv(k.a, k.b, k.c, k.d), k.quotient) << k.a << " " << k.b;
}

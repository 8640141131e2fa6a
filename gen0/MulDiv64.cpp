#include "gen0/MulDiv64.h"

namespace {
// An unsigned 128-bit value as two halves.
struct U128 {
  std::uint64_t hi = 0, lo = 0;
};

U128 Mul(std::uint64_t a, std::uint32_t b) {
  std::uint64_t low = (a & 0xFFFFFFFFu) * b;
  std::uint64_t mid = (a >> 32) * b + (low >> 32);
  return {mid >> 32, (mid << 32) | (low & 0xFFFFFFFFu)};
}

U128 Negate(U128 v) {
  U128 r{~v.hi, ~v.lo + 1};
  if (r.lo == 0) ++r.hi;
  return r;
}

U128 Add(U128 v, std::int64_t c) {
  U128 r{v.hi + (c < 0 ? ~std::uint64_t(0) : 0), v.lo + std::uint64_t(c)};
  if (r.lo < v.lo) ++r.hi;
  return r;
}

// Long division bit by bit; n.hi < d keeps the quotient within 64 bits, and d < 2^63 keeps the
// doubled remainder within 64 bits.
std::uint64_t Div(U128 n, std::uint64_t d) {
  std::uint64_t rem = n.hi % d, q = 0;
  for (int i = 63; i >= 0; --i) {
    rem = (rem << 1) | ((n.lo >> i) & 1);
    q <<= 1;
    if (rem >= d) {
      rem -= d;
      q |= 1;
    }
  }
  return q;
}
}  // namespace

std::int64_t MulAddDiv(std::int64_t a, std::int32_t b, std::int64_t c, std::int64_t d) {
  bool negative = (a < 0) != (b < 0);
  std::uint64_t ma = a < 0 ? 0 - std::uint64_t(a) : std::uint64_t(a);
  std::uint32_t mb = b < 0 ? 0u - std::uint32_t(b) : std::uint32_t(b);
  U128 n = Mul(ma, mb);
  if (negative) n = Negate(n);
  n = Add(n, c);
  if (std::int64_t(n.hi) < 0) return -std::int64_t(Div(Negate(n), std::uint64_t(d)));
  return std::int64_t(Div(n, std::uint64_t(d)));
}

#include "expand/LzsDecodeRun.h"

#include <algorithm>
#include <cstring>

#include "expand/LzsDecodeMatch.h"
#include "expand/LzsVector.h"

namespace {
constexpr unsigned Mask = LzsWindowSize - 1;

// Without SSE2: short literal runs byte by byte, long ones with the library's search and copy.
void RunPortable(TLzsCursor& c, const TLzsHistory& h) {
  const std::uint8_t* ip = c.In;
  const std::uint8_t* const ie = c.InEnd;
  std::uint8_t* op = c.Out;
  std::uint8_t* const oe = c.OutEnd;
  const TLzsOrigin origin(h);
  for (;;) {
    std::ptrdiff_t avail = ie - ip, room = oe - op - LzsRunSlack;
    if (avail <= 0 || room <= 0) break;
    std::size_t limit = std::size_t(std::min(avail, room));
    // Most runs are short: a few bytes one by one before the library calls.
    std::size_t n = 0, shortRun = std::min<std::size_t>(limit, 8);
    for (; n < shortRun && ip[n] != LzsEscape; ++n) op[n] = ip[n];
    if (n == 8) {
      auto* escape = static_cast<const std::uint8_t*>(std::memchr(ip + n, LzsEscape, limit - n));
      std::size_t rest = escape ? std::size_t(escape - ip) - n : limit - n;
      std::memcpy(op + n, ip + n, rest);
      n += rest;
    }
    ip += n;
    op += n;
    if (n == limit) continue;
    // ip is at an escape byte, and the output has more than LzsRunSlack bytes of room.
    if (ie - ip < 2) break;
    if (ip[1] == LzsLiteralEscape) {
      *op++ = LzsEscape;
      ip += 2;
      continue;
    }
    if (ie - ip < 3) break;
    op = LzsMatch<LzsCopyPortable, true>(op, unsigned(ip[1]) << 8 | ip[2], origin, h);
    ip += 3;
  }
  c.In = ip;
  c.Out = op;
}
}  // namespace

void TLzsHistory::TakeIn(const std::uint8_t* end) {
  std::size_t n = std::size_t(end - Base);
  if (n >= std::size_t(LzsWindowSize)) {
    std::memcpy(Before, end - LzsWindowSize, LzsWindowSize);
  } else {
    std::memmove(Before, Before + n, LzsWindowSize - n);
    std::memcpy(Before + LzsWindowSize - n, Base, n);
  }
  RingAtBase = unsigned(RingAtBase + n) & Mask;
}

void TLzsHistory::Fetch(const std::uint8_t* op, unsigned index, unsigned length,
                        std::uint8_t* match) const {
  std::ptrdiff_t done = op - Base;
  unsigned back = ((RingAtBase + unsigned(done) - index - 1) & Mask) + 1;
  // count bytes from position `from` (relative to Base; below 0 they lie in Before).
  auto copy = [&](std::ptrdiff_t from, unsigned count) {
    if (from < 0) {
      unsigned early = unsigned(std::min<std::ptrdiff_t>(-from, count));
      std::memcpy(match, Before + LzsWindowSize + from, early);
      match += early;
      count -= early;
      from += early;
    }
    std::memcpy(match, Base + from, count);
    match += count;
  };
  unsigned own = std::min(back, length);
  copy(done - std::ptrdiff_t(back), own);
  copy(done - LzsWindowSize, length - own);
}

void LzsDecodeRun(TLzsCursor& c, const TLzsHistory& h) {
#if LZS_HAVE_SSE2_PATH
  if (LzsVectorPath) return LzsDecodeRunSse2(c, h);
#endif
  RunPortable(c, h);
}

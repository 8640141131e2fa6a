#include "expand/LzsDecodeRun.h"

#include <algorithm>
#include <cstring>

#include "expand/LzsVector.h"

#if LZS_HAVE_SSE2_PATH
#include <emmintrin.h>
#endif

namespace {
constexpr unsigned Mask = LzsWindowSize - 1;

// Where the output stands for the matches of one run: the ring index at op is op - Ring
// (mod 4096); from Far on, the whole window lies in the output buffer.
struct TOrigin {
  std::uintptr_t Ring;
  std::uintptr_t Far;
  explicit TOrigin(const TLzsHistory& h)
      : Ring(std::uintptr_t(h.Base) - h.RingAtBase),
        Far(std::uintptr_t(h.Base) + LzsWindowSize) {}
};

// A match is at most two copies of up to 19 bytes each out of the output, and every byte that
// matters of a copy lies before the copy's destination: the copies may move whole words forward
// and store past the end of what matters.
using TCopy = void (*)(std::uint8_t* to, const std::uint8_t* from);

// Five 4-byte words, all loaded before any is stored: a load that overlapped an earlier store
// of the copy would wait for it.
void CopyPortable(std::uint8_t* to, const std::uint8_t* from) {
  std::uint32_t w[5];
  std::memcpy(w, from, sizeof w);
  std::memcpy(to, w, sizeof w);
}

// The match X Y whose first byte goes to op; returns the end of the match.
template <TCopy Copy>
std::uint8_t* Match(std::uint8_t* op, unsigned x, unsigned y, TOrigin origin,
                    const TLzsHistory& h) {
  unsigned length = (x >> 4) + LzsMinMatch;
  unsigned index = (x & 0x0F) << 8 | y;
  if (std::uintptr_t(op) >= origin.Far) {
    unsigned back = (unsigned(std::uintptr_t(op) - origin.Ring - index - 1) & Mask) + 1;
    Copy(op, op - back);
    if (back < length) Copy(op + back, op - LzsWindowSize);
  } else {
    std::uint8_t match[LzsMaxMatch];
    h.Fetch(op, index, length, match);
    std::memcpy(op, match, length);
  }
  return op + length;
}

// Without SSE2: short literal runs byte by byte, long ones with the library's search and copy.
void RunPortable(TLzsCursor& c, const TLzsHistory& h) {
  const std::uint8_t* ip = c.In;
  const std::uint8_t* const ie = c.InEnd;
  std::uint8_t* op = c.Out;
  std::uint8_t* const oe = c.OutEnd;
  const TOrigin origin(h);
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
    op = Match<CopyPortable>(op, ip[1], ip[2], origin, h);
    ip += 3;
  }
  c.In = ip;
  c.Out = op;
}

#if LZS_HAVE_SSE2_PATH
// Two 16-byte blocks, both loaded before either is stored: a load that overlapped the first
// store would wait for it.
__attribute__((target("sse2"))) void CopySse2(std::uint8_t* to, const std::uint8_t* from) {
  __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), a);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16), b);
}

// Sixteen input bytes at a time: they are stored whatever they hold, and the first escape
// byte among them says how many of them count. The blocks may reach past the end of the
// input; whatever was taken from there is given back.
LZS_SSE2 __attribute__((flatten)) void RunSse2(TLzsCursor& c, const TLzsHistory& h) {
  const std::uint8_t* ip = c.In;
  const std::uint8_t* const ie = c.InEnd;
  std::uint8_t* op = c.Out;
  if (c.OutEnd - op <= LzsRunSlack || ie - ip <= 0) return;
  // A block of literals and a match stay within the slack.
  std::uint8_t* const oLimit = c.OutEnd - LzsRunSlack;
  const TOrigin origin(h);
  const __m128i escape = _mm_set1_epi8(char(LzsEscape));
  while (op < oLimit) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ip));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(op), v);
    unsigned found = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, escape)));
    if (found == 0) {
      ip += 16;
      op += 16;
      if (ip >= ie) break;
      continue;
    }
    unsigned n = unsigned(__builtin_ctz(found));
    ip += n;
    op += n;
    // A token that the input may cut off, or an escape byte found past the input's end.
    if (ie - ip < 3) break;
    if (ip[1] == LzsLiteralEscape) {
      *op++ = LzsEscape;
      ip += 2;
      continue;
    }
    op = Match<CopySse2>(op, ip[1], ip[2], origin, h);
    ip += 3;
  }
  if (ip > ie) {
    op -= ip - ie;
    ip = ie;
  }
  c.In = ip;
  c.Out = op;
}
#endif
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
  if (LzsVectorPath) return RunSse2(c, h);
#endif
  RunPortable(c, h);
}

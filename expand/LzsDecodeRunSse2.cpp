// The run on processors with SSE2. The input is scanned for escape bytes a block at a time, and
// the block's tokens are then taken one after another out of a bit mask: the search for the next
// token does not wait for the bytes of the last one, and nothing is tested per token for the ends
// of the buffers, because a block is never longer than both buffers can take whatever it holds.
// Near the ends, a run of 16 bytes at a time that tests every token finishes.
#include <algorithm>
#include <bit>
#include <cstring>

#include "expand/LzsDecodeMatch.h"

#if LZS_HAVE_SSE2_PATH
#include <emmintrin.h>

#define LZS_SSE2_INLINE inline __attribute__((target("sse2"), always_inline))

namespace {
// The escape bits of one block: 64 input bytes on x86-64, 32 on i386.
using TMask = std::uintptr_t;
constexpr std::ptrdiff_t Block = 8 * sizeof(TMask);

LZS_SSE2_INLINE __m128i Load16(const std::uint8_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

LZS_SSE2_INLINE void Store16(std::uint8_t* p, __m128i v) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

// Two 16-byte blocks, both loaded before either is stored: a load that overlapped the first
// store would wait for it.
__attribute__((target("sse2"))) void CopySse2(std::uint8_t* to, const std::uint8_t* from) {
  __m128i a = Load16(from), b = Load16(from + 16);
  Store16(to, a);
  Store16(to + 16, b);
}

// Bit i set for an escape byte at p + i.
LZS_SSE2_INLINE TMask Escapes(const std::uint8_t* p) {
  const __m128i escape = _mm_set1_epi8(char(LzsEscape));
  TMask m = 0;
  for (int k = 0; k < Block / 16; ++k)
    m |= TMask(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(Load16(p + 16 * k), escape))))
         << (16 * k);
  return m;
}

// The tokens that start in the `length` input bytes at ip (a whole block if Whole); the last of
// them may end up to two bytes past those. What follows the last token there is literals.
template <bool Near, bool Whole>
LZS_SSE2_INLINE void DecodeBlock(const std::uint8_t*& ipRef, std::uint8_t*& opRef,
                                 std::ptrdiff_t length, const TLzsOrigin& origin,
                                 const TLzsHistory& h) {
  const std::uint8_t* ip = ipRef;
  std::uint8_t* op = opRef;
  const std::uint8_t* const end = ip + (Whole ? Block : length);
  // Bit 0 stands for ip: the mask moves on with ip.
  TMask m = Escapes(ip);
  if (!Whole) m &= ~TMask(0) >> (Block - length);
  while (m != 0) {
    unsigned n = unsigned(std::countr_zero(m));
    // The literals before the escape byte: they are stored whatever they hold, in one move, or
    // the whole block's worth when there are more.
    Store16(op, Load16(ip));
    if (n > 16)
      for (int k = 16; k < Block; k += 16) Store16(op + k, Load16(ip + k));
    ip += n;
    op += n;
    // Escape, X, Y and a byte that does not count, the escape in the highest bits.
    std::uint32_t token;
    std::memcpy(&token, ip, 4);
    token = __builtin_bswap32(token);
    if (token >= (std::uint32_t(LzsEscape) << 24 | std::uint32_t(LzsLiteralEscape) << 16)) {
      *op++ = LzsEscape;
      ip += 2;
      m = m >> n >> 2;
    } else {
      op = LzsMatch<CopySse2, Near>(op, token >> 8, origin, h);
      ip += 3;
      m = m >> n >> 3;
    }
  }
  for (int k = 0; k < Block; k += 16) Store16(op + k, Load16(ip + k));
  std::ptrdiff_t rest = std::max<std::ptrdiff_t>(end - ip, 0);
  ipRef = ip + rest;
  opRef = op + rest;
}

// Sixteen input bytes at a time: they are stored whatever they hold, and the first escape
// byte among them says how many of them count. The blocks may reach past the end of the
// input; whatever was taken from there is given back.
LZS_SSE2_INLINE void RunTail(TLzsCursor& c, const TLzsHistory& h) {
  const std::uint8_t* ip = c.In;
  const std::uint8_t* const ie = c.InEnd;
  std::uint8_t* op = c.Out;
  if (c.OutEnd - op <= LzsRunSlack || ie - ip <= 0) return;
  // A block of literals and a match stay within the slack.
  std::uint8_t* const oLimit = c.OutEnd - LzsRunSlack;
  const TLzsOrigin origin(h);
  const __m128i escape = _mm_set1_epi8(char(LzsEscape));
  while (op < oLimit) {
    __m128i v = Load16(ip);
    Store16(op, v);
    unsigned found = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, escape)));
    if (found == 0) {
      ip += 16;
      op += 16;
      if (ip >= ie) break;
      continue;
    }
    unsigned n = unsigned(std::countr_zero(found));
    ip += n;
    op += n;
    // A token that the input may cut off, or an escape byte found past the input's end.
    if (ie - ip < 3) break;
    if (ip[1] == LzsLiteralEscape) {
      *op++ = LzsEscape;
      ip += 2;
      continue;
    }
    op = LzsMatch<CopySse2, true>(op, unsigned(ip[1]) << 8 | ip[2], origin, h);
    ip += 3;
  }
  if (ip > ie) {
    op -= ip - ie;
    ip = ie;
  }
  c.In = ip;
  c.Out = op;
}
}  // namespace

LZS_SSE2 __attribute__((flatten)) void LzsDecodeRunSse2(TLzsCursor& c, const TLzsHistory& h) {
  const std::uint8_t* ip = c.In;
  const std::uint8_t* const ie = c.InEnd;
  std::uint8_t* op = c.Out;
  std::uint8_t* const oe = c.OutEnd;
  const TLzsOrigin origin(h);
  // A block's tokens end by the input's last byte: if either of the last two bytes is an escape
  // byte, which may start a token that the input cuts off, the blocks stop before them. A
  // block's output, at most 19 bytes for every 3 input bytes and so less than 8 a byte and 13
  // more, and the stores past that (up to a block of literals) stay within the buffer.
  const std::ptrdiff_t margin =
      ie - ip >= 2 && ie[-2] != LzsEscape && ie[-1] != LzsEscape ? 0 : 2;
  for (;;) {
    std::ptrdiff_t length = std::min({Block, ie - ip - margin, (oe - op - LzsRunSlack) >> 3});
    if (length <= 0) break;
    if (!origin.Far(op)) {
      DecodeBlock<true, false>(ip, op, length, origin, h);
    } else if (length < Block) {
      DecodeBlock<false, false>(ip, op, length, origin, h);
    } else {
      do DecodeBlock<false, true>(ip, op, Block, origin, h);
      while (ie - ip - margin >= Block && oe - op - LzsRunSlack >= 8 * Block);
    }
  }
  c.In = ip;
  c.Out = op;
  RunTail(c, h);
}
#endif

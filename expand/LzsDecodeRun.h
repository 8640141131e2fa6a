// The inner part of the LZ01 decode core: whole tokens straight from the input stream's buffer
// into the output stream's buffer, where the output itself serves as the window.
//
// The ring window and the output hold the same bytes: window index w is the output position p
// with p = w (mod 4096) among the last 4096 positions. So a match at index w, taken when the
// ring index is r, reads d = (r - w - 1) mod 4096 + 1 positions back; if d is shorter than the
// match, its span reaches positions that it would write itself, and those read the bytes of
// 4096 positions earlier (or the initial zeros). Every match is therefore at most two copies
// out of the last 4096 output bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "expand/LzsFormat.h"

// The output emitted before the stream buffer's current contents: the decoder keeps it across
// the stream's flushes. Before holds the 4096 bytes emitted before Base, oldest first (zeros
// before anything was emitted); RingAtBase is the ring index at Base.
struct TLzsHistory {
  std::uint8_t Before[LzsWindowSize] = {};
  std::uint8_t* Base = nullptr;
  unsigned RingAtBase = 0;

  // Takes in the bytes from Base up to end, before the stream hands them on; the caller then
  // sets Base to where the buffer starts again.
  void TakeIn(const std::uint8_t* end);
  // The length bytes of the match at window index `index` whose first byte goes to op.
  void Fetch(const std::uint8_t* op, unsigned index, unsigned length, std::uint8_t* match) const;
};

// Positions in both stream buffers; the run moves them past the tokens it decodes.
struct TLzsCursor {
  const std::uint8_t* In;
  const std::uint8_t* InEnd;
  std::uint8_t* Out;
  std::uint8_t* OutEnd;
};

// The room that the run leaves at the end of the output buffer: it stores in whole 16-byte
// blocks, literals up to 64 bytes at a time and a match in at most two 32-byte copies.
constexpr std::ptrdiff_t LzsRunSlack = 80;

// Decodes whole tokens while the input holds one and the output has more than LzsRunSlack bytes
// of room; stops before a token that the input cuts off. Loads up to 63 bytes past InEnd, which
// the input stream's storage provides.
void LzsDecodeRun(TLzsCursor& c, const TLzsHistory& h);

// One match of the decode core's runs: where the output stands against the window, and the
// copies that a match takes out of the output. Shared by the portable and the SSE2 runs.
#pragma once

#include <cstdint>
#include <cstring>

#include "expand/LzsDecodeRun.h"
#include "expand/LzsVector.h"

#if LZS_HAVE_SSE2_PATH
// The run on processors with SSE2 (LzsDecodeRunSse2.cpp); LzsDecodeRun chooses it.
void LzsDecodeRunSse2(TLzsCursor& c, const TLzsHistory& h);
#endif

// Where the output buffer stands for the matches of one run: the ring index at op is
// op - Ring1 + 1 (mod 4096), and once op is 4096 bytes past Base the whole window lies in the
// output buffer.
struct TLzsOrigin {
  std::uintptr_t Ring1;
  std::uintptr_t Base;
  explicit TLzsOrigin(const TLzsHistory& h)
      : Ring1(std::uintptr_t(h.Base) - h.RingAtBase + 1), Base(std::uintptr_t(h.Base)) {}
  bool Far(const std::uint8_t* op) const {
    return std::uintptr_t(op) - Base >= std::uintptr_t(LzsWindowSize);
  }
};

// A match is at most two copies of up to 19 bytes each out of the output, and every byte that
// matters of a copy lies before the copy's destination: the copies may move whole words forward
// and store past the end of what matters.
using TLzsCopy = void (*)(std::uint8_t* to, const std::uint8_t* from);

// Five 4-byte words, all loaded before any is stored: a load that overlapped an earlier store
// of the copy would wait for it.
inline void LzsCopyPortable(std::uint8_t* to, const std::uint8_t* from) {
  std::uint32_t w[5];
  std::memcpy(w, from, sizeof w);
  std::memcpy(to, w, sizeof w);
}

// The match whose X and Y bytes are bits 15..8 and 7..0 of xy (the bits above them do not
// count), with its first byte going to op; returns the end of the match. A run whose op is
// Far says so with Near false and saves the test whether the match reaches the history.
template <TLzsCopy Copy, bool Near>
inline __attribute__((always_inline)) std::uint8_t* LzsMatch(std::uint8_t* op, std::uint32_t xy,
                                                             const TLzsOrigin& origin,
                                                             const TLzsHistory& h) {
  unsigned length = ((xy >> 12) & 0x0F) + LzsMinMatch;
  // The match starts t + 1 positions back. Only xy mod 4096 counts here, and that is the index.
  std::uintptr_t t = (std::uintptr_t(op) - origin.Ring1 - xy) & (LzsWindowSize - 1);
  bool overlap = t < length - 1;
  if (Near) {
    std::uintptr_t done = std::uintptr_t(op) - origin.Base;
    if (done < std::uintptr_t(LzsWindowSize) && (done <= t || overlap)) {
      std::uint8_t match[LzsMaxMatch];
      h.Fetch(op, xy & (LzsWindowSize - 1), length, match);
      std::memcpy(op, match, length);
      return op + length;
    }
  }
  Copy(op, op - t - 1);
  // The part that the match writes itself reads the window as it was, 4096 positions back.
  if (overlap) Copy(op + t + 1, op - LzsWindowSize);
  return op + length;
}

// The decode core and the checksum as they were before the SSE2 work, kept only so that the
// benchmark prints their figures beside the current ones in the same run.
#include "bench/OldDecode.h"

#include <algorithm>
#include <cstring>

namespace {
// The window starts as zeros and is written at the ring index, which is the count of emitted
// bytes modulo the window size.
struct TLzsWindow {
  std::uint8_t Bytes[LzsWindowSize] = {};
  unsigned Ring = 0;

  void Store(std::uint8_t b) {
    Bytes[Ring] = b;
    Ring = (Ring + 1) & (LzsWindowSize - 1);
  }
  // Reads the whole match before any of it is emitted: a match whose span covers the ring
  // index copies what was there before, never its own output.
  int Fetch(int x, int y, std::uint8_t* match) const {
    int length = (x >> 4) + LzsMinMatch;
    unsigned index = unsigned(x & 0x0F) << 8 | unsigned(y);
    for (int i = 0; i < length; ++i) match[i] = Bytes[(index + unsigned(i)) & (LzsWindowSize - 1)];
    return length;
  }
};

// Whole tokens straight between the two stream buffers while the input holds a complete token
// and the output has room for the longest match; the stream calls are left for the edges. The
// ring index lives in a local here: the byte stores would otherwise make the compiler reload it.
void DecodeBuffered(TGenByteIn& in, TGenByteOut& out, TLzsWindow& w) {
  constexpr unsigned Mask = LzsWindowSize - 1;
  const std::uint8_t* ip = in.BufferPos();
  const std::uint8_t* ie = in.BufferEnd();
  std::uint8_t* op = out.BufferPos();
  std::uint8_t* oe = out.BufferEnd();
  std::uint8_t* window = w.Bytes;
  unsigned ring = w.Ring;
  while (ie - ip >= 3 && oe - op >= LzsMaxMatch) {
    std::uint8_t b = *ip++;
    if (b == LzsEscape) {
      std::uint8_t x = *ip++;
      if (x != LzsLiteralEscape) {
        unsigned length = (x >> 4) + LzsMinMatch;
        unsigned index = unsigned(x & 0x0F) << 8 | *ip++;
        bool apart = index + length <= LzsWindowSize && ring + length <= LzsWindowSize &&
                     (index + length <= ring || ring + length <= index);
        if (apart) {
          // Neither span wraps and they do not meet: the match is a plain copy.
          std::memcpy(op, window + index, length);
          std::memcpy(window + ring, op, length);
          op += length;
          ring = (ring + length) & Mask;
        } else {
          std::uint8_t match[LzsMaxMatch];
          for (unsigned i = 0; i < length; ++i) match[i] = window[(index + i) & Mask];
          for (unsigned i = 0; i < length; ++i) {
            *op++ = match[i];
            window[ring] = match[i];
            ring = (ring + 1) & Mask;
          }
        }
        continue;
      }
      *op++ = LzsEscape;
      window[ring] = LzsEscape;
      ring = (ring + 1) & Mask;
      continue;
    }
    // A run of literals up to the next escape goes in two copies: out and into the window.
    const std::uint8_t* start = ip - 1;
    const std::uint8_t* limit = start + std::min<std::ptrdiff_t>(ie - start, oe - op);
    auto* stop = static_cast<const std::uint8_t*>(std::memchr(ip, LzsEscape, size_t(limit - ip)));
    if (!stop) stop = limit;
    unsigned n = unsigned(stop - start);
    std::memcpy(op, start, n);
    op += n;
    ip = stop;
    const std::uint8_t* tail = start;
    if (n >= LzsWindowSize) {  // only the last window's worth stays
      tail = stop - LzsWindowSize;
      ring = (ring + (n - LzsWindowSize)) & Mask;
      n = LzsWindowSize;
    }
    unsigned first = std::min(n, LzsWindowSize - ring);
    std::memcpy(window + ring, tail, first);
    std::memcpy(window, tail + first, n - first);
    ring = (ring + n) & Mask;
  }
  w.Ring = ring;
  in.Consume(ip);
  out.Advance(op);
}
}  // namespace

void OldDecodeBody(TGenByteIn& in, TGenByteOut& out) {
  TLzsWindow w;
  auto emit = [&](std::uint8_t b) {
    out.WriteByte(b);
    w.Store(b);
  };
  for (;;) {
    DecodeBuffered(in, out, w);
    // One token through the stream calls: refills, flushes and the end of the input.
    int b = in.ReadByte();
    if (b == -1) return;
    if (b != LzsEscape) {
      emit(std::uint8_t(b));
      continue;
    }
    int x = in.ReadByte();
    if (x == -1) throw EGTData("データエラー(LZSS)");
    if (x == LzsLiteralEscape) {
      emit(LzsEscape);
      continue;
    }
    int y = in.ReadByte();
    if (y == -1) throw EGTData("データエラー(LZSS)");
    std::uint8_t match[LzsMaxMatch];
    int length = w.Fetch(x, y, match);
    for (int i = 0; i < length; ++i) emit(match[i]);
  }
}

std::uint32_t OldSumBlock(std::uint32_t sum, const void* bytes, std::int64_t count) {
  auto* p = static_cast<const std::uint8_t*>(bytes);
  // Whole words first; the shifts assemble a little-endian word on any host, and compilers turn
  // them into one load on a little-endian one.
  for (; count >= 4; count -= 4, p += 4) {
    std::uint32_t w = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                      std::uint32_t(p[3]) << 24;
    sum = (sum << 1 | sum >> 31) ^ w;
  }
  if (count > 0) {
    std::uint32_t w = 0;
    for (int i = 0; i < int(count); ++i) w |= std::uint32_t(p[i]) << (8 * i);
    sum = (sum << 1 | sum >> 31) ^ w;
  }
  return sum;
}

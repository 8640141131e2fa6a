#include "expand/LzsDecode.h"

#include <cstring>

#include "expand/LzsDecodeRun.h"

void ReadExact(TGenByteIn& in, void* buffer, std::int32_t count) {
  if (in.ReadBytes(buffer, count) < count) throw EGTData("データエラー");
}

namespace {
std::uint64_t LittleEndian(const std::uint8_t* p, int count) {
  std::uint64_t v = 0;
  for (int i = count - 1; i >= 0; --i) v = v << 8 | p[i];
  return v;
}
}  // namespace

TLzsHeader LzsReadHeader(TGenByteIn& in) {
  std::uint8_t bytes[LzsHeaderSize];
  ReadExact(in, bytes, 5);
  if (std::memcmp(bytes, LzsMagic, 5) != 0) throw EGTData("データエラー(LZ)");
  ReadExact(in, bytes + 5, 8);
  ReadExact(in, bytes + 13, 4);
  ReadExact(in, bytes + 17, 8);
  TLzsHeader h;
  h.Len = std::int64_t(LittleEndian(bytes + 5, 8));
  h.Sum = std::uint32_t(LittleEndian(bytes + 13, 4));
  h.FileTime = LittleEndian(bytes + 17, 8);
  return h;
}

void LzsDecodeBody(TGenByteIn& in, TGenByteOut& out) {
  TLzsHistory h;
  h.Base = out.BufferPos();
  // One byte as the stream writes it, except that the decoder keeps the buffer's bytes as
  // history before the buffer is handed on.
  auto emit = [&](std::uint8_t b) {
    if (out.BufferPos() == out.BufferEnd()) {
      h.TakeIn(out.BufferPos());
      out.Flush();
      h.Base = out.BufferPos();
    }
    out.WriteByte(b);
  };
  for (;;) {
    TLzsCursor c{in.BufferPos(), in.BufferEnd(), out.BufferPos(), out.BufferEnd()};
    LzsDecodeRun(c, h);
    in.Consume(c.In);
    out.Advance(c.Out);
    // One token through the stream calls: refills, flushes and the end of the input. A refill
    // alone is no reason to leave the run: the byte it brought is handed back to it.
    bool drained = in.BufferPos() == in.BufferEnd();
    int b = in.ReadByte();
    if (b == -1) return;
    if (drained && out.BufferEnd() - out.BufferPos() > LzsRunSlack) {
      in.Consume(in.BufferPos() - 1);
      continue;
    }
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
    unsigned length = unsigned(x >> 4) + LzsMinMatch;
    std::uint8_t match[LzsMaxMatch];
    h.Fetch(out.BufferPos(), unsigned(x & 0x0F) << 8 | unsigned(y), length, match);
    for (unsigned i = 0; i < length; ++i) emit(match[i]);
  }
}

void LzsCheck(const TLzsHeader& header, std::int64_t length, std::uint32_t sum,
              const WideString& source) {
  if (sum != header.Sum || length != header.Len) throw EGTData::CreateWide(u"データエラー", source);
}

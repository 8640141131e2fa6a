#include "expand/LzsDecode.h"

#include <cstring>

void ReadExact(TGenByteIn& in, void* buffer, std::int32_t count) {
  if (in.ReadBytes(buffer, count) < count) throw EGTData("データエラー");
}

namespace {
std::uint64_t LittleEndian(const std::uint8_t* p, int count) {
  std::uint64_t v = 0;
  for (int i = count - 1; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

// The window starts as zeros and is written at the ring index, which is the count of emitted
// bytes modulo the window size.
class TLzsDecoder {
public:
  explicit TLzsDecoder(TGenByteOut& out) : FOut(out) {}

  void Emit(std::uint8_t b) {
    FOut.WriteByte(b);
    FWindow[FRing] = b;
    FRing = (FRing + 1) & (LzsWindowSize - 1);
  }

  // Reads the whole match before emitting any of it: a match whose span covers the ring
  // index copies what was there before, never its own output.
  void Match(int x, int y) {
    int length = (x >> 4) + LzsMinMatch;
    int index = (x & 0x0F) << 8 | y;
    std::uint8_t match[LzsMaxMatch];
    for (int i = 0; i < length; ++i) match[i] = FWindow[(index + i) & (LzsWindowSize - 1)];
    for (int i = 0; i < length; ++i) Emit(match[i]);
  }

private:
  TGenByteOut& FOut;
  std::uint8_t FWindow[LzsWindowSize] = {};
  int FRing = 0;
};
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
  TLzsDecoder decoder(out);
  for (int b; (b = in.ReadByte()) != -1;) {
    if (b != LzsEscape) {
      decoder.Emit(std::uint8_t(b));
      continue;
    }
    int x = in.ReadByte();
    if (x == -1) throw EGTData("データエラー(LZSS)");
    if (x == LzsLiteralEscape) {
      decoder.Emit(LzsEscape);
      continue;
    }
    int y = in.ReadByte();
    if (y == -1) throw EGTData("データエラー(LZSS)");
    decoder.Match(x, y);
  }
}

void LzsCheck(const TLzsHeader& header, std::int64_t length, std::uint32_t sum,
              const WideString& source) {
  if (sum != header.Sum || length != header.Len) throw EGTData::CreateWide(u"データエラー", source);
}

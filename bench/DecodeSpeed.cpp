#include "bench/DecodeSpeed.h"

#include <algorithm>

namespace {
constexpr std::int32_t OutputBlock = 0x40000;

TLzsHeader Decode(const std::string& file, TDecodeBody body,
                  const TGenByteOut::TWriteEvent& onWrite) {
  TGenByteInMem in;
  in.SetSource(file.data(), std::int32_t(file.size()));
  TLzsHeader header = LzsReadHeader(in);
  TGenByteOut out;
  out.SetBufferSize(OutputBlock);
  out.OnWrite = onWrite;
  body(in, out);
  out.Flush();
  return header;
}
}  // namespace

void DecodeChecked(const std::string& file, TDecodeBody body, TSumBlock sum) {
  std::uint32_t s = 0;
  std::int64_t length = 0;
  TLzsHeader header = Decode(file, body, [&](const std::uint8_t* p, std::int32_t n) {
    s = sum(s, p, n);
    length += n;
  });
  LzsCheck(header, length, s, u"bench");
}

std::string DecodeAll(const std::string& file, TDecodeBody body) {
  std::string all;
  Decode(file, body, [&](const std::uint8_t* p, std::int32_t n) {
    all.append(reinterpret_cast<const char*>(p), std::size_t(n));
  });
  return all;
}

std::uint32_t SumInBlocks(const std::string& data, TSumBlock sum) {
  std::uint32_t s = 0;
  for (std::size_t at = 0; at < data.size(); at += OutputBlock) {
    std::size_t n = std::min(std::size_t(OutputBlock), data.size() - at);
    s = sum(s, data.data() + at, std::int64_t(n));
  }
  return s;
}

// Any file through the decode core and through the reference decoder written from the format's
// tables: the same bytes, the same failure and message, on both paths and over buffers of
// several sizes. After a failure the output stream has handed on exactly the blocks that a
// stream written byte by byte would have.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "expand/LzsDecode.h"
#include "expand/LzsVector.h"
#include "tests/expand/LzsReference.h"

namespace {
const WideString Source = u"fuzz.lz";

TLzsReference Core(const std::string& file, std::int32_t inBlock, std::int32_t outBlock) {
  TGenByteInMem in;
  in.SetBufferSize(inBlock);
  in.SetSource(file.data(), std::int32_t(file.size()));
  TGenByteOut out;
  out.SetBufferSize(outBlock);
  TLzsReference r{{}, 0, {}};
  std::uint32_t sum = 0;
  out.OnWrite = [&](const std::uint8_t* p, std::int32_t n) {
    r.Output.append(reinterpret_cast<const char*>(p), std::size_t(n));
    sum = SumBlock(sum, p, n);
  };
  try {
    TLzsHeader header = LzsReadHeader(in);
    LzsDecodeBody(in, out);
    out.Flush();
    if (in.Position() != std::int64_t(file.size())) std::abort();
    LzsCheck(header, std::int64_t(r.Output.size()), sum, Source);
  } catch (const EGTData& e) {
    r.Error = e.Message;
  }
  r.Flushed = std::int64_t(r.Output.size());
  return r;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file(reinterpret_cast<const char*>(data), size);
  const bool vector = LzsVectorPath;
  // The product's sizes; then output blocks just past the window, where both ways of copying a
  // match take turns, small ones with input edges everywhere, and input blocks that end a scan
  // of whole 64-byte blocks one byte short of another.
  const std::pair<std::int32_t, std::int32_t> blocks[] = {
      {512, 0x40000}, {5, 4200}, {64, 300}, {129, 0x10000}};
  for (auto [inBlock, outBlock] : blocks) {
    TLzsReference expected = LzsReferenceFile(file, outBlock, Source);
    // A token cut off leaves what was handed on; a failed check, everything.
    bool cutOff = expected.Error == "データエラー(LZSS)";
    std::string wanted =
        cutOff ? expected.Output.substr(0, std::size_t(expected.Flushed)) : expected.Output;
    for (bool path : {false, vector}) {
      LzsVectorPath = path;
      TLzsReference got = Core(file, inBlock, outBlock);
      if (got.Error != expected.Error || got.Output != wanted) std::abort();
    }
    LzsVectorPath = vector;
  }
  return 0;
}

// Any file through the decode core: only the format's own data errors may come out, and the
// output must agree with the stream's count of what was written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "expand/LzsDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TGenByteInMem in;
  in.SetSource(data, std::int32_t(size));
  std::int64_t length = 0;
  std::uint32_t sum = 0;
  TGenByteOut out;
  out.OnWrite = [&](const std::uint8_t* p, std::int32_t n) {
    sum = SumBlock(sum, p, n);
    length += n;
  };
  try {
    TLzsHeader header = LzsReadHeader(in);
    LzsDecodeBody(in, out);
    out.Flush();
    if (in.Position() != std::int64_t(size)) std::abort();
    LzsCheck(header, length, sum, u"fuzz.lz");
  } catch (const EGTData&) {
  }
  return 0;
}

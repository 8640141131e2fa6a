// Any data through the packer and back through the decode core comes out unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "expand/LzsDecode.h"
#include "tools/lzsPack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::string file = LzsPackFile(input, 0);
  TGenByteInMem in;
  in.SetSource(file.data(), std::int32_t(file.size()));
  TLzsHeader header = LzsReadHeader(in);
  std::string target;
  TGenByteOutString out(target);
  LzsDecodeBody(in, out);
  out.Flush();
  target.resize(out.Count);
  if (target != input) std::abort();
  LzsCheck(header, std::int64_t(target.size()), SumBlock(0, target.data(), std::int64_t(size)),
           u"fuzz.lz");
  return 0;
}

// A whole LZ01 file expanded in memory as the product expands it: header, body, then the
// length and checksum check.
#pragma once

#include <string>

#include "expand/LzsDecode.h"

inline std::string ExpandInMemory(const std::string& file, TLzsHeader* header = nullptr,
                                  const WideString& source = u"C:\\更新\\morimo.exe.lz") {
  TGenByteInMem in;
  in.SetSource(file.data(), std::int32_t(file.size()));
  TLzsHeader h = LzsReadHeader(in);
  std::string target;
  TGenByteOutString out(target);
  LzsDecodeBody(in, out);
  out.Flush();
  target.resize(out.Count);
  LzsCheck(h, std::int64_t(target.size()), SumBlock(0, target.data(), target.size()), source);
  if (header) *header = h;
  return target;
}

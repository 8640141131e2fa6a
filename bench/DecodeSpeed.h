// The decode core run as the product runs it: the source in 512-byte blocks, the output in
// 262144-byte blocks, each block added to the checksum as it is handed on, and the length and
// checksum checked against the header at the end.
#pragma once

#include <cstdint>
#include <string>

#include "expand/LzsDecode.h"

using TDecodeBody = void (*)(TGenByteIn& in, TGenByteOut& out);
using TSumBlock = std::uint32_t (*)(std::uint32_t sum, const void* bytes, std::int64_t count);

// One decode; one that fails its checks raises as the product would.
void DecodeChecked(const std::string& file, TDecodeBody body, TSumBlock sum);
// The bytes that the file decodes to, for a check outside the timing.
std::string DecodeAll(const std::string& file, TDecodeBody body);
// The checksum of data in the read-back's blocks.
std::uint32_t SumInBlocks(const std::string& data, TSumBlock sum);

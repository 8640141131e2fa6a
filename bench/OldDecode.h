// The decode core and the checksum before the SSE2 work, for side-by-side figures.
#pragma once

#include <cstdint>

#include "expand/LzsDecode.h"

void OldDecodeBody(TGenByteIn& in, TGenByteOut& out);
std::uint32_t OldSumBlock(std::uint32_t sum, const void* bytes, std::int64_t count);

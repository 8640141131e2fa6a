// The portable core of LZ01 expansion, over the byte streams. The file-level expansion opens
// the files, calls these in order, reads the result back and checks it with LzsCheck.
#pragma once

#include <cstdint>

#include "expand/GenByteIO.h"
#include "expand/LzsFormat.h"
#include "gen0/GenError.h"

// Exactly count bytes, or EGTData "データエラー".
void ReadExact(TGenByteIn& in, void* buffer, std::int32_t count);
// Magic first ("データエラー(LZ)"), then Len, Sum and FileTime.
TLzsHeader LzsReadHeader(TGenByteIn& in);
// Decodes tokens up to the end of the input; a token cut off by the end raises
// "データエラー(LZSS)". Leaves the last bytes in out's buffer: the caller flushes.
void LzsDecodeBody(TGenByteIn& in, TGenByteOut& out);
// Raises EGTData "データエラー" naming the source when length or checksum disagree.
void LzsCheck(const TLzsHeader& header, std::int64_t length, std::uint32_t sum,
              const WideString& source);

#include "expand/LzsExpandFile.h"

#include <string>

#include "expand/LzsDecode.h"
#include "expand/LzsExpansion.h"
#include "gen0/GenFile.h"

namespace {
constexpr DWORD ReadBackBlock = 0x40000;
}  // namespace

TLzsExpansion::Handles::~Handles() {
  HandleClose(Source);
  HandleClose(Destination);
}

void TLzsExpansion::Decode(const WideString& source, const WideString& destination) {
  FSource = source;
  FIn = std::make_unique<TGenByteInHandle>();
  FFiles.Source = OpenFileRetryWide(source, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  SetHandleInfoWide(FFiles.Source, source, KindFile);
  FIn->SetHandle(FFiles.Source);

  // The destination is not touched until the header has proved the source to be LZ01.
  FHeader = LzsReadHeader(*FIn);
  FFiles.Destination = OpenFileRetryWide(destination, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, 0, nullptr);
  SetHandleInfoWide(FFiles.Destination, destination, KindFile);
  FOut = std::make_unique<TGenByteOutHandle>();
  FOut->SetHandle(FFiles.Destination);

  LzsDecodeBody(*FIn, *FOut);
  FOut->SetHandle(INVALID_HANDLE_VALUE);
  HandleSeek(FFiles.Destination, 0, FILE_BEGIN);
}

void TLzsExpansion::Verify() {
  std::string block(ReadBackBlock, '\0');
  std::int64_t total = 0;
  std::uint32_t sum = 0;
  while (DWORD n = HandleRead(FFiles.Destination, block.data(), ReadBackBlock)) {
    total += n;
    sum = SumBlock(sum, block.data(), n);
  }
  LzsCheck(FHeader, total, sum, FSource);
}

void TLzsExpansion::Stamp() {
  FILETIME written;
  written.dwLowDateTime = DWORD(FHeader.FileTime);
  written.dwHighDateTime = DWORD(FHeader.FileTime >> 32);
  HandleSetTime(FFiles.Destination, nullptr, nullptr, &written);
}

void TLzsExpansion::Flush() { HandleFlush(FFiles.Destination); }

void LzsExpandFile(const WideString& source, const WideString& destination) {
  TLzsExpansion expansion;
  expansion.Decode(source, destination);
  expansion.Verify();
  expansion.Stamp();
  expansion.Flush();
}

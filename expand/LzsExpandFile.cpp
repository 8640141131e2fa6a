#include "expand/LzsExpandFile.h"

#include <windows.h>

#include <memory>
#include <string>

#include "expand/GenByteIOHandle.h"
#include "expand/LzsDecode.h"
#include "gen0/GenFile.h"

namespace {
constexpr DWORD ReadBackBlock = 0x40000;

// Both handles are closed on every way out; the streams go first.
struct ExpandFiles {
  HANDLE Source = INVALID_HANDLE_VALUE;
  HANDLE Destination = INVALID_HANDLE_VALUE;
  ~ExpandFiles() {
    HandleClose(Source);
    HandleClose(Destination);
  }
};
}  // namespace

void LzsExpandFile(const WideString& source, const WideString& destination) {
  // Declared in this order so that every way out frees the streams (pending output is
  // dropped, never written) before the handles close.
  ExpandFiles files;
  auto in = std::make_unique<TGenByteInHandle>();
  std::unique_ptr<TGenByteOutHandle> out;
  files.Source = OpenFileRetryWide(source, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
  SetHandleInfoWide(files.Source, source, KindFile);
  in->SetHandle(files.Source);

  // The destination is not touched until the header has proved the source to be LZ01.
  TLzsHeader header = LzsReadHeader(*in);
  files.Destination = OpenFileRetryWide(destination, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, 0, nullptr);
  SetHandleInfoWide(files.Destination, destination, KindFile);
  out = std::make_unique<TGenByteOutHandle>();
  out->SetHandle(files.Destination);

  LzsDecodeBody(*in, *out);
  out->SetHandle(INVALID_HANDLE_VALUE);
  HandleSeek(files.Destination, 0, FILE_BEGIN);

  std::string block(ReadBackBlock, '\0');
  std::int64_t total = 0;
  std::uint32_t sum = 0;
  while (DWORD n = HandleRead(files.Destination, block.data(), ReadBackBlock)) {
    total += n;
    sum = SumBlock(sum, block.data(), n);
  }
  LzsCheck(header, total, sum, source);

  FILETIME written;
  written.dwLowDateTime = DWORD(header.FileTime);
  written.dwHighDateTime = DWORD(header.FileTime >> 32);
  HandleSetTime(files.Destination, nullptr, nullptr, &written);
  HandleFlush(files.Destination);
}

#include "expand/GenByteIOHandle.h"

#include "gen0/GenFile.h"

namespace {
// The source handle for the read-ahead: its large reads fail quietly, the reads of the stream's
// own sizes through the file layer, which raises with the file's name.
struct HandleSource {
  HANDLE Handle;
  std::int64_t Origin;
  DWORD Failure = 0;

  bool TryRead(void* buffer, std::uint32_t count, std::uint32_t* done) {
    DWORD n = 0;
    SetLastError(0);
    if (!ReadFile(Handle, buffer, count, &n, nullptr)) {
      Failure = GetLastError();
      return false;
    }
    *done = n;
    return true;
  }
  std::uint32_t Read(void* buffer, std::uint32_t count) { return HandleRead(Handle, buffer, count); }
  bool Rewind(std::int64_t position) {
    LARGE_INTEGER at;
    at.QuadPart = Origin + position;
    return SetFilePointerEx(Handle, at, nullptr, FILE_BEGIN) != 0;
  }
  [[noreturn]] void RaiseKeptFailure() { HandleError(Failure, "読み込みに失敗 - ", Handle, KindFile); }
};
}  // namespace

void TGenByteInHandle::SetHandle(HANDLE handle) {
  FHandle = handle;
  // Where reading starts, to go back to if reading ahead fails; where that cannot be told,
  // every refill reads for itself.
  LARGE_INTEGER zero = {}, here = {};
  FAhead.Reset(handle != INVALID_HANDLE_VALUE &&
               SetFilePointerEx(handle, zero, &here, FILE_CURRENT) != 0);
  FOrigin = here.QuadPart;
  Reset();
}

std::int32_t TGenByteInHandle::ReadSource(std::uint8_t* buffer, std::int32_t count) {
  if (FHandle == INVALID_HANDLE_VALUE) return 0;
  HandleSource source{FHandle, FOrigin};
  return FAhead.Read(source, buffer, count);
}

TGenByteOutHandle::TGenByteOutHandle() {
  SetBufferSize(0x40000);
  OnWrite = [this](const std::uint8_t* data, std::int32_t count) {
    if (count != 0) HandleWrite(FHandle, data, DWORD(count));
  };
}

void TGenByteOutHandle::SetHandle(HANDLE handle) {
  Flush();
  FHandle = handle;
}

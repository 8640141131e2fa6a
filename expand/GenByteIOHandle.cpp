#include "expand/GenByteIOHandle.h"

#include "gen0/GenFile.h"

void TGenByteInHandle::SetHandle(HANDLE handle) {
  FHandle = handle;
  Reset();
}

std::int32_t TGenByteInHandle::ReadSource(std::uint8_t* buffer, std::int32_t count) {
  if (FHandle == INVALID_HANDLE_VALUE) return 0;
  return std::int32_t(HandleRead(FHandle, buffer, DWORD(count)));
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

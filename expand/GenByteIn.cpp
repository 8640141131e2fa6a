#include <algorithm>
#include <cstring>

#include "expand/GenByteIO.h"

std::int32_t TGenByteIn::CountedRead(std::uint8_t* buffer, std::int32_t count) {
  std::int32_t n = ReadSource(buffer, count);
  FTotalRead += n;
  return n;
}

int TGenByteIn::Refill() {
  if (FEndReached) return -1;
  if (Capacity() != FBufferSize) SetCapacity(FBufferSize);
  std::int32_t n = CountedRead(Start(), Capacity());
  FPos = Start();
  FEnd = FPos + n;
  FEndReached = n == 0;
  if (n == 0) return -1;
  return *FPos++;
}

std::int32_t TGenByteIn::ReadBytes(void* buffer, std::int32_t count) {
  if (FEndReached) return 0;
  auto* dst = static_cast<std::uint8_t*>(buffer);
  std::int32_t copied = std::min<std::int32_t>(count, std::int32_t(FEnd - FPos));
  if (copied > 0) {
    std::memcpy(dst, FPos, copied);
    FPos += copied;
  }
  if (copied >= count) return copied;
  return copied + CountedRead(dst + copied, count - copied);
}

const std::uint8_t* TGenByteIn::Peek(std::int32_t count, std::uint8_t fill,
                                      std::int32_t* available) {
  if (FEnd - FPos < count) {
    // Twice the request, so that a run of peeks does not move the bytes on every call.
    if (FBufferSize < 2 * count) FBufferSize = 2 * count;
    std::int32_t held = std::int32_t(FEnd - FPos);
    if (held > 0) std::memmove(Start(), FPos, held);
    if (Capacity() != FBufferSize) SetCapacity(FBufferSize);
    FPos = Start();
    FEnd = FPos + held;
    FEnd += CountedRead(FEnd, Capacity() - held);
    FEndReached = FEnd == Start();
    if (FEnd < FPos + count) std::memset(FEnd, fill, FPos + count - FEnd);
  }
  if (available) *available = std::int32_t(FEnd - FPos);
  return FPos;
}

void TGenByteIn::Skip(std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) ReadByte();
}

void TGenByteIn::Reset() {
  FEndReached = false;
  FTotalRead = 0;
  FPos = nullptr;
  FEnd = nullptr;
}

void TGenByteInMem::SetSource(const void* data, std::int32_t count) {
  FSource = static_cast<const std::uint8_t*>(data);
  FRemaining = count;
  Reset();
}

std::int32_t TGenByteInMem::ReadSource(std::uint8_t* buffer, std::int32_t count) {
  std::int32_t n = std::min(count, FRemaining);
  if (n > 0) std::memcpy(buffer, FSource, n);
  FSource += n;
  FRemaining -= n;
  return n;
}

#include <algorithm>
#include <cstring>

#include "expand/GenByteIO.h"
#include "gen0/GenError.h"

void TGenByteOut::Flush() {
  if (FStart == FPos) return;
  if (!OnWrite) throw ELuInternal("TGenByteOut.OnWrite=nil");
  OnWrite(FStart, std::int32_t(FPos - FStart));
  FPos = FStart;
}

void TGenByteOut::SetBufferSize(std::int32_t n) {
  Flush();
  FStorage.assign(n, '\0');
  FStart = reinterpret_cast<std::uint8_t*>(FStorage.data());
  FPos = FStart;
  FEnd = FStart + n;
}

TGenByteOutString::TGenByteOutString(std::string& target) : Target(target) {
  OnWrite = [this](const std::uint8_t* data, std::int32_t n) { Append(data, n); };
}

void TGenByteOutString::Append(const std::uint8_t* data, std::int32_t n) {
  std::int64_t needed = std::int64_t(Count) + n;
  if (std::int64_t(Target.size()) < needed)
    Target.resize(std::min<std::int64_t>(needed + needed / 4 + 1, 2147483647));
  std::memcpy(Target.data() + Count, data, n);
  Count += n;
}

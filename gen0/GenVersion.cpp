#include "gen0/GenVersion.h"

#include <windows.h>

#include "gen0/GenAssert.h"

std::uint32_t WindowsVersion = 0;
std::uint32_t RawWindowsVersion = 0;

void ReadWindowsVersion() {
  RawWindowsVersion = GetVersion();
  GEN_ASSERT(RawWindowsVersion != 0);
  WindowsVersion = (LOBYTE(LOWORD(RawWindowsVersion)) << 8) | HIBYTE(LOWORD(RawWindowsVersion));
}

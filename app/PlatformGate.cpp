#include "app/PlatformGate.h"

#include <windows.h>

#include "gen0/GenError.h"

bool IsWow64() {
  using TIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
  auto probe = reinterpret_cast<TIsWow64Process>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
  if (!probe) return false;
  BOOL wow64 = FALSE;
  SetLastError(0);
  if (!probe(GetCurrentProcess(), &wow64))
    throw ELastError(GetLastError(), "６４ビット環境かどうか判別できません");
  return wow64 != FALSE;
}

bool PlatformAccepted(std::uint32_t windowsVersion, bool (*isWow64)()) {
  if (windowsVersion >= 0x040A && isWow64()) return true;
  return windowsVersion >= 0x0602;
}

#include "gen0/GenSystemLibrary.h"

#include <string>

#include "gen0/GenError.h"

HMODULE LoadSystemLibrary(const char* name) {
  wchar_t folder[MAX_PATH];
  UINT n = GetSystemDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH)
    throw ELastError(GetLastError(), std::string("ライブラリを読み込めません - ") + name);
  std::wstring path = std::wstring(folder, n) + L"\\";
  for (const char* p = name; *p; ++p) path += wchar_t(*p);  // system library names are ASCII
  SetLastError(0);
  // Its own imports, too, from beside it: the system folder.
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) throw ELastError(GetLastError(), std::string("ライブラリを読み込めません - ") + name);
  return module;
}

void RestrictDllSearch() {
  using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
  auto setDefault = reinterpret_cast<TSetDefaultDllDirectories>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryW(L"");
}

#include "gen0/GenReg.h"

#include "gen0/GenAssert.h"
#include "gen0/GenError.h"

namespace {
const char RegIoError[] = "レジストリ入出力エラー";

HMODULE s_advapi = nullptr;
FARPROC s_RegDeleteKeyExA = nullptr;

bool IsNotFound(LONG status) {
  return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}
}  // namespace

void CheckRegResult(bool raise, LONG status) {
  if (status != ERROR_SUCCESS) RaiseOrReport(raise, ELastError(DWORD(status), RegIoError));
}

void CloseRegKey(HKEY& key, bool raise) {
  if (key == NoRegKey) return;
  HKEY k = key;
  key = NoRegKey;
  CheckRegResult(raise, RegCloseKey(k));
}

bool OpenRegKey(HKEY root, const std::string& subkey, REGSAM access, bool missingIsAbsent,
                HKEY& key) {
  CloseRegKey(key, true);
  HKEY opened = nullptr;
  LONG status = RegOpenKeyExA(root, subkey.c_str(), 0, access, &opened);
  if (status != ERROR_SUCCESS) {
    if (missingIsAbsent && IsNotFound(status)) return false;
    CheckRegResult(true, status);
  }
  key = opened;
  return true;
}

bool QueryRegValue(HKEY key, const std::string& valueName, DWORD& type, std::string& data) {
  std::string buffer(100, '\0');
  for (int retries = 0;; ++retries) {
    DWORD size = DWORD(buffer.size() - 10);
    type = REG_SZ;
    LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (IsNotFound(status)) {
      data.clear();
      type = 0;
      return false;
    }
    if (status == ERROR_MORE_DATA && retries < 10) {
      buffer.assign(size + 100, '\0');
      continue;
    }
    if (status != ERROR_SUCCESS) throw ELastError(DWORD(status), RegIoError);
    buffer.resize(size);
    data = std::move(buffer);
    return true;
  }
}

void ReadRegString(HKEY root, const std::string& subkey, const std::string& valueName,
                   std::string& result, int AcceptExpandString) {
  GEN_ASSERT(AcceptExpandString == 0 || AcceptExpandString == 1);
  result.clear();
  HKEY key = NoRegKey;
  if (!OpenRegKey(root, subkey, KEY_QUERY_VALUE, true, key)) return;
  try {
    DWORD type = 0;
    std::string data;
    if (QueryRegValue(key, valueName, type, data) &&
        (type == REG_SZ || (type == REG_EXPAND_SZ && AcceptExpandString == 1)))
      result.assign(data.c_str());  // up to the first NUL
  } catch (...) {
    CloseRegKey(key, false);
    throw;
  }
  CloseRegKey(key, true);
}

void GenRegStartup() {
  s_advapi = LoadLibraryA("advapi32.dll");
  if (s_advapi) s_RegDeleteKeyExA = GetProcAddress(s_advapi, "RegDeleteKeyExA");
}

void GenRegShutdown() {
  s_RegDeleteKeyExA = nullptr;
  if (HMODULE h = s_advapi) {
    s_advapi = nullptr;
    FreeLibrary(h);
  }
}

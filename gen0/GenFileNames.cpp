// Module, full, long and Windows folder names; existence and one-file lookups.
#include <vector>

#include "gen0/GenFile.h"
#include "gen0/GenPath.h"

namespace {
bool HasWildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

// First component of rest (up to a backslash or slash), the separators after it, the remainder.
// Steps by characters, so a trail byte 0x5C is no separator.
void CutComponent(const std::string& rest, std::string& component, std::string& seps,
                  std::string& remainder) {
  const char* begin = rest.data();
  const char* end = begin + rest.size();
  const char* p = begin;
  while (p < end) {
    int n = CharLength(p, end);
    if (n == 0 || (n == 1 && (*p == '\\' || *p == '/'))) break;
    p += n;
  }
  const char* q = p;
  while (q < end && (*q == '\\' || *q == '/')) ++q;
  component.assign(begin, p);
  seps.assign(p, q);
  remainder.assign(q, end);
}
}  // namespace

std::string ModuleFileName(HMODULE module) {
  std::vector<char> buffer(260);
  SetLastError(0);
  DWORD first = GetModuleFileNameA(module, buffer.data(), DWORD(buffer.size()));
  if (first == 0) throw ELastError(GetLastError(), "モジュールファイル名を取得できません");
  if (first < 259) return std::string(buffer.data(), first);
  buffer.resize(first + 2);
  SetLastError(0);
  DWORD second = GetModuleFileNameA(module, buffer.data(), DWORD(buffer.size()));
  if (second == 0) throw ELastError(GetLastError(), "モジュールファイル名を取得できません");
  if (second >= first + 1)
    throw Exception("バッファの長さを決定できないためにモジュールファイル名を取得できません.");
  return std::string(buffer.data(), second);
}

std::string ProgramFolder() {
  PathParts p = SplitPath(LongPathName(ModuleFileName(nullptr)));
  return p.Root + p.Dir + p.Sep;
}

std::string FullPathName(const std::string& path, int* filePart) {
  std::vector<char> buffer(261);
  char* part = nullptr;
  SetLastError(0);
  DWORD n = GetFullPathNameA(path.c_str(), DWORD(buffer.size()), buffer.data(), &part);
  if (n > buffer.size()) {
    buffer.resize(n + 10);
    SetLastError(0);
    n = GetFullPathNameA(path.c_str(), DWORD(buffer.size()), buffer.data(), &part);
    if (n > buffer.size()) throw ELuError("GetFullPathName に失敗");
  }
  if (n == 0) throw ELastError(GetLastError(), "フルパスを作成できません - " + path);
  if (filePart) *filePart = part ? int(part - buffer.data()) : int(n);
  return std::string(buffer.data(), n);
}

std::string LongPathName(const std::string& path) {
  PathParts p = SplitPath(TrimRightSpaces(FullPathName(path)));
  std::string result = p.Root;
  std::string rest = p.Dir + p.Sep + p.Name + p.Ext;
  while (!rest.empty()) {
    std::string component, seps, remainder;
    CutComponent(rest, component, seps, remainder);
    if (HasWildcard(component)) break;
    FindResult found = FindOneFile(result + component);
    if (!found.Found) break;
    result += found.Data.cFileName + seps;
    rest = remainder;
  }
  return result + rest;
}

bool PathExists(const std::string& path, bool ignoreErrors, int kind) {
  SetLastError(0);
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD code = GetLastError();
    if (ignoreErrors || code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return false;
    throw ELastError(code, "ファイルを検索できません - " + path);
  }
  bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return kind == ExistsAny || (kind == ExistsFolder) == folder;
}

FindResult FindOneFile(const std::string& path) {
  FindResult r;
  r.SearchPath = path;
  if (HasWildcard(path)) return r;
  SetLastError(0);
  HANDLE h = FindFirstFileA(path.c_str(), &r.Data);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_NO_MORE_FILES)
      return r;
    throw ELastError(code, "ファイルの検索に失敗 - " + path);
  }
  FindClose(h);
  r.Found = true;
  r.Size = (std::uint64_t(r.Data.nFileSizeHigh) << 32) | r.Data.nFileSizeLow;
  return r;
}

std::string WindowsFolder() {
  std::vector<char> buffer(360);
  UINT n = GetWindowsDirectoryA(buffer.data(), 359);
  if (n > 359) {
    buffer.resize(n + 100);
    n = GetWindowsDirectoryA(buffer.data(), UINT(buffer.size()) - 1);
    if (n > buffer.size() - 1) throw ELuError("ウィンドウズディレクトリの取得に失敗");
  }
  return std::string(buffer.data(), n);
}

std::string WindowsRoot() { return AddTrailingSeparator(SplitPath(WindowsFolder()).Root); }

void SetQuietErrorMode() { SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX); }

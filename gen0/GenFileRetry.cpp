// Open, delete and rename with retries on sharing conflicts.
#include "gen0/GenFile.h"
#include "gen0/GenRetry.h"

DWORD RetryInterval = 500;
DWORD RetryTimeout = 10000;

namespace {
const char* OpenText(DWORD access) {
  if ((access & (GENERIC_READ | GENERIC_WRITE)) == access && (access & GENERIC_WRITE))
    return "書き込みのために開くことが出来ません";
  if (access == GENERIC_READ) return "読み取りのために開くことが出来ません";
  return "開くことが出来ません";
}

const char* OpenTextWide(DWORD access) {
  if ((access & (GENERIC_READ | GENERIC_WRITE)) == access && (access & GENERIC_WRITE))
    return "書き込みのために開くことができません";
  if (access == GENERIC_READ) return "読み取りのために開くことができません";
  return "開くことが出来ません";
}

// Delete never retries code 5: an access-denied file stays so.
bool DeleteConflict(DWORD code) { return code == 32 || code == 33; }
bool Missing(DWORD code) { return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND; }
}  // namespace

HANDLE OpenFileRetry(const std::string& path, DWORD access, DWORD share,
                     SECURITY_ATTRIBUTES* security, DWORD creation, DWORD flags, HANDLE tmpl) {
  HANDLE h = INVALID_HANDLE_VALUE;
  bool opened = RetryLoop(
      [&] {
        h = CreateFileA(path.c_str(), access, share, security, creation, flags, tmpl);
        return h != INVALID_HANDLE_VALUE;
      },
      SharingConflict, RetryTimeout, RetryInterval);
  if (!opened) {
    DWORD code = GetLastError();
    throw ELastError(code, std::string(OpenText(access)) + " - " + path);
  }
  return h;
}

HANDLE OpenFileRetryWide(const WideString& path, DWORD access, DWORD share,
                         SECURITY_ATTRIBUTES* security, DWORD creation, DWORD flags, HANDLE tmpl) {
  HANDLE h = INVALID_HANDLE_VALUE;
  bool opened = RetryLoop(
      [&] {
        h = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), access, share, security,
                        creation, flags, tmpl);
        return h != INVALID_HANDLE_VALUE;
      },
      SharingConflict, RetryTimeout, RetryInterval);
  if (!opened) {
    DWORD code = GetLastError();
    throw ELastError::CreateWide(code, AnsiToWide(std::string(OpenTextWide(access)) + " - ") + path);
  }
  return h;
}

bool DeleteFileRetry(const std::string& path, bool clearAttributes, int timeout, int interval) {
  bool deleted = RetryLoop(
      [&] {
        if (clearAttributes) SetFileAttributesA(path.c_str(), 0);
        SetLastError(0);
        return DeleteFileA(path.c_str()) != 0;
      },
      DeleteConflict, RetrySetting(timeout, RetryTimeout), RetrySetting(interval, RetryInterval));
  if (deleted) return true;
  DWORD code = GetLastError();
  if (Missing(code)) return false;
  throw ELastError(code, "ファイルを削除できません - " + path);
}

bool DeleteFileRetryWide(const WideString& path, bool clearAttributes, int timeout, int interval) {
  auto wpath = reinterpret_cast<const wchar_t*>(path.c_str());
  bool deleted = RetryLoop(
      [&] {
        if (clearAttributes) SetFileAttributesW(wpath, 0);
        SetLastError(0);
        return DeleteFileW(wpath) != 0;
      },
      DeleteConflict, RetrySetting(timeout, RetryTimeout), RetrySetting(interval, RetryInterval));
  if (deleted) return true;
  DWORD code = GetLastError();
  if (Missing(code)) return false;
  throw ELastError::CreateWide(code, AnsiToWide("ファイルを削除できません - ") + path);
}

bool DeleteFileChecked(const std::string& path, bool raise, bool quiet) {
  try {
    return DeleteFileRetry(path, true, -1, -1);
  } catch (const Exception& e) {
    if (quiet) return false;
    if (raise) throw;
    ReportException(e);
    return false;
  }
}

bool DeleteFileCheckedWide(const WideString& path, bool raise) {
  try {
    return DeleteFileRetryWide(path, true, -1, -1);
  } catch (const Exception& e) {
    if (raise) throw;
    ReportException(e);
    return false;
  }
}

bool MoveFileRetry(const std::string& from, const std::string& to, int timeout, int interval) {
  return RetryLoop([&] { return MoveFileA(from.c_str(), to.c_str()) != 0; }, SharingConflict,
                   RetrySetting(timeout, RetryTimeout), RetrySetting(interval, RetryInterval));
}

void MoveOrRename(const std::string& from, const std::string& to) {
  if (MoveFileRetry(from, to, -1, -1)) return;
  DWORD code = GetLastError();
  throw ELastError(code, "ファイル・フォルダ名の変更または移動ができません " + from + "→" + to);
}

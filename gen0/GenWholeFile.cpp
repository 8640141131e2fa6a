#include "gen0/GenFile.h"
#include "gen0/GenRetry.h"

namespace {
// Owns the file handle for the span of one write; closing goes through HandleClose.
struct FileHandle {
  HANDLE h = INVALID_HANDLE_VALUE;
  FileHandle() = default;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { HandleClose(h); }
};

DWORD CreationMode(BYTE options) {
  if (options & WwAppend) return OPEN_ALWAYS;
  if (options & WwCreateNew) return CREATE_NEW;
  return CREATE_ALWAYS;
}

[[noreturn]] void WriteFailed(DWORD code, const std::string& path) {
  throw ELastError(code, "ファイルへ書き込み出来ません\r\n\r\n" + path);
}

// Re-stamps the last-write time and checks that a directory lookup sees the same value.
void VerifyTime(FileHandle& file, const std::string& path) {
  HandleSize(file.h);
  FILETIME written{}, stamped{};
  HandleGetTime(file.h, nullptr, nullptr, &written);
  HandleSetTime(file.h, nullptr, nullptr, &written);
  HandleGetTime(file.h, nullptr, nullptr, &stamped);
  HandleClose(file.h);
  FindResult found = FindOneFile(path);
  if (found.Found && CompareFileTime(&found.Data.ftLastWriteTime, &stamped) != 0)
    throw ELuInternal("ファイル時刻エラー");
}
}  // namespace

void WriteWholeFile(const std::string& path, const std::string& bytes, BYTE options, int interval,
                    int timeout) {
  DWORD wait = RetrySetting(timeout, RetryTimeout);
  DWORD pause = RetrySetting(interval, RetryInterval);
  DWORD creation = CreationMode(options);
  if (creation == CREATE_ALWAYS) DeleteFileRetry(path, false, int(wait), int(pause));

  FileHandle file;
  DWORD attributes = (options & WwHidden) ? FILE_ATTRIBUTE_HIDDEN : 0;
  bool opened = RetryLoop(
      [&] {
        file.h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, creation, attributes, nullptr);
        return file.h != INVALID_HANDLE_VALUE;
      },
      SharingConflict, wait, pause);
  if (!opened) WriteFailed(GetLastError(), path);
  SetHandleInfo(file.h, path, KindFile);

  SetLastError(0);
  if ((options & WwAppend) && SetFilePointer(file.h, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
      GetLastError() != 0)
    WriteFailed(GetLastError(), path);
  DWORD done = 0;
  SetLastError(0);
  if (!WriteFile(file.h, bytes.data(), DWORD(bytes.size()), &done, nullptr))
    WriteFailed(GetLastError(), path);
  if (done != bytes.size()) WriteFailed(ERROR_DISK_FULL, path);
  if (!(options & WwNoFlush) || (options & WwVerify)) {
    SetLastError(0);
    if (!FlushFileBuffers(file.h)) WriteFailed(GetLastError(), path);
  }
  if (options & WwVerify) VerifyTime(file, path);
  HandleClose(file.h);
}

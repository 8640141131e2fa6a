#include "gen0/GenAssert.h"
#include "gen0/GenFile.h"
#include "gen0/GenLog.h"

namespace {
// Every wrapped handle must have been registered right after it was opened.
void CheckRegistered(HANDLE h) {
  if (DebugMode) GEN_ASSERT(FindHandleInfo(h, KindFile, false) != 0);
}

[[noreturn]] void Fail(const char* text, HANDLE h) {
  HandleError(GetLastError(), text, h, KindFile);
}
}  // namespace

void HandleGetTime(HANDLE h, FILETIME* creation, FILETIME* access, FILETIME* write) {
  CheckRegistered(h);
  SetLastError(0);
  if (!GetFileTime(h, creation, access, write)) Fail("ファイルの時刻を取得できません - ", h);
}

void HandleSetTime(HANDLE h, const FILETIME* creation, const FILETIME* access,
                   const FILETIME* write) {
  CheckRegistered(h);
  SetLastError(0);
  if (!SetFileTime(h, creation, access, write)) Fail("ファイルの時刻を設定できません - ", h);
}

DWORD HandleRead(HANDLE h, void* buffer, DWORD count) {
  CheckRegistered(h);
  DWORD done = 0;
  SetLastError(0);
  if (!ReadFile(h, buffer, count, &done, nullptr)) Fail("読み込みに失敗 - ", h);
  return done;
}

DWORD HandleWrite(HANDLE h, const void* buffer, DWORD count) {
  CheckRegistered(h);
  DWORD done = 0;
  SetLastError(0);
  if (!WriteFile(h, buffer, count, &done, nullptr)) Fail("書き込みに失敗 - ", h);
  if (done != count) HandleError(0, "書き込みに失敗 - ", h, KindFile, true);
  return done;
}

DWORD HandleSeek(HANDLE h, LONG distance, DWORD method) {
  CheckRegistered(h);
  SetLastError(0);
  DWORD pos = SetFilePointer(h, distance, nullptr, method);
  if (pos == INVALID_SET_FILE_POINTER && GetLastError() != 0) Fail("シークに失敗しました - ", h);
  return pos;
}

std::int64_t HandleSeek64(HANDLE h, std::int64_t distance, DWORD method) {
  CheckRegistered(h);
  LONG high = LONG(distance >> 32);
  SetLastError(0);
  DWORD low = SetFilePointer(h, LONG(distance & 0xFFFFFFFF), &high, method);
  if (low == INVALID_SET_FILE_POINTER && GetLastError() != 0) Fail("シークに失敗しました - ", h);
  return (std::int64_t(high) << 32) | low;
}

void HandleSetEnd(HANDLE h) {
  SetLastError(0);
  if (!SetEndOfFile(h)) Fail("ファイルの書き込みに失敗 - ", h);
}

DWORD HandleSize(HANDLE h) {
  CheckRegistered(h);
  SetLastError(0);
  DWORD size = GetFileSize(h, nullptr);
  if (size == INVALID_FILE_SIZE && GetLastError() != 0) Fail("ファイルサイズを取得できません - ", h);
  return size;
}

std::int64_t HandleSize64(HANDLE h) {
  CheckRegistered(h);
  DWORD high = 0;
  SetLastError(0);
  DWORD low = GetFileSize(h, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != 0) Fail("ファイルサイズを取得できません - ", h);
  return (std::int64_t(high) << 32) | low;
}

void HandleFlush(HANDLE h) {
  CheckRegistered(h);
  SetLastError(0);
  if (!FlushFileBuffers(h)) Fail("書き込み（フラッシュ）に失敗 - ", h);
}

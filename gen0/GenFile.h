// Strict wrappers around the Win32 file calls. Failures raise exceptions that name the file;
// open, delete and rename wait out sharing conflicts with other processes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "gen0/GenError.h"

// Pause between attempts and the total time spent retrying, in milliseconds.
extern DWORD RetryInterval;
extern DWORD RetryTimeout;

// Name table of open handles, so that a failure with only a handle can name its file.
enum : BYTE { KindFile = 0, KindFind = 1 };
int SetHandleInfo(HANDLE handle, const std::string& name, BYTE kind);
int SetHandleInfoWide(HANDLE handle, const WideString& name, BYTE kind);
int FindHandleInfo(HANDLE handle, BYTE kind, bool add);
void ClearHandleInfo(int row);
std::string HandleName(HANDLE handle, BYTE kind);
// Base-library shut-down: frees every row but row 0.
void ReleaseHandleTable();
// The exception for a failed call on a registered handle: text followed by its name. Code 0
// and shortWrite build an ELuError without a code.
[[noreturn]] void HandleError(DWORD code, const std::string& text, HANDLE handle, BYTE kind,
                              bool shortWrite = false);

void HandleGetTime(HANDLE h, FILETIME* creation, FILETIME* access, FILETIME* write);
void HandleSetTime(HANDLE h, const FILETIME* creation, const FILETIME* access,
                   const FILETIME* write);
DWORD HandleRead(HANDLE h, void* buffer, DWORD count);
DWORD HandleWrite(HANDLE h, const void* buffer, DWORD count);
DWORD HandleSeek(HANDLE h, LONG distance, DWORD method);
std::int64_t HandleSeek64(HANDLE h, std::int64_t distance, DWORD method);
void HandleSetEnd(HANDLE h);
DWORD HandleSize(HANDLE h);
std::int64_t HandleSize64(HANDLE h);
void HandleFlush(HANDLE h);

HANDLE OpenFileRetry(const std::string& path, DWORD access, DWORD share,
                     SECURITY_ATTRIBUTES* security, DWORD creation, DWORD flags, HANDLE tmpl);
HANDLE OpenFileRetryWide(const WideString& path, DWORD access, DWORD share,
                         SECURITY_ATTRIBUTES* security, DWORD creation, DWORD flags, HANDLE tmpl);
// False without a call when h is already empty; a refused close asks to retry or terminate.
bool HandleClose(HANDLE& h);
bool CloseKernelHandle(HANDLE& h, bool raise);
void CloseFindHandle(HANDLE& h, bool raise);

// timeout and interval of -1 mean the process-wide settings.
bool DeleteFileRetry(const std::string& path, bool clearAttributes, int timeout, int interval);
bool DeleteFileRetryWide(const WideString& path, bool clearAttributes, int timeout, int interval);
bool DeleteFileChecked(const std::string& path, bool raise, bool quiet);
bool DeleteFileCheckedWide(const WideString& path, bool raise);
bool MoveFileRetry(const std::string& from, const std::string& to, int timeout, int interval);
void MoveOrRename(const std::string& from, const std::string& to);

enum : BYTE { WwAppend = 1, WwCreateNew = 2, WwVerify = 4, WwNoFlush = 8, WwHidden = 16 };
void WriteWholeFile(const std::string& path, const std::string& bytes, BYTE options,
                    int interval = -1, int timeout = -1);

struct FindResult {
  std::string SearchPath;
  bool Found = false;
  WIN32_FIND_DATAA Data{};
  std::uint64_t Size = 0;
};

std::string ModuleFileName(HMODULE module);
std::string ProgramFolder();
std::string FullPathName(const std::string& path, int* filePart = nullptr);
std::string LongPathName(const std::string& path);
enum { ExistsFile = 0, ExistsFolder = 1, ExistsAny = 2 };
bool PathExists(const std::string& path, bool ignoreErrors, int kind);
FindResult FindOneFile(const std::string& path);
std::string WindowsFolder();
std::string WindowsRoot();
// No system dialog for a missing medium or a failed open.
void SetQuietErrorMode();

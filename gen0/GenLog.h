// Debug mode and the two logs: DEBUG.LOG in the program's folder and the error log named after
// the executable. Both are written only in debug mode.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

extern bool DebugMode;
// Off at start-up; the window layer turns it on in debug mode.
extern bool ErrorLogEnabled;

constexpr std::int64_t MaxLogSize = 2048000;
constexpr std::int64_t KeepLogSize = 1024000;

// The handle of the last error-log write stays open until the next write or shut-down.
struct TLogCache {
  std::string Path;
  HANDLE Handle = INVALID_HANDLE_VALUE;
};

// Appends bytes (up to their first NUL) to path. With maxSize, a file larger than that is first
// cut to the bytes after the first LF of its last keepSize bytes.
void AppendToLog(const std::string& path, const std::string& bytes, std::int64_t maxSize,
                 TLogCache* cache, std::int64_t keepSize);

// An entry stamped with the local time.
std::string FormatLogEntry(const std::string& text);

// One entry in DEBUG.LOG, in debug mode and unless Shift is held down.
void DebugLog(const std::string& text);
// One entry in the error log when it is enabled.
void LogError(const std::string& text);
// The same, keeping the log below MaxLogSize, through the replaceable writer.
using TLogWriter = void (*)(const std::string& entry);
extern TLogWriter LogErrorWriter;
void LogErrorLimited(const std::string& text);

// Fixes the debug-log folder and the error-log path from the running executable.
void SetupLogPaths();
const std::string& DebugLogPath();
const std::string& ErrorLogPath();
// Closes the cached error-log handle, ignoring any failure.
void CloseErrorLogCache();

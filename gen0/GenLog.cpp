#include "gen0/GenLog.h"

#include "gen0/GenFile.h"
#include "gen0/GenLogFormat.h"
#include "gen0/GenPath.h"

bool DebugMode = false;
bool ErrorLogEnabled = false;

namespace {
std::string s_debugLogPath;
std::string s_errorLogPath;
TLogCache s_errorLogCache;

void WriteLimited(const std::string& entry) {
  AppendToLog(s_errorLogPath, entry, MaxLogSize, &s_errorLogCache, KeepLogSize);
}

// Keeps the newest keepSize bytes from a line boundary and leaves the position at their end.
void CutToNewest(HANDLE h, std::int64_t size, std::int64_t keepSize) {
  HandleSeek64(h, size - keepSize, FILE_BEGIN);
  std::string kept(size_t(keepSize), '\0');
  DWORD n = HandleRead(h, kept.data(), DWORD(keepSize));
  kept.resize(n);
  size_t lf = kept.find('\n');
  kept.erase(0, lf == std::string::npos ? kept.size() : lf + 1);
  HandleSeek64(h, 0, FILE_BEGIN);
  if (!kept.empty()) HandleWrite(h, kept.data(), DWORD(kept.size()));
  HandleSetEnd(h);
}
}  // namespace

TLogWriter LogErrorWriter = WriteLimited;

void AppendToLog(const std::string& path, const std::string& bytes, std::int64_t maxSize,
                 TLogCache* cache, std::int64_t keepSize) {
  if (cache) {
    HandleClose(cache->Handle);
    cache->Path.clear();
  }
  HANDLE h = INVALID_HANDLE_VALUE;
  try {
    h = OpenFileRetry(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0,
                      nullptr);
    SetHandleInfo(h, path, KindFile);
    HandleSeek64(h, 0, FILE_END);
    if (maxSize != 0) {
      std::int64_t size = HandleSize64(h);
      if (size > maxSize) CutToNewest(h, size, keepSize);
    }
    size_t n = bytes.find('\0');
    if (n == std::string::npos) n = bytes.size();
    if (n) HandleWrite(h, bytes.data(), DWORD(n));
  } catch (...) {
    try {
      HandleClose(h);
    } catch (...) {
    }
    throw;
  }
  if (cache) {
    cache->Path = path;
    cache->Handle = h;
  } else {
    HandleClose(h);
  }
}

std::string FormatLogEntry(const std::string& text) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return FormatLogEntry(LogTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond}, text);
}

void DebugLog(const std::string& text) {
  if (GetAsyncKeyState(VK_SHIFT) < 0 || !DebugMode) return;
  WriteWholeFile(s_debugLogPath, FormatLogEntry(text), WwAppend | WwNoFlush, -1, -1);
}

void LogError(const std::string& text) {
  if (ErrorLogEnabled) AppendToLog(s_errorLogPath, FormatLogEntry(text), 0, &s_errorLogCache, 0);
}

void LogErrorLimited(const std::string& text) {
  if (ErrorLogEnabled) LogErrorWriter(FormatLogEntry(text));
}

void SetupLogPaths() {
  s_debugLogPath = ProgramFolder() + "DEBUG.LOG";
  PathParts p = SplitPath(ModuleFileName(nullptr));
  s_errorLogPath = p.Root + p.Dir + p.Sep + p.Name + ".log";
}

const std::string& DebugLogPath() { return s_debugLogPath; }
const std::string& ErrorLogPath() { return s_errorLogPath; }

void CloseErrorLogCache() {
  try {
    HandleClose(s_errorLogCache.Handle);
  } catch (...) {
  }
  s_errorLogCache.Path.clear();
}

// The error log's size limit and cut, the entry format and the debug-mode switch.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "gen0/GenFile.h"
#include "gen0/GenLog.h"

namespace {
std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string TempFile(const char* name) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  return std::string(tmp) + name;
}
}  // namespace

TEST(Log, OversizedLogKeepsItsNewestLinesThenAppends) {
  std::string path = TempFile("morimo_limit.log");
  // 3000000 bytes of numbered 100-byte lines.
  std::string old;
  for (int i = 0; old.size() < 3000000; ++i) {
    std::string line = std::to_string(i);
    line.resize(99, '.');
    old += line + '\n';
  }
  old.resize(3000000);
  std::ofstream(path, std::ios::binary) << old;

  TLogCache cache;
  AppendToLog(path, std::string("entry\r\n") + '\0' + "ignored", MaxLogSize, &cache, KeepLogSize);
  EXPECT_EQ(cache.Path, path);
  HandleClose(cache.Handle);

  std::string window = old.substr(old.size() - KeepLogSize);
  std::string expected = window.substr(window.find('\n') + 1) + "entry\r\n";
  EXPECT_EQ(ReadAll(path), expected);

  // A keep window without any LF keeps nothing.
  std::ofstream(path, std::ios::binary) << std::string(3000000, 'x');
  AppendToLog(path, "next", MaxLogSize, nullptr, KeepLogSize);
  EXPECT_EQ(ReadAll(path), "next");

  // Below the limit the log only grows.
  AppendToLog(path, "-more", MaxLogSize, nullptr, KeepLogSize);
  EXPECT_EQ(ReadAll(path), "next-more");
  DeleteFileA(path.c_str());
}

TEST(Log, NothingIsWrittenOutsideDebugMode) {
  SetupLogPaths();
  DeleteFileA(DebugLogPath().c_str());
  DeleteFileA(ErrorLogPath().c_str());
  DebugMode = false;
  ErrorLogEnabled = false;
  DebugLog("x");
  LogError("x");
  LogErrorLimited("x");
  EXPECT_EQ(GetFileAttributesA(DebugLogPath().c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA(ErrorLogPath().c_str()), INVALID_FILE_ATTRIBUTES);

  DebugMode = ErrorLogEnabled = true;
  LogError("ハンドルクローズに失敗");
  DebugLog("s_timeMax=0");
  CloseErrorLogCache();
  std::string error = ReadAll(ErrorLogPath());
  std::string debug = ReadAll(DebugLogPath());
  // "%u/%u/%u %.2u:%.2u:%.2u" then the text in braces.
  EXPECT_EQ(error.substr(error.find('{')), "{\r\nハンドルクローズに失敗\r\n}\r\n");
  EXPECT_EQ(error.find(' '), error.find(':') - 3);
  EXPECT_EQ(debug.substr(debug.find('{')), "{\r\ns_timeMax=0\r\n}\r\n");
  DebugMode = ErrorLogEnabled = false;
  DeleteFileA(DebugLogPath().c_str());
  DeleteFileA(ErrorLogPath().c_str());
}

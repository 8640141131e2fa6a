// File wrappers under Wine: retries against another process, deletes, whole-file writes and the
// names in failure messages.
#include <gtest/gtest.h>
#include <windows.h>

#include "gen0/GenAssert.h"
#include "gen0/GenFile.h"
#include "gen0/GenLog.h"
#include "gen0/GenPath.h"

namespace {
int g_reported = 0;
std::string g_lastReport;
void CountingReport(const Exception& e) {
  ++g_reported;
  g_lastReport = e.Message;
}

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

std::string ReadAll(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return "(missing)";
  char buffer[256];
  DWORD n = 0;
  ReadFile(h, buffer, sizeof buffer, &n, nullptr);
  CloseHandle(h);
  return std::string(buffer, n);
}

class FileTest : public ::testing::Test {
protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = AddTrailingSeparator(std::string(temp) + "morimo_file_test" +
                                std::to_string(GetCurrentProcessId()));
    CreateDirectoryA(dir_.c_str(), nullptr);
    savedInterval_ = RetryInterval;
    savedTimeout_ = RetryTimeout;
    savedReport_ = ReportException;
    RetryInterval = 100;
    RetryTimeout = 1500;
    ReportException = CountingReport;
    g_reported = 0;
  }
  void TearDown() override {
    if (child_) {
      WaitForSingleObject(child_, 10000);
      CloseKernelHandle(child_, false);
    }
    RetryInterval = savedInterval_;
    RetryTimeout = savedTimeout_;
    ReportException = savedReport_;
    WIN32_FIND_DATAA d;
    HANDLE f = FindFirstFileA((dir_ + "*").c_str(), &d);
    if (f != INVALID_HANDLE_VALUE) {
      do {
        SetFileAttributesA((dir_ + d.cFileName).c_str(), 0);
        DeleteFileA((dir_ + d.cFileName).c_str());
      } while (FindNextFileA(f, &d));
      FindClose(f);
    }
    RemoveDirectoryA(dir_.c_str());
  }

  // Starts the holder process on path for ms milliseconds and waits until it has the file.
  void HoldInOtherProcess(const std::string& path, int ms) {
    std::string marker = dir_ + "ready.marker";
    std::string cmd = "\"" + ProgramFolder() + "file_holder.exe\" \"" + path + "\" \"" + marker +
                      "\" " + std::to_string(ms);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &si, &pi));
    CloseHandle(pi.hThread);
    child_ = pi.hProcess;
    for (int i = 0; i < 600 && GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
      Sleep(50);
    ASSERT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "holder never started";
  }

  std::string dir_;
  HANDLE child_ = nullptr;
  DWORD savedInterval_ = 0, savedTimeout_ = 0;
  TReportException savedReport_ = nullptr;
};
}  // namespace

TEST_F(FileTest, OpenRetriesWhileAnotherProcessHoldsTheFile) {
  std::string path = dir_ + "held.txt";
  HoldInOtherProcess(path, 3000);
  DWORD start = GetTickCount();
  try {
    OpenFileRetry(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FAIL() << "opened a file held without sharing";
  } catch (const ELastError& e) {
    EXPECT_EQ(e.ErrorCode, 32u);
    EXPECT_TRUE(StartsWith(e.Message, SystemErrorText(32))) << e.Message;
    EXPECT_NE(e.Message.find("読み取りのために開くことが出来ません - " + path), std::string::npos);
  }
  EXPECT_GE(GetTickCount() - start, 1400u);
}

TEST_F(FileTest, OpenSucceedsWhenTheOtherProcessLetsGoInTime) {
  std::string path = dir_ + "released.txt";
  RetryTimeout = 10000;
  HoldInOtherProcess(path, 1500);
  HANDLE h = OpenFileRetry(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
  SetHandleInfo(h, path, KindFile);
  EXPECT_EQ(HandleName(h, KindFile), path);
  EXPECT_TRUE(HandleClose(h));
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(HandleClose(h));
}

TEST_F(FileTest, OpenFailureTextFollowsTheAccessMask) {
  std::string path = dir_ + "nothing\\x.txt";
  auto message = [&](DWORD access) {
    try {
      OpenFileRetry(path, access, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    } catch (const ELastError& e) {
      EXPECT_EQ(e.ErrorCode, 3u);
      return e.CallerText;
    }
    return std::string("(opened)");
  };
  EXPECT_EQ(message(GENERIC_WRITE), "書き込みのために開くことが出来ません - " + path);
  EXPECT_EQ(message(GENERIC_READ | GENERIC_WRITE), "書き込みのために開くことが出来ません - " + path);
  EXPECT_EQ(message(GENERIC_READ), "読み取りのために開くことが出来ません - " + path);
  EXPECT_EQ(message(0), "開くことが出来ません - " + path);
}

TEST_F(FileTest, Deleting) {
  std::string path = dir_ + "readonly.txt";
  WriteWholeFile(path, "x", 0);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(DeleteFileChecked(path, true, false));
  EXPECT_FALSE(PathExists(path, false, ExistsAny));
  EXPECT_FALSE(DeleteFileChecked(path, true, false));
  EXPECT_FALSE(DeleteFileRetry(dir_ + "nofolder\\x.txt", false, -1, -1));
  EXPECT_FALSE(DeleteFileRetryWide(AnsiToWide(path), true, -1, -1));
}

// Deleting a folder path gives code 5 on Windows and under Wine alike; a file held open by another
// process gives 32 under Wine, not 5, so it would be retried.
TEST_F(FileTest, AccessDeniedOnDeleteRaisesAtOnce) {
  std::string sub = dir_ + "sub";
  CreateDirectoryA(sub.c_str(), nullptr);
  RetryTimeout = 10000;
  DWORD start = GetTickCount();
  try {
    DeleteFileChecked(sub, true, false);
    FAIL() << "deleted a folder";
  } catch (const ELastError& e) {
    EXPECT_EQ(e.ErrorCode, 5u);
    EXPECT_EQ(e.CallerText, "ファイルを削除できません - " + sub);
  }
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_FALSE(DeleteFileChecked(sub, true, true));
  EXPECT_FALSE(DeleteFileChecked(sub, false, false));
  EXPECT_EQ(g_reported, 1);
  RemoveDirectoryA(sub.c_str());
}

TEST_F(FileTest, WriteWholeFileModes) {
  std::string path = dir_ + "whole.txt";
  WriteWholeFile(path, "abc", WwVerify);
  WriteWholeFile(path, "def", WwAppend | WwNoFlush);
  EXPECT_EQ(ReadAll(path), "abcdef");
  WriteWholeFile(path, "new", 0);
  EXPECT_EQ(ReadAll(path), "new");
  try {
    WriteWholeFile(path, "again", WwCreateNew);
    FAIL() << "CreateNew replaced an existing file";
  } catch (const ELastError& e) {
    EXPECT_EQ(e.ErrorCode, 80u);
    EXPECT_EQ(e.CallerText, "ファイルへ書き込み出来ません\r\n\r\n" + path);
  }
  EXPECT_EQ(ReadAll(path), "new");
  std::string hidden = dir_ + "hidden.txt";
  WriteWholeFile(hidden, "h", WwHidden | WwCreateNew);
  EXPECT_TRUE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(FileTest, HandleWrapperFailuresNameTheFile) {
  std::string path = dir_ + "readonly-handle.txt";
  WriteWholeFile(path, "data", 0);
  HANDLE h = OpenFileRetry(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  SetHandleInfo(h, path, KindFile);
  char buffer[8];
  EXPECT_EQ(HandleRead(h, buffer, sizeof buffer), 4u);
  EXPECT_EQ(HandleSize(h), 4u);
  EXPECT_EQ(HandleSize64(h), 4);
  EXPECT_EQ(HandleSeek64(h, 1, FILE_BEGIN), 1);
  try {
    HandleWrite(h, "x", 1);
    FAIL() << "wrote through a read-only handle";
  } catch (const ELastError& e) {
    EXPECT_EQ(e.ErrorCode, 5u);
    EXPECT_EQ(e.CallerText, "書き込みに失敗 - " + path);
  }
  try {
    HandleSeek(h, -10, FILE_BEGIN);
    FAIL() << "seeked before the start";
  } catch (const ELastError& e) {
    EXPECT_EQ(e.CallerText, "シークに失敗しました - " + path);
  }
  HandleClose(h);
}

TEST_F(FileTest, DebugModeRefusesUnregisteredHandles) {
  std::string path = dir_ + "unregistered.txt";
  HANDLE h = OpenFileRetry(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  bool saved = DebugMode;
  DebugMode = true;
  EXPECT_THROW(HandleSize(h), EAssertionFailed);
  HandleSetEnd(h);  // the one wrapper without the check
  DebugMode = false;
  EXPECT_EQ(HandleSize(h), 0u);
  DebugMode = saved;
  HandleClose(h);
}

TEST_F(FileTest, WideNamesInHandleFailures) {
  WideString path = AnsiToWide(dir_ + "表wide.txt");
  HANDLE h = OpenFileRetryWide(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  SetHandleInfoWide(h, path, KindFile);
  EXPECT_EQ(HandleName(h, KindFile), dir_ + "表wide.txt");
  try {
    char buffer[4];
    HandleRead(h, buffer, sizeof buffer);
    FAIL() << "read through a write-only handle";
  } catch (const ELastError& e) {
    EXPECT_TRUE(e.IsWide);
    EXPECT_EQ(e.WideCallerText, AnsiToWide("読み込みに失敗 - ") + path);
  }
  HandleClose(h);
}

TEST_F(FileTest, MoveOrRenameNamesBothPaths) {
  std::string from = dir_ + "a.txt", to = dir_ + "b.txt";
  WriteWholeFile(from, "m", 0);
  MoveOrRename(from, to);
  EXPECT_TRUE(PathExists(to, false, ExistsFile));
  try {
    MoveOrRename(from, to);
    FAIL() << "moved a missing file";
  } catch (const ELastError& e) {
    EXPECT_EQ(e.ErrorCode, 2u);
    EXPECT_EQ(e.CallerText, "ファイル・フォルダ名の変更または移動ができません " + from + "→" + to);
  }
}

TEST_F(FileTest, NamesAndLookups) {
  EXPECT_FALSE(FindOneFile(dir_ + "*").Found);
  EXPECT_FALSE(FindOneFile(dir_ + "missing.txt").Found);
  WriteWholeFile(dir_ + "LongName.txt", "12345", 0);
  FindResult found = FindOneFile(dir_ + "longname.txt");
  EXPECT_TRUE(found.Found);
  EXPECT_EQ(found.Size, 5u);
  EXPECT_EQ(LongPathName(dir_ + "longname.txt"), LongPathName(dir_) + "LongName.txt");
  EXPECT_TRUE(PathExists(dir_, false, ExistsFolder));
  EXPECT_FALSE(PathExists(dir_, false, ExistsFile));
  std::string program = ProgramFolder();
  EXPECT_EQ(program.back(), '\\');
  EXPECT_TRUE(PathExists(program + "file_holder.exe", false, ExistsFile));
  EXPECT_EQ(WindowsRoot(), SplitPath(WindowsFolder()).Root);
  EXPECT_EQ(WindowsRoot().size(), 3u);
  int part = 0;
  std::string full = FullPathName("C:\\x\\..\\y.txt", &part);
  EXPECT_EQ(full, "C:\\y.txt");
  EXPECT_EQ(full.substr(part), "y.txt");
}

TEST_F(FileTest, HandleTableRows) {
  HANDLE a = reinterpret_cast<HANDLE>(0x1000), b = reinterpret_cast<HANDLE>(0x2000);
  int rowA = SetHandleInfo(a, "a", KindFile);
  int rowB = SetHandleInfo(b, "b", KindFind);
  EXPECT_GT(rowA, 0);
  EXPECT_NE(rowA, rowB);
  EXPECT_EQ(SetHandleInfo(INVALID_HANDLE_VALUE, "x", KindFile), 0);
  EXPECT_EQ(HandleName(a, KindFind), "");  // the kind is part of the key
  EXPECT_EQ(FindHandleInfo(b, KindFind, false), rowB);
  ClearHandleInfo(rowA);
  EXPECT_EQ(HandleName(a, KindFile), "");
  ClearHandleInfo(0);
  ClearHandleInfo(100000);
  EXPECT_EQ(g_reported, 1);
  EXPECT_NE(g_lastReport.find("引数範囲外 - ClearHandleInfo"), std::string::npos);
  ClearHandleInfo(rowB);
}

#include "gen0/GenBase.h"

#include <cstdint>

#include "gen0/GenAssert.h"
#include "gen0/GenCounter.h"
#include "gen0/GenError.h"
#include "gen0/GenFile.h"
#include "gen0/GenHooks.h"
#include "gen0/GenLog.h"
#include "gen0/GenMessageBox.h"
#include "gen0/GenTrack.h"
#include "gen0/GenVersion.h"

bool BaseLibraryStarted = false;
UINT DeferredCallMessage = 0;
std::string MsgEnterDate, MsgEnterNumber, MsgTooManyDigits, MsgEnterValidDate, MsgTooManyLines;
TGetDiskFreeSpaceExA DiskFreeSpaceExA = nullptr;
TGetDiskFreeSpaceExW DiskFreeSpaceExW = nullptr;

namespace {
std::uint32_t RotateLeft1(std::uint32_t v) { return v << 1 | v >> 31; }
// The same step written with a carry test, as older code of the library has it.
std::uint32_t RotateLeft1ByCarry(std::uint32_t v) {
  return (v & 0x80000000u) ? (v << 1) | 1u : v << 1;
}
}  // namespace

void GenFunc0SelfTest() {
  for (std::uint32_t v : {0x81434312u, 1210131233u}) {
    GEN_ASSERT(RotateLeft1(v) == RotateLeft1ByCarry(v));
    GEN_ASSERT((RotateLeft1(v) ^ v) == (RotateLeft1ByCarry(v) ^ v));
  }
}

void GenFunc0Startup() {
  // First: the path lookups below may touch a drive, which must not bring up a system box.
  SetQuietErrorMode();
  SetupLogPaths();

  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  DiskFreeSpaceExA = reinterpret_cast<TGetDiskFreeSpaceExA>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
  DiskFreeSpaceExW = reinterpret_cast<TGetDiskFreeSpaceExW>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExW")));

  ReadWindowsVersion();

  GEN_ASSERT(ReportException == nullptr);
  ReportException = DefaultReportException;
  ShowMessageBox = DefaultShowMessageBox;
  Notice = DefaultNotice;
  StartServiceHooks();

  DebugMode = IsDebuggerPresent() != FALSE;
  if (DebugMode) CreateObjectRegistry();

  ComputeProcessSignatureNow();
  MsgEnterDate = "日付を入力してください";
  MsgEnterNumber = "数値を入力してください";
  MsgTooManyDigits = "桁数が多すぎます";
  MsgEnterValidDate = "正しい日付を入力してください";
  MsgTooManyLines = "行数が多すぎます";

  DeferredCallMessage = RegisterWindowMessageA("Lumen.GenFunc0.DeferredCall");
  if (DeferredCallMessage == 0) throw Exception("リソース不足です！文字列メッセージを登録できません");

  SetCounterThreshold(DebugMode);
  GenFunc0SelfTest();
  BaseLibraryStarted = true;
}

void GenFunc0Shutdown() {
  BaseLibraryStarted = false;
  DebugLog("s_timeMax=" + std::to_string(s_timeMax) + "\r\n");
  ReportLiveObjectsAndFree();
  StopServiceHooks();
  CloseErrorLogCache();
  ReleaseHandleTable();
  ReportException = nullptr;
  ShowMessageBox = nullptr;
  Notice = nullptr;
}

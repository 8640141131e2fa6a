// Hook installation reports the system's refusal; OLE start-up and shut-down balance.
#include <gtest/gtest.h>
#include <objidl.h>
#include <ole2.h>
#include <windows.h>

#include "gen0/GenError.h"
#include "services/GenOle.h"
#include "services/GenWinHook.h"

namespace {
LRESULT CALLBACK PassOn(int code, WPARAM w, LPARAM l) {
  return CallNextHookEx(nullptr, code, w, l);
}

// The system's refusal code, and the caller's text after the system's.
void ExpectRefused(int idHook, HOOKPROC proc, DWORD expectedCode, DWORD wineCode = 0) {
  try {
    InstallWindowsHook(idHook, proc, nullptr, GetCurrentThreadId());
    ADD_FAILURE() << "hook " << idHook << " installed";
  } catch (const ELastError& e) {
    EXPECT_TRUE(e.ErrorCode == expectedCode || (wineCode && e.ErrorCode == wineCode))
        << e.ErrorCode;
    EXPECT_EQ(e.CallerText, "ウィンドウズフック処理に失敗しました");
    const std::string tail = "\n\nウィンドウズフック処理に失敗しました";
    ASSERT_GE(e.Message.size(), tail.size());
    EXPECT_EQ(e.Message.substr(e.Message.size() - tail.size()), tail);
  }
}

HRESULT CreateGlobalInterfaceTable() {
  IGlobalInterfaceTable* git = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IGlobalInterfaceTable, reinterpret_cast<void**>(&git));
  if (git) git->Release();
  return hr;
}
}  // namespace

TEST(WinHook, RefusalRaisesLastErrorWithTheSystemsCode) {
  ExpectRefused(WH_KEYBOARD, nullptr, ERROR_INVALID_FILTER_PROC);
  // Windows refuses an unknown hook id with ERROR_INVALID_HOOK_FILTER, Wine with
  // ERROR_INVALID_PARAMETER.
  ExpectRefused(99, PassOn, ERROR_INVALID_HOOK_FILTER, ERROR_INVALID_PARAMETER);
}

TEST(WinHook, InstalledHookCanBeRemoved) {
  HHOOK hook = InstallWindowsHook(WH_KEYBOARD, PassOn, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  EXPECT_TRUE(UnhookWindowsHookEx(hook));
}

// COM objects can be made only between start-up and shut-down: the shut-down really balances
// the start-up instead of leaving OLE initialised.
TEST(GenOle, StartupAndShutdownBalance) {
  EXPECT_EQ(CreateGlobalInterfaceTable(), CO_E_NOTINITIALIZED);
  GenOleStartup();
  EXPECT_TRUE(GenOleStarted());
  EXPECT_EQ(CreateGlobalInterfaceTable(), S_OK);
  GenOleShutdown();
  EXPECT_FALSE(GenOleStarted());
  EXPECT_EQ(CreateGlobalInterfaceTable(), CO_E_NOTINITIALIZED);
  GenOleShutdown();  // a second shut-down must not uninitialise anyone else's OLE
  EXPECT_FALSE(GenOleStarted());
}

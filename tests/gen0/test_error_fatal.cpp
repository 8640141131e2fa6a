// Message boxes shown from a worker thread, and the ways a failure ends the process, each run
// in a child copy of this executable: the parent answers any box the child shows and reads the
// child's exit code. (A parent that showed the box itself would need a third thread to answer
// it, which qemu-user's Wine does not survive.)
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "gen0/GenError.h"
#include "gen0/GenFatal.h"
#include "gen0/GenModules.h"

namespace {
const char ChildVar[] = "MORIMO_FATAL_CHILD";

struct Child {
  HANDLE process = nullptr;
  DWORD id = 0;
  ~Child() {
    if (process) CloseHandle(process);
  }
};

// Starts this executable again on the one test whose child part is `role`.
bool StartChild(const char* test, const char* role, Child& child) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string cmd = std::string("\"") + exe + "\" --gtest_filter=ErrorFatal." + test;
  SetEnvironmentVariableA(ChildVar, role);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  BOOL ok = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &si, &pi);
  SetEnvironmentVariableA(ChildVar, nullptr);
  if (!ok) return false;
  CloseHandle(pi.hThread);
  child.process = pi.hProcess;
  child.id = pi.dwProcessId;
  return true;
}

bool IsChild(const char* role) {
  const char* v = getenv(ChildVar);
  return v && std::string(v) == role;
}

struct BoxSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindProcessBox(HWND w, LPARAM param) {
  auto* s = reinterpret_cast<BoxSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char cls[16] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (pid != s->process || std::string(cls) != "#32770" || !IsWindowVisible(w)) return TRUE;
  s->found = w;
  return FALSE;
}

// Waits for the child to end, pressing button on the message boxes it shows; returns the first
// box's text ("" when none showed).
std::string AnswerUntilExit(const Child& child, DWORD& exitCode, int button = IDOK) {
  std::string seen;
  for (int i = 0; i < 600 && WaitForSingleObject(child.process, 100) == WAIT_TIMEOUT; ++i) {
    BoxSearch s = {child.id, nullptr};
    EnumWindows(FindProcessBox, reinterpret_cast<LPARAM>(&s));
    if (!s.found) continue;
    char text[1024] = {};
    if (!GetDlgItemTextA(s.found, 0xFFFF, text, sizeof text))
      GetDlgItemTextA(s.found, 100, text, sizeof text);  // Wine's static text id
    if (seen.empty()) seen = text;
    PostMessageA(s.found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  }
  exitCode = STILL_ACTIVE;
  GetExitCodeProcess(child.process, &exitCode);
  return seen;
}

void FailingStartup() { throw ELuError("起動できません", "設定 - 時代表"); }
}  // namespace

// Without a text there is nothing to show; the process must still not look successful.
TEST(ErrorFatal, FatalExitWithoutTextEndsWithFailure) {
  if (IsChild("exit")) FatalExit("");
  Child child;
  ASSERT_TRUE(StartChild("FatalExitWithoutTextEndsWithFailure", "exit", child));
  DWORD code = 0;
  EXPECT_EQ(AnswerUntilExit(child, code), "");
  EXPECT_EQ(code, 1u);
}

TEST(ErrorFatal, ModuleStartupFailureEndsWithItsMessage) {
  if (IsChild("module")) {
    const ModuleEntry modules[] = {{"GenFailing", FailingStartup, nullptr}};
    ModuleRun run(modules, 1);
    run.Start();
    ExitProcess(0);  // reached only when the failure went unnoticed
  }
  Child child;
  ASSERT_TRUE(StartChild("ModuleStartupFailureEndsWithItsMessage", "module", child));
  DWORD code = 0;
  EXPECT_EQ(AnswerUntilExit(child, code), "起動できません\r\n\r\n設定 - 時代表");
  EXPECT_NE(code, 0u);
  EXPECT_NE(code, DWORD(STILL_ACTIVE));
}

TEST(ErrorFatal, ThreadMessageBoxReturnsTheAnswer) {
  if (IsChild("box")) ExitProcess(DWORD(ThreadMessageBox("更新処理を完了しました。", "テスト箱", MB_YESNO)));
  Child child;
  ASSERT_TRUE(StartChild("ThreadMessageBoxReturnsTheAnswer", "box", child));
  DWORD code = 0;
  EXPECT_EQ(AnswerUntilExit(child, code, IDNO), "更新処理を完了しました。");
  EXPECT_EQ(code, DWORD(IDNO));
}

// Yes asks for another try of the same close; anything else ends the process at once.
TEST(ErrorFatal, FatalClosePromptYesRetriesNoEndsWithFailure) {
  if (IsChild("close")) ExitProcess(FatalClosePrompt(6, "C:\\morimo\\morimo.exe") ? 7 : 0);
  const std::string text = SystemErrorText(6) +
                           "\r\n\r\nハンドルを閉じることができません - C:\\morimo\\morimo.exe\r\n\r\n"
                           "再試行しますか？（しない場合は強制終了となります）";
  for (int button : {IDYES, IDNO}) {
    Child child;
    ASSERT_TRUE(StartChild("FatalClosePromptYesRetriesNoEndsWithFailure", "close", child));
    DWORD code = 0;
    EXPECT_EQ(AnswerUntilExit(child, code, button), text);
    EXPECT_EQ(code, button == IDYES ? 7u : 1u);
  }
}

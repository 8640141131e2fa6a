#include "tests/support/ChildProcess.h"

#include <cstdlib>

namespace guitest {
namespace {
const char RoleVar[] = "MORIMO_CHILD_ROLE";

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
}  // namespace

Child::~Child() {
  if (HANDLE h = process) {
    process = nullptr;
    CloseHandle(h);
  }
}

bool StartChild(const std::string& test, const char* role, Child& child) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string cmd = std::string("\"") + exe + "\" --gtest_filter=" + test;
  SetEnvironmentVariableA(RoleVar, role);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  BOOL ok =
      CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableA(RoleVar, nullptr);
  if (!ok) return false;
  CloseHandle(pi.hThread);
  child.process = pi.hProcess;
  child.id = pi.dwProcessId;
  return true;
}

bool IsChild(const char* role) {
  const char* v = getenv(RoleVar);
  return v && std::string(v) == role;
}

std::string AnswerUntilExit(const Child& child, DWORD& exitCode, int button) {
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

}  // namespace guitest

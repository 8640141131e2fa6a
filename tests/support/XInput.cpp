#include "tests/support/XInput.h"

#include "tests/support/GuiWindow.h"

namespace guitest {

bool UnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

bool XdoTool(const std::string& args, const std::function<void()>& pump, DWORD timeout) {
  std::string cmd = "start.exe /wait /unix /usr/bin/xdotool " + args;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  bool ended = PollUntil(
      [&] {
        pump();
        return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
      },
      timeout, 20);
  DWORD code = 1;
  if (ended) GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  return ended && code == 0;
}

}  // namespace guitest

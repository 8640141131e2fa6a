// Wine runs a Unix program when CreateProcess is given a Unix executable by its Z: path: it
// forks and execs it with the Unix environment (DISPLAY and PATH included), but gives no
// process handle. So ImageMagick's import runs under /bin/sh, which renames the finished
// picture into place, and the caller waits for that name to appear.
#include "tests/support/Screenshot.h"

#include <windows.h>

#include <algorithm>

#include "tests/support/GuiWindow.h"

namespace guitest {
namespace {

bool PlainName(const std::string& name) {
  return !name.empty() && name[0] != '.' && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '_' || c == '-' || c == '.';
  });
}

// Wine maps the Unix root to drive Z:.
std::string WindowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string Environment(const char* name) {
  char value[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

bool StartShell(const std::string& script) {
  std::string command = "Z:\\bin\\sh -c \"" + script + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return false;
  // Wine leaves the process handle null and the thread handle undefined for a Unix program.
  if (pi.hProcess) {
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  return true;
}

}  // namespace

std::string SaveScreenshot(const std::string& name, DWORD timeout) {
  std::string binary = Environment("MORIMO_BINARY_DIR");
  if (!PlainName(name) || binary.empty() || binary[0] != '/') return {};
  std::string dir = binary + "/screenshots";
  std::string png = dir + "/" + name + ".png";
  std::string partial = dir + "/." + name + ".png";
  std::string result = WindowsPath(png);
  DeleteFileA(result.c_str());  // an old picture must not pass for the new one
  if (!StartShell("mkdir -p '" + dir + "' && import -window root '" + partial + "' && mv '" +
                  partial + "' '" + png + "'"))
    return {};
  auto written = [&] { return GetFileAttributesA(result.c_str()) != INVALID_FILE_ATTRIBUTES; };
  return PollUntil(written, timeout, 100) ? result : std::string();
}

}  // namespace guitest

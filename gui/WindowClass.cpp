#include "gui/WindowClass.h"

#include <set>
#include <string>

bool RegisterWindowClass(const char* name, WNDPROC proc, UINT style, HICON icon,
                         HBRUSH background) {
  static std::set<std::string> registered;
  if (registered.count(name)) return true;
  WNDCLASSA wc = {};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = icon;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  SetLastError(0);
  if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  registered.insert(name);
  return true;
}

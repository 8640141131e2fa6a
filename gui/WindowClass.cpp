#include "gui/WindowClass.h"

#include <set>
#include <string>

namespace {
template <class WndClass, class Char>
bool Register(const Char* name, WNDPROC proc, UINT style, HICON icon, HBRUSH background,
              ATOM(WINAPI* registerClass)(const WndClass*)) {
  static std::set<std::basic_string<Char>> registered;
  if (registered.count(name)) return true;
  WndClass wc = {};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = icon;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  SetLastError(0);
  if (!registerClass(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  registered.insert(name);
  return true;
}
}  // namespace

bool RegisterWindowClass(const wchar_t* name, WNDPROC proc, UINT style, HICON icon,
                         HBRUSH background) {
  return Register<WNDCLASSW>(name, proc, style, icon, background, &RegisterClassW);
}

bool RegisterWindowClass(const char* name, WNDPROC proc, UINT style, HICON icon,
                         HBRUSH background) {
  return Register<WNDCLASSA>(name, proc, style, icon, background, &RegisterClassA);
}

// Our windows are Unicode windows; the toolkit's texts are Shift-JIS byte strings, converted
// at the window's edge.
#pragma once

#include <windows.h>

#include <string>

#include "gen0/GenError.h"

inline std::wstring Widen(const std::string& s) {
  WideString w = AnsiToWide(s);
  return std::wstring(w.begin(), w.end());
}

inline std::string Narrow(const std::wstring& w) {
  return WideToAnsi(WideString(w.begin(), w.end()));
}

// The window's text as the system keeps it.
inline std::wstring WideWindowText(HWND w) {
  int n = GetWindowTextLengthW(w);
  std::wstring s(std::size_t(n > 0 ? n : 0) + 1, L'\0');
  n = GetWindowTextW(w, s.data(), int(s.size()));
  s.resize(std::size_t(n > 0 ? n : 0));
  return s;
}

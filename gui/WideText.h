// Our windows are Unicode windows; the toolkit's texts are Shift-JIS byte strings, converted
// at the window's edge.
#pragma once

#include <string>

#include "gen0/GenError.h"

inline std::wstring Widen(const std::string& s) {
  WideString w = AnsiToWide(s);
  return std::wstring(w.begin(), w.end());
}

inline std::string Narrow(const std::wstring& w) {
  return WideToAnsi(WideString(w.begin(), w.end()));
}

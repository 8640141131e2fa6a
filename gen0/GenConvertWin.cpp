#include <windows.h>

#include "gen0/GenError.h"

WideString AnsiToWide(const std::string& s) {
  if (s.empty()) return {};
  SetLastError(0);
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), nullptr, 0);
  WideString w(n > 0 ? n : 0, u'\0');
  if (n <= 0 || MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()),
                                    reinterpret_cast<wchar_t*>(w.data()), n) != n)
    throw ELastError(GetLastError(), "UNICODE文字列への変換に失敗");
  return w;
}

std::string WideToAnsi(const WideString& w) {
  if (w.empty()) return {};
  auto src = reinterpret_cast<const wchar_t*>(w.data());
  SetLastError(0);
  int n = WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, src, int(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string s(n > 0 ? n : 0, '\0');
  if (n <= 0 || WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, src, int(w.size()), s.data(), n,
                                    nullptr, nullptr) != n)
    throw ELastError(GetLastError(), "UNICODE文字列からの変換に失敗");
  return s;
}

// The host's stand-in for the ANSI code page conversions: iconv with Shift-JIS (CP932).
#include <errno.h>
#include <iconv.h>

#include "gen0/GenError.h"

namespace {
std::string Convert(const char* to, const char* from, const char* in, size_t inBytes,
                    const char* failure) {
  iconv_t cd = iconv_open(to, from);
  if (cd == iconv_t(-1)) throw ELastError(0, failure);
  std::string out(inBytes * 4 + 8, '\0');
  char* src = const_cast<char*>(in);
  char* dst = out.data();
  size_t left = out.size();
  size_t r = iconv(cd, &src, &inBytes, &dst, &left);
  iconv_close(cd);
  if (r == size_t(-1)) throw ELastError(0, failure);
  out.resize(out.size() - left);
  return out;
}
}  // namespace

WideString AnsiToWide(const std::string& s) {
  if (s.empty()) return {};
  std::string bytes = Convert("UTF-16LE", "CP932", s.data(), s.size(), "UNICODE文字列への変換に失敗");
  WideString w(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < w.size(); ++i)
    w[i] = char16_t(static_cast<unsigned char>(bytes[2 * i]) |
                    static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  return w;
}

std::string WideToAnsi(const WideString& w) {
  if (w.empty()) return {};
  std::string bytes(w.size() * 2, '\0');
  for (size_t i = 0; i < w.size(); ++i) {
    bytes[2 * i] = char(w[i] & 0xFF);
    bytes[2 * i + 1] = char(w[i] >> 8);
  }
  return Convert("CP932", "UTF-16LE", bytes.data(), bytes.size(), "UNICODE文字列からの変換に失敗");
}

#include "gen/NoticeText.h"

#include <algorithm>

#include "gen0/GenPath.h"

std::uint32_t NoticeHash(const std::string& text) {
  std::uint32_t h = 0;
  for (unsigned char c : text) h = ((h << 1) | (h >> 31)) ^ c;
  return h;
}

std::string NormalizeLineBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    if (*p == '\r') {
      out += "\r\n";
      p += (p + 1 < end && p[1] == '\n') ? 2 : 1;
    } else if (*p == '\n') {
      out += "\r\n";
      ++p;
    } else {
      int n = std::max(CharLength(p, end), 1);  // a NUL byte passes as itself
      out.append(p, std::size_t(n));
      p += n;
    }
  }
  return out;
}

std::string ComposeNotices(const std::vector<std::string>& notices, int maxChars, int maxLines) {
  std::string result;
  long long lines = 0;
  for (const std::string& notice : notices) {
    std::string piece = "\r\n\r\n" + NormalizeLineBreaks(notice);
    lines += std::count(piece.begin(), piece.end(), '\n');
    if (result.size() + piece.size() > std::size_t(maxChars) ||
        (maxLines != -1 && lines > maxLines)) {
      result += "\r\n\r\n≪お知らせが多すぎます≫";
      break;
    }
    result += piece;
  }
  return result;
}

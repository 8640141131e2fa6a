#include "controls/DropDownText.h"

#include "gen0/GenPath.h"

namespace {
// The byte length of the first n characters of s.
std::size_t BytesOfChars(const std::string& s, int n) {
  const char* begin = s.data();
  const char* end = begin + s.size();
  const char* p = begin;
  for (int i = 0; i < n; ++i) {
    // A NUL counts as a character of its own here: these are the list's lines, not C strings.
    int len = p < end ? (*p ? CharLength(p, end) : 1) : 0;
    if (len == 0) break;
    p += len;
  }
  return std::size_t(p - begin);
}
}  // namespace

std::string UpperCaseFileName(const std::string& s) {
  std::string out = s;
  const char* begin = out.data();
  const char* end = begin + out.size();
  for (const char* p = begin; p < end;) {
    int len = *p ? CharLength(p, end) : 1;
    if (len == 1 && *p >= 'a' && *p <= 'z') out[std::size_t(p - begin)] = char(*p - 'a' + 'A');
    p += len;
  }
  return out;
}

int FirstLetterIndex(const std::vector<std::string>& items, const std::string& ch) {
  if (ch.empty()) return -1;
  const std::string key = UpperCaseFileName(ch);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string& item = items[i];
    if (item.empty()) continue;
    // The item's first character must be the key as a whole: a byte match alone could take a
    // single-byte key for the lead byte of a double-byte character.
    std::size_t first = BytesOfChars(item, 1);
    if (first == key.size() && UpperCaseFileName(item.substr(0, first)) == key) return int(i);
  }
  return -1;
}

std::string WithoutPrefix(const std::string& line, int n) {
  return n > 0 ? line.substr(BytesOfChars(line, n)) : line;
}

std::string MaskedText(const std::string& text, char mask) {
  std::string out;
  const char* end = text.data() + text.size();
  for (const char* p = text.data(); p < end; p += *p ? CharLength(p, end) : 1) out += mask;
  return out;
}

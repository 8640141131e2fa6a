#include "gen0/GenPath.h"

namespace {
bool IsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Position after the last backslash, slash or colon, stepping by characters.
size_t LastComponentStart(const std::string& s) {
  const char* begin = s.data();
  const char* end = begin + s.size();
  size_t start = 0;
  for (const char* p = begin; p < end;) {
    int n = CharLength(p, end);
    if (n == 0) break;
    if (n == 1 && (*p == '\\' || *p == '/' || *p == ':')) start = size_t(p - begin) + 1;
    p += n;
  }
  return start;
}

// Position of the next backslash at or after from (npos when none), stepping by characters.
size_t NextBackslash(const std::string& s, size_t from) {
  const char* end = s.data() + s.size();
  for (const char* p = s.data() + from; p < end;) {
    int n = CharLength(p, end);
    if (n == 0) break;
    if (n == 1 && *p == '\\') return size_t(p - s.data());
    p += n;
  }
  return std::string::npos;
}
}  // namespace

bool IsBlank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

int CharLength(const char* p, const char* end) {
  if (p >= end || *p == '\0') return 0;
  if (IsLead(static_cast<unsigned char>(*p)) && p + 1 < end &&
      IsTrail(static_cast<unsigned char>(p[1])))
    return 2;
  return 1;
}

std::string TrimRightSpaces(const std::string& s) {
  size_t n = s.find_last_not_of(' ');
  return n == std::string::npos ? std::string() : s.substr(0, n + 1);
}

std::string AddTrailingSeparator(const std::string& path) {
  std::string s = TrimRightSpaces(path);
  if (LastComponentStart(s) < s.size()) s += '\\';
  return s;
}

PathParts SplitPath(const std::string& path) {
  std::string s = TrimRightSpaces(path);
  // Slashes become backslashes; a trail byte equal to '/' is not a slash (0x2F is no trail).
  for (char& c : s)
    if (c == '/') c = '\\';

  PathParts r;
  size_t driveEnd = 0;
  if (s.size() >= 2 && s[0] == '\\' && s[1] == '\\') {
    size_t server = NextBackslash(s, 2);
    if (server == std::string::npos) {
      driveEnd = s.size();
    } else {
      size_t share = NextBackslash(s, server + 1);
      driveEnd = share == std::string::npos ? s.size() : share;
    }
  } else if (!s.empty() && s[0] == '\\') {
    driveEnd = 1;
  } else if (s.size() >= 2 && s[1] == ':' &&
             ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'))) {
    driveEnd = 2;
  }
  r.Drive = s.substr(0, driveEnd);
  size_t rest = driveEnd;
  if (driveEnd > 0 && !(driveEnd == 1 && s[0] == '\\') && rest < s.size() && s[rest] == '\\') {
    r.RootSep = "\\";
    ++rest;
  }
  r.Root = r.Drive + r.RootSep;

  // Last backslash of the rest, and after it the last dot.
  const char* end = s.data() + s.size();
  size_t lastSep = std::string::npos, lastDot = std::string::npos;
  for (const char* p = s.data() + rest; p < end;) {
    int n = CharLength(p, end);
    if (n == 0) break;
    size_t at = size_t(p - s.data());
    if (n == 1 && *p == '\\') {
      lastSep = at;
      lastDot = std::string::npos;
    } else if (n == 1 && *p == '.') {
      lastDot = at;
    }
    p += n;
  }
  size_t nameStart = rest;
  if (lastSep != std::string::npos) {
    r.Dir = s.substr(rest, lastSep - rest);
    r.Sep = "\\";
    nameStart = lastSep + 1;
  }
  size_t nameEnd = lastDot == std::string::npos ? s.size() : lastDot;
  r.Name = s.substr(nameStart, nameEnd - nameStart);
  if (lastDot != std::string::npos) r.Ext = s.substr(lastDot);
  return r;
}

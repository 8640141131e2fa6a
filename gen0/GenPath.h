// Path and string helpers over Shift-JIS byte strings. Every scan steps over double-byte
// characters whole, so a trail byte is never taken for a separator.
#pragma once

#include <cstddef>
#include <string>

struct PathParts {
  std::string Root, Dir, Sep, Name, Ext, Drive, RootSep;
};

bool IsBlank(const std::string& s);
// Length of the character at p (0 at the end or at a NUL, 2 for a lead byte with its trail).
int CharLength(const char* p, const char* end);
std::string TrimRightSpaces(const std::string& s);
std::string AddTrailingSeparator(const std::string& path);
PathParts SplitPath(const std::string& path);

// The text rules of the edit field's drop-down list, over Shift-JIS byte strings: the
// first-letter search, the items behind prefixed display lines, and the masked text of a
// password field. Every scan steps over double-byte characters whole.
#pragma once

#include <string>
#include <vector>

// Upper case as file names are compared on Japanese systems: only the ASCII letters change, and
// a double-byte character is kept whole (its trail byte may look like a lower-case letter).
std::string UpperCaseFileName(const std::string& s);

// The first non-empty item whose upper-cased text begins with the upper-cased character ch (one
// character, one or two bytes); -1 when there is none or ch is empty.
int FirstLetterIndex(const std::vector<std::string>& items, const std::string& ch);

// line without its first n characters (a double-byte character counts one).
std::string WithoutPrefix(const std::string& line, int n);

// Every character of text (a double-byte one counts one) replaced by mask.
std::string MaskedText(const std::string& text, char mask);

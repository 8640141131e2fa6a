#include "gui/TextUnits.h"

#include "gen0/GenPath.h"

namespace {
std::size_t Step(const std::string& s, std::size_t i) {
  int n = CharLength(s.data() + i, s.data() + s.size());
  return n > 0 ? std::size_t(n) : 1;  // a NUL byte is a character of its own here
}
}  // namespace

std::string MnemonicOf(const std::string& caption) {
  for (std::size_t i = 0; i < caption.size(); i += Step(caption, i)) {
    if (caption[i] != '&') continue;
    if (++i == caption.size()) break;
    if (caption[i] == '&') continue;
    return caption.substr(i, Step(caption, i));
  }
  return {};
}

std::size_t FitBytes(const std::string& text, std::size_t room) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t n = Step(text, i);
    if (i + n > room) break;
    i += n;
  }
  return i;
}

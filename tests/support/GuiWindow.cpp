#include "tests/support/GuiWindow.h"

#include <exception>

namespace guitest {
namespace {

// Long enough for a busy owner under qemu, short enough that a hung one fails the test.
constexpr UINT SendTimeoutMs = 5000;

std::string ClassOf(HWND w) {
  char name[256] = {};
  int n = GetClassNameA(w, name, sizeof name);
  return std::string(name, n > 0 ? n : 0);
}

bool SameText(const std::string& wanted, const std::string& actual) {
  return wanted.empty() || wanted == actual;
}

struct Search {
  const WindowMatch* match = nullptr;
  HWND found = nullptr;
  std::exception_ptr failure;
};

BOOL CALLBACK VisitTopLevel(HWND w, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  try {
    if (!IsWindowVisible(w)) return TRUE;
    WindowInfo info;
    info.hwnd = w;
    GetWindowThreadProcessId(w, &info.process);
    info.className = ClassOf(w);
    info.caption = ReadText(w);
    if (!(*s->match)(info)) return TRUE;
    s->found = w;
  } catch (...) {
    s->failure = std::current_exception();
  }
  return FALSE;
}

BOOL CALLBACK VisitChild(HWND w, LPARAM param) {
  auto* content = reinterpret_cast<WindowContent*>(param);
  try {
    ControlText c;
    c.id = GetDlgCtrlID(w);
    c.className = ClassOf(w);
    c.text = ReadText(w);
    c.visible = IsWindowVisible(w);
    c.enabled = IsWindowEnabled(w);
    content->controls.push_back(std::move(c));
  } catch (...) {
    return FALSE;  // out of memory: keep what was read
  }
  return TRUE;
}

bool IsClass(const ControlText& c, const char* name) {
  return lstrcmpiA(c.className.c_str(), name) == 0;
}

}  // namespace

WindowMatch Matching(WindowQuery query) {
  DWORD self = GetCurrentProcessId();
  return [query = std::move(query), self](const WindowInfo& w) {
    return (query.anyProcess || w.process == self) && SameText(query.className, w.className) &&
           SameText(query.caption, w.caption);
  };
}

HWND FindTopLevel(const WindowMatch& match) {
  Search s;
  s.match = &match;
  EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&s));
  if (s.failure) std::rethrow_exception(s.failure);
  return s.found;
}

bool PollUntil(const std::function<bool()>& ready, DWORD timeout, DWORD interval) {
  DWORD start = GetTickCount();
  for (;;) {
    if (ready()) return true;
    // Unsigned difference: right across the tick counter's wrap.
    if (GetTickCount() - start >= timeout) return false;
    Sleep(interval);
  }
}

HWND WaitForWindow(const WindowMatch& match, DWORD timeout) {
  HWND found = nullptr;
  PollUntil([&] { return (found = FindTopLevel(match)) != nullptr; }, timeout);
  return found;
}

HWND WaitForWindow(const WindowQuery& query, DWORD timeout) {
  return WaitForWindow(Matching(query), timeout);
}

std::string ReadText(HWND w) {
  DWORD process = 0;
  GetWindowThreadProcessId(w, &process);
  if (process != GetCurrentProcessId()) {
    // Another process's text comes from the window server, with no message to a hung owner.
    char text[4096] = {};
    int n = GetWindowTextA(w, text, sizeof text);
    return std::string(text, n > 0 ? n : 0);
  }
  // In this process GetWindowTextA would wait forever for a thread that pumps no messages.
  return ReadFieldText(w);
}

std::string ReadFieldText(HWND w) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, SendTimeoutMs, &length))
    return {};
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, SendTimeoutMs, &copied))
    return {};
  text.resize(copied < text.size() ? copied : text.size() - 1);
  return text;
}

WindowContent ReadWindow(HWND w) {
  WindowContent content;
  content.className = ClassOf(w);
  content.caption = ReadText(w);
  EnumChildWindows(w, VisitChild, reinterpret_cast<LPARAM>(&content));
  return content;
}

std::string WindowContent::StaticText() const {
  std::string joined;
  for (const ControlText& c : controls) {
    if (!c.visible || c.text.empty() || !IsClass(c, "Static")) continue;
    if (!joined.empty()) joined += '\n';
    joined += c.text;
  }
  return joined;
}

std::vector<std::string> WindowContent::ButtonTexts() const {
  std::vector<std::string> texts;
  for (const ControlText& c : controls)
    if (c.visible && IsClass(c, "Button")) texts.push_back(c.text);
  return texts;
}

}  // namespace guitest

// Finding and reading top-level windows from a thread other than the one that shows them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace guitest {

// Timeouts are in milliseconds; a dialog under qemu's 32-bit Wine can take seconds to appear.
inline constexpr DWORD DefaultTimeout = 15000;

// Polls ready every interval until it holds or timeout has passed; its last answer.
bool PollUntil(const std::function<bool()>& ready, DWORD timeout, DWORD interval = 50);

// What a search sees of a visible top-level window; texts are Shift-JIS bytes.
struct WindowInfo {
  HWND hwnd = nullptr;
  DWORD process = 0;
  std::string className;
  std::string caption;
};
using WindowMatch = std::function<bool(const WindowInfo&)>;

// Empty fields match anything. System message boxes have the class "#32770".
struct WindowQuery {
  std::string className;
  std::string caption;
  bool anyProcess = false;  // otherwise only windows of this process
};
WindowMatch Matching(WindowQuery query);

// The first visible top-level window that matches, or null.
HWND FindTopLevel(const WindowMatch& match);
// Polls until such a window shows; null after the timeout.
HWND WaitForWindow(const WindowMatch& match, DWORD timeout = DefaultTimeout);
HWND WaitForWindow(const WindowQuery& query, DWORD timeout = DefaultTimeout);

// The window's text; "" when its thread does not answer within a few seconds.
std::string ReadText(HWND w);
// The text of a control that keeps it itself (an edit field), asked with WM_GETTEXT also in
// another process.
std::string ReadFieldText(HWND w);

struct ControlText {
  int id = 0;
  std::string className;
  std::string text;
  bool visible = false;
  bool enabled = false;
};
struct WindowContent {
  std::string className;
  std::string caption;
  std::vector<ControlText> controls;  // every descendant, in z-order
  // The non-empty texts of the visible static controls, joined by "\n".
  std::string StaticText() const;
  // The texts of the visible buttons.
  std::vector<std::string> ButtonTexts() const;
};
WindowContent ReadWindow(HWND w);

}  // namespace guitest

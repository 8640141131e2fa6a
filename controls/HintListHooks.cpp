#include "controls/HintListHooks.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "controls/HintListBox.h"
#include "gui/ExceptionBarrier.h"
#include "services/GenWinHook.h"

namespace {
std::vector<THintListBox*> s_shown;
HHOOK s_callWndProc = nullptr;
HHOOK s_getMessage = nullptr;
// The wheel message of mouse drivers older than WM_MOUSEWHEEL; 0 until the module starts.
UINT s_wheelMessage = 0;

THintListBox* Top() { return s_shown.empty() ? nullptr : s_shown.back(); }

// Only windows that exist already: a hook must not create one.
HWND WindowOf(TWinControl* c) { return c && c->HandleAllocated() ? c->Handle() : nullptr; }

void Post(THintListBox* list, THintCommand c) {
  if (HWND w = WindowOf(list)) PostMessageW(w, HLM_COMMAND, WPARAM(c), 0);
}

// The user went elsewhere: the focus moved, or a mouse button went down on another window.
bool Leaves(UINT msg) {
  switch (msg) {
    case WM_KILLFOCUS:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      return true;
  }
  return false;
}

// Posted, not done here: the list closes when the loop next runs, after the message that
// caused it.
void CloseOnLeaving(HWND target, UINT msg) {
  THintListBox* top = Top();
  if (!top || !Leaves(msg) || target == WindowOf(top)) return;
  for (THintListBox* list : s_shown) Post(list, THintCommand::Close);
}

// A wheel message and its turn: WM_MOUSEWHEEL carries it in the high word of wParam, the old
// drivers' message in the low word.
bool IsWheel(const MSG& m, int& delta) {
  if (m.message == WM_MOUSEWHEEL) {
    delta = short(HIWORD(m.wParam));
    return true;
  }
  if (s_wheelMessage && m.message == s_wheelMessage) {
    delta = short(LOWORD(m.wParam));
    return true;
  }
  return false;
}

// The owner's keys that belong to the list, and what each asks of it.
const struct {
  WPARAM key;
  THintCommand command;
} OwnerKeys[] = {{VK_RETURN, THintCommand::Pick}, {VK_ESCAPE, THintCommand::Close},
                 {VK_PRIOR, THintCommand::PageUp}, {VK_NEXT, THintCommand::PageDown},
                 {VK_UP, THintCommand::LineUp},    {VK_DOWN, THintCommand::LineDown}};

const THintCommand* KeyCommand(WPARAM key) {
  for (const auto& k : OwnerKeys)
    if (k.key == key) return &k.command;
  return nullptr;
}

// The key-down of such a key becomes a command; it, its key-up and the characters of Enter and
// Esc never reach the owner.
bool TakeOwnerKey(THintListBox* top, const MSG& m) {
  switch (m.message) {
    case WM_KEYDOWN:
      if (const THintCommand* c = KeyCommand(m.wParam)) {
        Post(top, *c);
        return true;
      }
      return false;
    case WM_KEYUP:
      return KeyCommand(m.wParam) != nullptr;
    case WM_CHAR:
      return m.wParam == VK_RETURN || m.wParam == VK_ESCAPE;
  }
  return false;
}

void Steer(MSG& m) {
  THintListBox* top = Top();
  HWND list = WindowOf(top);
  if (!list) return;
  int delta = 0;
  if (IsWheel(m, delta)) {
    if (delta) Post(top, delta > 0 ? THintCommand::LineUp : THintCommand::LineDown);
    m.hwnd = list;
  } else if (m.hwnd && m.hwnd == WindowOf(top->SubClassComponent()) && TakeOwnerKey(top, m)) {
    m.hwnd = list;
    m.message = WM_NULL;
    m.wParam = 0;
    m.lParam = 0;
  }
  CloseOnLeaving(m.hwnd, m.message);
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM w, LPARAM l) {
  if (code == HC_ACTION) {
    try {
      const auto* m = reinterpret_cast<const CWPSTRUCT*>(l);
      CloseOnLeaving(m->hwnd, m->message);
    } catch (...) {
      HandleCallbackException(Top());
    }
  }
  return CallNextHookEx(s_callWndProc, code, w, l);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM w, LPARAM l) {
  // A message only looked at (PM_NOREMOVE) comes again when it is taken.
  if (code == HC_ACTION && w == PM_REMOVE) {
    try {
      Steer(*reinterpret_cast<MSG*>(l));
    } catch (...) {
      HandleCallbackException(Top());
    }
  }
  return CallNextHookEx(s_getMessage, code, w, l);
}

void RemoveHooks() {
  // Cleared first: a message arriving meanwhile must not chain to a dead handle.
  HHOOK callWndProc = s_callWndProc, getMessage = s_getMessage;
  s_callWndProc = s_getMessage = nullptr;
  if (callWndProc) UnhookWindowsHookEx(callWndProc);
  if (getMessage) UnhookWindowsHookEx(getMessage);
}

void InstallHooks() {
  DWORD thread = GetCurrentThreadId();
  s_callWndProc = InstallWindowsHook(WH_CALLWNDPROC, CallWndProcHook, nullptr, thread);
  try {
    s_getMessage = InstallWindowsHook(WH_GETMESSAGE, GetMessageHook, nullptr, thread);
  } catch (...) {
    RemoveHooks();
    throw;
  }
}
}  // namespace

void HintListShown(THintListBox* list) {
  if (std::find(s_shown.begin(), s_shown.end(), list) != s_shown.end()) return;
  s_shown.reserve(s_shown.size() + 1);
  if (s_shown.empty()) InstallHooks();
  s_shown.push_back(list);
}

void HintListHidden(THintListBox* list) {
  auto it = std::find(s_shown.begin(), s_shown.end(), list);
  if (it == s_shown.end()) return;
  s_shown.erase(it);
  if (s_shown.empty()) RemoveHooks();
}

void HintListRaise(THintListBox* list) {
  auto it = std::find(s_shown.begin(), s_shown.end(), list);
  if (it != s_shown.end()) std::rotate(it, it + 1, s_shown.end());
}

void HintListBoxStartup() { s_wheelMessage = RegisterWindowMessageA("MSWHEEL_ROLLMSG"); }

void HintListBoxShutdown() {
  RemoveHooks();
  std::vector<THintListBox*>().swap(s_shown);
}

int HintListHookCount() { return (s_callWndProc ? 1 : 0) + (s_getMessage ? 1 : 0); }

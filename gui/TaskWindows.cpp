#include "gui/TaskWindows.h"

#include <new>

namespace {
struct Walk {
  HWND except;
  std::vector<HWND>* disabled;
  bool failed = false;
};

BOOL CALLBACK DisableTaskWindow(HWND w, LPARAM param) {
  auto* walk = reinterpret_cast<Walk*>(param);
  try {
    if (w != walk->except && IsWindowVisible(w) && IsWindowEnabled(w)) {
      walk->disabled->push_back(w);
      EnableWindow(w, FALSE);
    }
    return TRUE;
  } catch (...) {
    // Out of memory: stop here; the constructor enables what was disabled and fails.
    walk->failed = true;
    return FALSE;
  }
}
}  // namespace

TTaskWindowsDisabled::TTaskWindowsDisabled(HWND except) {
  Walk walk{except, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), DisableTaskWindow, reinterpret_cast<LPARAM>(&walk));
  if (walk.failed) {
    EnableAgain();
    throw std::bad_alloc();
  }
}

void TTaskWindowsDisabled::EnableAgain() {
  for (HWND w : disabled_)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  disabled_.clear();
}

// Running a form modally, and releasing a form once nothing of it is on the stack any more.
#include <new>
#include <vector>

#include "gen0/GenError.h"
#include "gui/Application.h"
#include "gui/Form.h"

namespace {
// The windows of this thread that a modal form disables, and enables again afterwards.
struct TaskWindows {
  HWND except = nullptr;
  std::vector<HWND> disabled;
  bool failed = false;
};

BOOL CALLBACK DisableTaskWindow(HWND w, LPARAM param) {
  auto* t = reinterpret_cast<TaskWindows*>(param);
  try {
    if (w != t->except && IsWindowVisible(w) && IsWindowEnabled(w)) {
      t->disabled.push_back(w);
      EnableWindow(w, FALSE);
    }
    return TRUE;
  } catch (...) {
    // Out of memory: stop here; the caller enables what was disabled and fails.
    t->failed = true;
    return FALSE;
  }
}

void EnableTaskWindows(const TaskWindows& t) {
  for (HWND w : t.disabled)
    if (IsWindow(w)) EnableWindow(w, TRUE);
}
}  // namespace

void TCustomForm::Release() {
  if (HandleAllocated()) PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::DispatchEnded() {
  if (releasePending_ && !modal_ && DispatchDepth() == 0) {
    releasePending_ = false;
    Release();
  }
}

void TCustomForm::CloseModal() {
  TCloseAction action = TCloseAction::None;
  if (CloseQuery()) {
    action = TCloseAction::Hide;
    DoClose(action);
  }
  if (action == TCloseAction::None) ModalResult = mrNone;
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || modal_) throw Exception("Cannot make a visible window modal");
  ReleaseCapture();
  HWND before = GetActiveWindow();
  TaskWindows tasks;
  tasks.except = Handle();
  EnumThreadWindows(GetCurrentThreadId(), DisableTaskWindow, reinterpret_cast<LPARAM>(&tasks));
  if (tasks.failed) {
    EnableTaskWindows(tasks);
    throw std::bad_alloc();
  }
  modal_ = true;
  ModalResult = mrNone;
  // Anything run by the loop may free the form; the loop then ends without touching it.
  TFreeWatch watch(this);
  auto restore = [&] {
    EnableTaskWindows(tasks);
    if (!watch.Freed()) {
      Hide();
      modal_ = false;
    }
    if (before && IsWindow(before)) SetActiveWindow(before);
  };
  try {
    Show();
    for (;;) {
      Application->HandleMessage();
      if (watch.Freed()) break;
      if (Application->Terminated())
        ModalResult = mrCancel;
      else if (ModalResult != mrNone)
        CloseModal();
      if (ModalResult != mrNone) break;
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
  if (watch.Freed()) return mrCancel;
  DispatchEnded();
  return ModalResult;
}

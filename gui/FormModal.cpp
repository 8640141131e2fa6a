// Running a form modally, and releasing a form once nothing of it is on the stack any more.
#include "gen0/GenError.h"
#include "gui/Application.h"
#include "gui/Form.h"
#include "gui/TaskWindows.h"

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
  TTaskWindowsDisabled tasks(Handle());
  modal_ = true;
  ModalResult = mrNone;
  // Anything run by the loop may free the form; the loop then ends without touching it.
  TFreeWatch watch(this);
  auto restore = [&] {
    tasks.EnableAgain();
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

#include "gen/WorkForm.h"

#include "gen/ControlExData.h"
#include "gen/MessageDialog.h"
#include "gen/WorkFormStack.h"
#include "gen0/GenError.h"
#include "gen0/GenLog.h"
#include "gen0/GenOptions.h"

namespace {
void ShowEndSessionWarning(TfrmGenWorkForm* form) {
  MessageDialogOwned("Windowsの終了、再起動またはログオフの前に全てのウィンドウを閉じてください",
                     DialogKind::Error, ButtonSet({mbOK}), form, "重要なおしらせ", 0);
}
}  // namespace

TfrmGenWorkForm::TfrmGenWorkForm(TComponent* owner, const TFormDesc& desc)
    : TCustomForm(owner, desc) {}

TfrmGenWorkForm::~TfrmGenWorkForm() {
  RemoveWorkForm(this, 0);
  ClearAutoClearRef();
}

void TfrmGenWorkForm::SetAutoClearRef(const TAutoClearRef& ref) {
  if (autoClearRef_.Ref && autoClearRef_.HoldsForm(autoClearRef_.Ref, this))
    autoClearRef_.AssignForm(autoClearRef_.Ref, nullptr);
  autoClearRef_ = ref;
  if (ref.Ref) ref.AssignForm(ref.Ref, this);
}

void TfrmGenWorkForm::DoShow() {
  if (UseWorkStack) {
    SetWorkForm(this, 0, 1);
    onStack_ = true;
  }
  TCustomForm::DoShow();
}

void TfrmGenWorkForm::DoHide() {
  // Off the stack also when the hide event raises.
  struct OffStack {
    TfrmGenWorkForm* f;
    ~OffStack() {
      if (!f->onStack_) return;
      RemoveWorkForm(f, 0);
      f->onStack_ = false;
    }
  } off{this};
  TCustomForm::DoHide();
}

// The focus left the previous control: its focus-leave handler runs. If it raises, the focus
// goes back to that control (when nothing else has moved it meanwhile) and the exception goes on.
void TfrmGenWorkForm::FocusLeave() {
  if (leaving_) return;
  TWinControl* active = ActiveControl();
  if (active == previous_) return;
  leaving_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{leaving_};
  TControlExData* ex = FindControlExData(previous_, false);
  if (ex && ex->OnLeave) {
    try {
      ex->OnLeave(previous_);
    } catch (...) {
      if (ActiveControl() == active && previous_) {
        try {
          previous_->SetFocus();
        } catch (const Exception& e) {
          ReportException(e);
        }
      }
      throw;
    }
  }
  previous_ = active;
  if (active) active->FreeNotification(this);
}

void TfrmGenWorkForm::ActiveControlChanged() {
  FocusLeave();
  TCustomForm::ActiveControlChanged();
  if (!OnActiveControlChange || Destroying()) return;
  FocusLeave();
  TWinControl* active = ActiveControl();
  if (active == lastReported_) return;
  lastReported_ = active;
  if (active) active->FreeNotification(this);
  OnActiveControlChange(this);
}

void TfrmGenWorkForm::Notification(TComponent* c, TOperation op) {
  TCustomForm::Notification(c, op);
  if (op == TOperation::Insert) {
    if (auto* edit = dynamic_cast<TWorkFormEditOptions*>(c))
      edit->ApplyWorkFormOptions(LibraryOptions.WorkFormEditNoCapacity,
                                 LibraryOptions.WorkFormEditCentred);
    return;
  }
  if (c == previous_) previous_ = nullptr;
  if (c == lastReported_) lastReported_ = nullptr;
}

// A disabled work form means a dialog is waiting for the user: Windows must not end the session
// under it.
bool TfrmGenWorkForm::RefusesEndSession() {
  return !Enabled() || (HandleAllocated() && !IsWindowEnabled(Handle()));
}

void TfrmGenWorkForm::SnapToGrid(WINDOWPOS& pos) {
  if (!(pos.flags & SWP_NOMOVE)) {
    int x = pos.x - pos.x % 8, y = pos.y - pos.y % 8;
    pos.cx += pos.x - x;
    pos.cy += pos.y - y;
    pos.x = x;
    pos.y = y;
  }
  if (!(pos.flags & SWP_NOSIZE)) {
    pos.cx -= pos.cx % 8;
    pos.cy -= pos.cy % 8;
  }
}

LRESULT TfrmGenWorkForm::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_ENABLE: {
      LRESULT r = TCustomForm::WndProc(msg, w, l);
      windowEnabled_ = w != 0;
      if (OnEnabledChange) OnEnabledChange(this);
      return r;
    }
    case WM_QUERYENDSESSION:
      if (RefusesEndSession()) {
        ShowEndSessionWarning(this);
        return 0;
      }
      break;
    case WM_WINDOWPOSCHANGING:
      if (DebugMode && GetKeyState(VK_MENU) < 0 && !Loading() && !Destroying())
        SnapToGrid(*reinterpret_cast<WINDOWPOS*>(l));
      break;
  }
  return TCustomForm::WndProc(msg, w, l);
}

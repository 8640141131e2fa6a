#include "gen/ProgressWindow.h"

#include "controls/ProgressBar.h"
#include "gen/ErrorDocument.h"
#include "gen/TaskbarProgress.h"
#include "gen0/GenHooks.h"
#include "gen0/GenLog.h"
#include "gen0/GenOptions.h"
#include "gui/Application.h"
#include "gui/Button.h"
#include "gui/Screen.h"
#include "services/PostCall.h"

int DoingWindowScale = 100;
TTickCount DoingTickCount = GetTickCount;
TfrmGenDoing* frmGenDoing = nullptr;

namespace {
// The hourglass of a delayed job goes once the message loop runs again.
void RestoreCursor(TfrmGenDoing*) {
  if (Screen) Screen->SetCursor(crDefault);
}

void RepaintWindowNow(TWinControl* c) {
  if (c->HandleAllocated())
    RedrawWindow(c->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
}  // namespace

TFormDesc TfrmGenDoing::Desc() {
  TFormDesc d = TfrmGenForm::Desc();
  d.Caption = "処理中です";
  d.ClientWidth = 604;
  d.ClientHeight = 38;
  d.BorderStyle = TBorderStyle::Single;
  d.BorderIcons = 0;
  // Centred on the main window by the window itself, at every show.
  d.Position = TPosition::Designed;
  return d;
}

TfrmGenDoing::TfrmGenDoing(TComponent* owner) : TfrmGenForm(owner, Desc()) {
  Button1 = NewControl<TButton>(this, this, 528, 6, 69, 25);
  Button1->SetCaption("中止");
  Button1->SetTabOrder(0);
  Button1->OnClick = [this](TComponent* sender) { Button1Click(sender); };
  LuProgressBar1 = NewControl<TLuProgressBar>(this, this, 6, 6, 517, 25);
  if (DoingWindowScale != 100) ScaleBy(DoingWindowScale, 100);
  if (LibraryOptions.UiGothicFace) Font.SetName("MS UI Gothic");
}

// The work-form base clears frmGenDoing; the library's defaults go back into the hooks.
TfrmGenDoing::~TfrmGenDoing() {
  if (HooksInstalled) InstallDefaultHooks();
}

void TfrmGenDoing::InstallHooks() {
  DoingSetPosition = TDoingProc::Bind<&TfrmGenDoing::SetPosition>(this);
  DoingBegin = TDoingProc::Bind<&TfrmGenDoing::Begin>(this);
  DoingPushRange = TDoingProc::Bind<&TfrmGenDoing::PushRange>(this);
  DoingPopRange = TDoingProc::Bind<&TfrmGenDoing::PopRange>(this);
  DoingStepIt = TDoingProc::Bind<&TfrmGenDoing::StepIt>(this);
  DoingSetTitle = TDoingProc::Bind<&TfrmGenDoing::SetTitle>(this);
  DoingSetText = TDoingProc::Bind<&TfrmGenDoing::SetText>(this);
  DoingSetTextW = TDoingProc::Bind<&TfrmGenDoing::SetTextW>(this);
  DoingCheckCancel = TDoingQuery::Bind<&TfrmGenDoing::CheckCancel>(this);
  DoingEnd = TDoingProc::Bind<&TfrmGenDoing::End>(this);
  DoingClearCancel = TDoingProc::Bind<&TfrmGenDoing::ClearCancel>(this);
  DoingRepaint = TDoingProc::Bind<&TfrmGenDoing::RepaintNow>(this);
  DoingEnableCancel = TDoingProc::Bind<&TfrmGenDoing::EnableCancel>(this);
  HooksInstalled = true;
}

void TfrmGenDoing::Begin() {
  ResetProgress();
  JobRunning = false;
  Button1->SetEnabled(true);
  CancelRequested = false;
  SetCaption("");
  LuProgressBar1->ResetBar();
  LuProgressBar1->SetCaption("");
  ShowPending = DelayedShow;
  if (ShowPending) {
    StartTick = DoingTickCount();
    if (Screen) Screen->SetCursor(crHourGlass);
    PostCall(this, &RestoreCursor, this);
  }
  JobRunning = true;
  Active = true;
  DoingBusy = true;
  // ResetProgress cleared DoingCancelEnabled: the button is disabled until the job enables it.
  DoingEnableCancel();
  if (!ShowPending) ShowOnTop();
  RepaintNow();
}

void TfrmGenDoing::End() {
  DoingOnCancelQuery = {};
  DoingBusy = false;
  Active = false;
  ShowPending = false;
  Hide();
  if (DebugMode && HandleAllocated() && IsWindowVisible(Handle()))
    PostNotice("GenDoing 非表示になっていない", false);
}

// Exactly 2000 ms does not show it yet; the unsigned difference survives the tick count's wrap.
void TfrmGenDoing::CheckDelayedShow() {
  if (!ShowPending || Visible()) return;
  if (std::uint32_t(DoingTickCount() - StartTick) <= 2000) return;
  ShowOnTop();
  RepaintNow();
  ShowPending = false;
}

void TfrmGenDoing::ShowOnTop() {
  PlaceOnMainWindow();
  Show();
  BringToFront();
}

// Centred on the main window (or the work area), halving toward zero, then kept inside the
// work area.
void TfrmGenDoing::PlaceOnMainWindow() {
  RECT work;
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
    work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT over = work;
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  if (main && main != this && main->HandleAllocated()) GetWindowRect(main->Handle(), &over);
  const int w = Width(), h = Height();
  int left = (over.left + over.right - w) / 2, top = (over.top + over.bottom - h) / 2;
  if (left + w > work.right) left -= left + w - work.right;
  if (left < work.left) left = work.left;
  if (top + h > work.bottom) top -= top + h - work.bottom;
  if (top < work.top) top = work.top;
  SetBounds(left, top, w, h);
}

void TfrmGenDoing::SetTitle() {
  CheckDelayedShow();
  SetCaption(DoingTitle);
}

void TfrmGenDoing::SetText() {
  CheckDelayedShow();
  LuProgressBar1->SetCaption(DoingText);
  LuProgressBar1->Repaint();
}

void TfrmGenDoing::SetTextW() {
  CheckDelayedShow();
  LuProgressBar1->SetWideCaption(DoingTextW);
  LuProgressBar1->Repaint();
}

void TfrmGenDoing::SetPosition() {
  CheckDelayedShow();
  LuProgressBar1->SetPosition(DoingPosition);
}

void TfrmGenDoing::StepIt() {
  CheckDelayedShow();
  LuProgressBar1->SetStep(DoingStep);
  LuProgressBar1->StepIt();
}

// No delayed-show check in the range hooks: a job that wants the window during a long range
// calls one of the others, DoingCheckCancel for one.
void TfrmGenDoing::PushRange() {
  LuProgressBar1->SetStep(DoingStep);
  LuProgressBar1->PushRange(DoingMin, DoingMax);
  DoingStep = 1;
}

void TfrmGenDoing::PopRange() {
  LuProgressBar1->PopRange();
  LuProgressBar1->Recalculate();
  LuProgressBar1->Repaint();
  DoingStep = LuProgressBar1->Step();
}

// The one place where a job lets the window's messages in: the cancel click runs here.
bool TfrmGenDoing::CheckCancel() {
  CheckDelayedShow();
  if (Visible() && Application) Application->ProcessMessages();
  DoingCancelled = CancelRequested;
  return CancelRequested;
}

void TfrmGenDoing::ClearCancel() {
  CancelRequested = false;
  DoingCancelled = false;
}

void TfrmGenDoing::EnableCancel() {
  Button1->SetEnabled(DoingCancelEnabled);
  RepaintWindowNow(Button1);
  if (DoingCancelEnabled) return;
  CancelRequested = false;
  ClearCancel();
}

void TfrmGenDoing::RepaintNow() { RepaintWindowNow(this); }

void TfrmGenDoing::Button1Click(TComponent*) {
  if (!Button1->Enabled()) return;
  if (JobRunning && DoingOnCancelQuery) {
    try {
      if (!DoingOnCancelQuery()) return;
    } catch (const Exception& e) {
      ReportException(e);
      return;
    }
  }
  CancelRequested = true;
}

// Never closes; while cancelling is allowed a close request is a cancel, without asking.
void TfrmGenDoing::DoClose(TCloseAction& action) {
  action = TCloseAction::None;
  if (Button1->Enabled()) CancelRequested = true;
}

void TfrmGenDoing::DoShow() {
  TfrmGenForm::DoShow();
  if (LibraryOptions.TaskbarProgress) LuProgressBar1->SetTaskbarMirror(true);
}

// Hidden, the window gives its handle back; the next show makes it again.
void TfrmGenDoing::DoHide() {
  TfrmGenForm::DoHide();
  if (LibraryOptions.TaskbarProgress) LuProgressBar1->SetTaskbarMirror(false);
  DestroyHandle();
}

void CreateDoingWindow() {
  if (frmGenDoing) return;
  TfrmGenDoing* f = NewForm<TfrmGenDoing>(Application);
  f->SetAutoClearRef(&frmGenDoing);
  f->DelayedShow = true;
  f->InstallHooks();
  ListenForTaskbarButton();
}

void SetDoingDelayed(bool delayed) {
  if (frmGenDoing) frmGenDoing->DelayedShow = delayed;
}

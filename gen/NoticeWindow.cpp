#include "gen/NoticeWindow.h"

#include <algorithm>

#include "gen/ErrorDocument.h"
#include "controls/LuButton.h"
#include "controls/LuMemo.h"
#include "gen/WorkFormStack.h"
#include "gui/Application.h"
#include "gui/CustomControl.h"
#include "gui/Image.h"
#include "gui/Screen.h"
#include "gui/TaskWindows.h"
#include "services/PostCall.h"

namespace {
constexpr int MaxRows = 14;

bool Usable(const RECT& r) { return r.right > r.left && r.bottom > r.top; }
}  // namespace

TFormDesc TfrmGenError::Desc() {
  TFormDesc d;
  d.Caption = "お知らせ";
  d.ClientWidth = 606;
  d.ClientHeight = 273;
  d.BorderStyle = TBorderStyle::Dialog;
  d.BorderIcons = biSystemMenu;
  d.Font = {"ＭＳ Ｐゴシック", -16, clWindowText, 0, SHIFTJIS_CHARSET};
  d.StayOnTop = true;
  d.KeyPreview = true;
  d.Scaled = false;
  return d;
}

TfrmGenError::TfrmGenError(TGenErrorDoc* owner) : TCustomForm(owner, Desc()), doc_(owner) {
  Panel2 = NewControl<TPanel>(this, this, 0, 0, 61, 232);
  Panel2->SetBevelOuter(TBevel::None);
  Panel2->SetAlign(TAlign::Left);
  Image1 = NewControl<TImage>(this, Panel2, 0, 0, 61, 232);
  Image1->SetAlign(TAlign::Client);
  Image1->SetCenter(true);
  Image1->SetTransparent(true);
  Image1->LoadFromResource("NOTICEPICTURE");
  Panel1 = NewControl<TPanel>(this, this, 0, 232, 606, 41);
  Panel1->SetBevelOuter(TBevel::None);
  Panel1->SetAlign(TAlign::Bottom);
  LuButton1 = NewControl<TLuButton>(this, Panel1, 276, 8, 75, 25);
  LuButton1->SetCaption("OK");
  LuButton1->OnClick = [this](TComponent*) { Close(); };
  LuMemo1 = NewControl<TLuMemo>(this, this, 61, 0, 545, 232);
  LuMemo1->AltEnter = false;
  LuMemo1->SetAlign(TAlign::Client);
  LuMemo1->SetAlignment(TAlignment::Center);
  LuMemo1->SetBorderSingle(false);
  LuMemo1->SetReadOnly(true);
  LuMemo1->SetParentColor(true);
  LuMemo1->SetScrollBars(TScrollStyle::Vertical);
  LuMemo1->SetTabOrder(0);
  OnCreate = [this](TComponent*) { FormCreate(); };
  OnClose = [this](TComponent*, TCloseAction& action) { FormClose(action); };
  OnKeyDown = [this](TComponent*, WORD& key, std::uint8_t) { FormKeyDown(key); };
}

void TfrmGenError::CreateParams(TCreateParams& p) {
  TCustomForm::CreateParams(p);
  // Exactly the topmost style: no dialog frame, nothing else.
  p.ExStyle = WS_EX_TOPMOST;
}

void TfrmGenError::FormCreate() { memoDesignHeight_ = LuMemo1->Height(); }

void TfrmGenError::FormClose(TCloseAction& action) {
  doc_->Clear();
  LuMemo1->SetText("");
  if (Modal()) return;
  if (waiting_) {
    waiting_ = false;
    action = TCloseAction::None;
  } else {
    action = TCloseAction::Hide;
  }
}

void TfrmGenError::FormKeyDown(WORD& key) {
  if (key != VK_ESCAPE) return;
  key = 0;
  Close();
}

void TfrmGenError::UpdateNoticeText() {
  if (shownChange_ == doc_->ChangeCount) return;
  LuMemo1->Handle();
  LuMemo1->SetText(doc_->NoticeCount <= 0 ? std::string() : doc_->Compose(8000, -1));
  // The caret just after the two leading line breaks.
  if (LuMemo1->LineCount() > 2 && LuMemo1->SelStart() < 4) LuMemo1->SetSel(4, 0);
  int rows = std::min(LuMemo1->LineCount() + 1, MaxRows);
  int height = (memoDesignHeight_ + 13) / MaxRows * rows + (Height() - LuMemo1->Height());
  SetBounds(Left(), Top(), Width(), height);
  shownChange_ = doc_->ChangeCount;
}

void TfrmGenError::ShowNoticeWindow() {
  if (Visible() && !IsWindowVisible(Handle())) {
    Hide();
    Show();
  }
  if (Visible()) return;
  RECT work = Screen ? Screen->WorkAreaRect() : RECT{0, 0, GetSystemMetrics(SM_CXSCREEN),
                                                      GetSystemMetrics(SM_CYSCREEN)};
  RECT ref = work;
  TWinControl* over = CurrentWorkForm();
  if (!over && Application) over = Application->MainForm();
  if (over && over->HandleAllocated()) {
    RECT r;
    GetWindowRect(over->Handle(), &r);
    if (Usable(r)) ref = r;
  }
  int w = Width(), h = Height();
  int left = (ref.left + ref.right) / 2 - w / 2;
  int top = (ref.top + ref.bottom) / 2 - h / 2;
  if (left + w > work.right) left = work.right - w;
  if (top + h > work.bottom) top = work.bottom - h;
  if (left < work.left) left = work.left;
  if (top < work.top) top = work.top;
  SetBounds(left, top, w, h);
  EnableWindow(Handle(), TRUE);
  Show();
  MessageBeep(MB_ICONHAND);
  BringToFront();
}

void TfrmGenError::WaitUntilClosed() {
  if (!HandleAllocated()) return;
  BringToFront();
  SetWorkForm(this, 0, 1);
  struct Restore {
    TfrmGenError* self;
    TTaskWindowsDisabled others;
    ~Restore() {
      others.EnableAgain();
      RemoveWorkForm(self, 0);
      self->Hide();
    }
  } restore{this, TTaskWindowsDisabled(Handle())};
  waiting_ = true;
  // Waits for the next message between rounds: the user may read for a long time.
  while (waiting_) Application->HandleMessage();
}

void TfrmGenError::EnableAgain(TfrmGenError* self) {
  if (!self->HandleAllocated() || IsWindowEnabled(self->Handle())) return;
  EnableWindow(self->Handle(), TRUE);
  SetWindowPos(self->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

LRESULT TfrmGenError::WndProc(UINT msg, WPARAM w, LPARAM l) {
  // Disabled by another window's modal loop: enabled again once that loop runs, so that the
  // user can read and close the notices beside the dialog.
  if (msg == WM_ENABLE && !w) PostCall(this, &EnableAgain, this);
  return TCustomForm::WndProc(msg, w, l);
}

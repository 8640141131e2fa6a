#include "controls/HintListBox.h"

#include <windowsx.h>

#include "controls/HintListHooks.h"
#include "gui/ScreenCanvas.h"

namespace {
// The height of "W" in font, on the screen.
int RowHeight(TFont& font) {
  TScreenCanvas canvas;
  canvas.Font.Assign(font);
  return canvas.TextHeight("W");
}
}  // namespace

THintListBox::THintListBox(TComponent* owner) : TCustomListBox(owner) {
  SetVisibleFlag(false);
  SetTabStop(false);
  BorderSingle = false;
}

THintListBox::~THintListBox() { HintListHidden(this); }

void THintListBox::CreateParams(TCreateParams& p) {
  TCustomListBox::CreateParams(p);
  // A pop-up that the owner control's window owns: top-level, so that it can float over
  // everything and lie outside the form, a tool window without a taskbar button.
  p.Style = (p.Style & ~(WS_CHILD | WS_TABSTOP)) | WS_POPUP | WS_BORDER;
  p.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

void THintListBox::DestroyHandle() {
  Hide();
  TCustomListBox::DestroyHandle();
}

void THintListBox::SetSubClassComponent(TWinControl* c) {
  if (c == this) c = nullptr;
  Hide();
  subClass_ = c;
  SetParent(c);
}

void THintListBox::RequireOwner() const {
  if (!subClass_) throw EHintListBoxNoParent();
}

void THintListBox::SetVisible(bool v) {
  if (v == Visible()) return;
  if (v) {
    RequireOwner();
    HWND w = Handle();
    HintListShown(this);
    SetVisibleFlag(true);
    SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  } else {
    HintListHidden(this);
    SetVisibleFlag(false);
    if (HandleAllocated()) {
      if (GetCapture() == Handle()) ReleaseCapture();
      ShowWindow(Handle(), SW_HIDE);
    }
  }
  picking_ = false;
  if (const TNotifyEvent& event = v ? OnShowed : OnHided) event(this);
}

void THintListBox::ShowAt(int x, int y) {
  RequireOwner();
  bool wasVisible = Visible();
  SetWindowPos(Handle(), HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  TFreeWatch watch(this);
  SetVisible(true);
  if (watch.Freed() || !Visible()) return;
  // Straight to the list box's own procedure: it draws as focused, and a list box that believes
  // it has the focus takes none on a click, while the real focus stays with the owner.
  DefaultHandler(WM_SETFOCUS, 0, 0);
  if (wasVisible) HintListRaise(this);
}

void THintListBox::ShowNear(int x, int belowY, int aboveY) {
  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  if (x + Width() > work.right) x = work.right - Width();
  if (x < work.left) x = work.left;
  bool fitsBelow = belowY >= work.top && belowY + Height() <= work.bottom;
  ShowAt(x, fitsBelow ? belowY : aboveY);
}

void THintListBox::SetRowCount(int n) {
  if (n == rowCount_) return;
  rowCount_ = n;
  ApplyRowCount();
}

void THintListBox::ApplyRowCount() {
  if (rowCount_ <= 0) return;
  TCreateParams p;
  CreateParams(p);
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, p.Style, FALSE, p.ExStyle);
  SetHeight(rowCount_ * RowHeight(Font) + frame.bottom - frame.top);
}

void THintListBox::FontChanged() {
  TCustomListBox::FontChanged();
  ApplyRowCount();
}

void THintListBox::PressKey(WORD vk) {
  SendMessageW(Handle(), WM_KEYDOWN, vk, 0);
  SendMessageW(Handle(), WM_KEYUP, vk, 0);
}

void THintListBox::LineUp() { PressKey(VK_UP); }

void THintListBox::LineDown() { PressKey(VK_DOWN); }

void THintListBox::Pick() {
  picking_ = true;
  Click();
}

void THintListBox::Command(THintCommand c) {
  // Posted while the list was visible; one that arrives after it closed is stale.
  if (!Visible()) return;
  switch (c) {
    case THintCommand::Close:
      Hide();
      break;
    case THintCommand::Pick:
      Pick();
      break;
    case THintCommand::LineUp:
      LineUp();
      break;
    case THintCommand::LineDown:
      LineDown();
      break;
    case THintCommand::PageUp:
      for (int i = 1; i < rowCount_; ++i) LineUp();
      break;
    case THintCommand::PageDown:
      for (int i = 1; i < rowCount_; ++i) LineDown();
      break;
  }
}

void THintListBox::Click() {
  if (!picking_) return;
  if (ItemIndex() < 0) {
    picking_ = false;
    return;
  }
  TFreeWatch watch(this);
  TCustomListBox::Click();
  if (watch.Freed()) return;
  if (picking_ && ItemIndex() >= 0 && OnSelected) {
    OnSelected(this);
    if (watch.Freed()) return;
  }
  Hide();
}

void THintListBox::FollowMouse(LPARAM l) {
  POINT p = {GET_X_LPARAM(l), GET_Y_LPARAM(l)};
  RECT client = ClientRect();
  if (Count() == 0 || !PtInRect(&client, p)) return;
  // The nearest item: below the last item, the last.
  int index = LOWORD(SendMessageW(Handle(), LB_ITEMFROMPOINT, 0, l));
  if (index != ItemIndex()) SetItemIndex(index);
}

LRESULT THintListBox::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case HLM_COMMAND:
      Command(THintCommand(w));
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
      if (SyncMouse) FollowMouse(l);
      break;
    case WM_LBUTTONUP: {
      // The list box answers the release of a press on it with a selection notice: the click.
      picking_ = true;
      TFreeWatch watch(this);
      LRESULT r = TCustomListBox::WndProc(msg, w, l);
      if (!watch.Freed()) picking_ = false;
      return r;
    }
    case WM_KEYDOWN:
      if (w == VK_ESCAPE) {
        Hide();
        return 0;
      }
      if (w == VK_RETURN) {
        Pick();
        return 0;
      }
      break;
  }
  return TCustomListBox::WndProc(msg, w, l);
}

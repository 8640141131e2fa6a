// The drop-down button: a strip at the right of the client area, outside the formatting
// rectangle. A press on it, or anywhere on a ddDropDownList field, focuses the field, holds the
// mouse and opens the list; the button shows pressed while the held mouse stays over it.
#include <windowsx.h>

#include <algorithm>

#include "controls/LuEdit.h"
#include "gui/Screen.h"

using enum TLuDropDownStyle;

bool TLuCustomEdit::HasButton() const { return dropDownStyle_ != ddNone && !noDropDownButton_; }

RECT TLuCustomEdit::ButtonRect() {
  RECT r;
  GetClientRect(Handle(), &r);
  r.left = std::max(r.left, r.right - ButtonWidth);
  return r;
}

void TLuCustomEdit::DrawButton(HDC dc) {
  if (!HasButton()) return;
  TDropDownButtonState state = !Enabled() || dropDownDisable_ ? TDropDownButtonState::Inactive
                               : buttonPressed_               ? TDropDownButtonState::Pressed
                                                              : TDropDownButtonState::Normal;
  DrawDropDownButton(dc, ButtonRect(), DropDownColors, state);
}

void TLuCustomEdit::RedrawButton() {
  if (!HandleAllocated() || !HasButton()) return;
  HDC dc = GetDC(Handle());
  DrawButton(dc);
  ReleaseDC(Handle(), dc);
}

bool TLuCustomEdit::ButtonPress(LPARAM l) {
  POINT p = {GET_X_LPARAM(l), GET_Y_LPARAM(l)};
  RECT button = ButtonRect();
  const bool onButton = HasButton() && PtInRect(&button, p);
  if (!onButton && dropDownStyle_ != ddDropDownList) return false;
  if (!Focused()) {
    TFreeWatch watch(this);
    SetFocus();
    if (watch.Freed() || !Focused()) return true;
  }
  SetCapture(Handle());
  buttonCaptured_ = true;
  if (onButton) {
    buttonPressed_ = true;
    RedrawButton();
  }
  if (!droppedDown_ && !dropDownDisable_) SetDroppedDown(true);
  return true;
}

void TLuCustomEdit::ButtonTrack(LPARAM l) {
  POINT p = {GET_X_LPARAM(l), GET_Y_LPARAM(l)};
  RECT button = ButtonRect();
  if (!buttonPressed_ || !PtInRect(&button, p)) EndButtonPress();
}

void TLuCustomEdit::EndButtonPress() {
  buttonCaptured_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  if (buttonPressed_) {
    buttonPressed_ = false;
    RedrawButton();
  }
}

bool TLuCustomEdit::ArrowCursor(LPARAM l) {
  if (LOWORD(l) != HTCLIENT || (Screen && Screen->Cursor() != crDefault)) return false;
  if (dropDownStyle_ != ddDropDownList) {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(Handle(), &p);
    RECT button = ButtonRect();
    if (!HasButton() || !PtInRect(&button, p)) return false;
  }
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  return true;
}

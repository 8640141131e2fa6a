// Focus entry and exit, highlight mode, the first click, and what the field paints over the
// EDIT's own painting.
#include "controls/LuEdit.h"
#include "gen0/GenOptions.h"

void TLuCustomEdit::DoEnter() {
  hasFocus_ = true;
  // The system applies no input-method mode to a read-only field.
  if (ReadOnly() && HandleAllocated()) {
    SendMessageW(Handle(), EM_SETREADONLY, FALSE, 0);
    SetImeMode(Handle(), ImeMode);
    SendMessageW(Handle(), EM_SETREADONLY, TRUE, 0);
  }
  if (AutoSelect && dropDownStyle_ != TLuDropDownStyle::ddDropDownList && !buttonDown_)
    SelectAll();
  if (!NoAutoSaveForUndo) UndoText = Text();
  TFreeWatch watch(this);
  TCustomEdit::DoEnter();
  if (!watch.Freed() && !alignmentSwitched_ && HandleAllocated())
    PostMessageW(Handle(), LEM_CHECKALIGNMENT, 0, 0);
}

// The designed alignment comes back once the focus has settled elsewhere: making the window
// anew while it still has the focus would hand the focus to its parent.
void TLuCustomEdit::DoExit() {
  hasFocus_ = false;
  if (alignmentSwitched_ && HandleAllocated())
    PostMessageW(Handle(), LEM_RESTOREALIGNMENT, 0, 0);
  TCustomEdit::DoExit();
}

LRESULT TLuCustomEdit::SetFocusMessage(WPARAM w, LPARAM l) {
  if (switching_) return TCustomEdit::WndProc(WM_SETFOCUS, w, l);
  if (!highlight_) {
    savedColor_ = Color();
    savedFontColor_ = Font.Color();
  }
  if (!AlwaysEditMode) EnterHighlight();
  TFreeWatch watch(this);
  LRESULT r = TCustomEdit::WndProc(WM_SETFOCUS, w, l);
  if (watch.Freed() || !HandleAllocated()) return r;
  if (highlight_) HideCaretOnce();
  SetImeMode(Handle(), ImeMode);
  return r;
}

LRESULT TLuCustomEdit::KillFocusMessage(WPARAM w, LPARAM l) {
  if (switching_) return TCustomEdit::WndProc(WM_KILLFOCUS, w, l);
  buttonDown_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  if (!AlwaysEditMode) LeaveHighlight();
  LRESULT r = TCustomEdit::WndProc(WM_KILLFOCUS, w, l);
  // The EDIT's caret goes with the focus.
  caretHidden_ = false;
  return r;
}

bool TLuCustomEdit::FirstClick() {
  if (!LibraryOptions.EditFirstClick || MouseClickOnEnter || Focused()) return false;
  SetFocus();
  SelectAll();
  return true;
}

// Without the first-click option, a click that activates the form only focuses the field;
// focus entry then selects its text.
bool TLuCustomEdit::ActivatingClick(LPARAM l) {
  if (LibraryOptions.EditFirstClick || MouseClickOnEnter || Focused()) return false;
  if (LOWORD(l) != HTCLIENT || HIWORD(l) != WM_LBUTTONDOWN) return false;
  if (GetActiveWindow() == GetAncestor(Handle(), GA_ROOT)) return false;
  SetFocus();
  return true;
}

void TLuCustomEdit::EnterHighlight() {
  if (highlight_) return;
  highlight_ = true;
  SetColor(clHighlight);
  SelectAll();
}

void TLuCustomEdit::LeaveHighlight() {
  if (!highlight_) return;
  highlight_ = false;
  SetColor(savedColor_);
  Font.SetColor(savedFontColor_);
  if (dropDownStyle_ != TLuDropDownStyle::ddDropDownList) ShowCaretAgain();
  Invalidate();
}

void TLuCustomEdit::HideCaretOnce() {
  if (caretHidden_ || !HandleAllocated()) return;
  HideCaret(Handle());
  caretHidden_ = true;
}

void TLuCustomEdit::ShowCaretAgain() {
  if (!caretHidden_) return;
  caretHidden_ = false;
  if (HandleAllocated()) ShowCaret(Handle());
}

// After the EDIT has painted: the focus rectangle of highlight mode inside the client area
// (its painting covered all of it, see WndProc), and the DrawBorder frame over the border.
void TLuCustomEdit::PaintExtras(bool client) {
  if (client && highlight_) {
    RECT r;
    GetClientRect(Handle(), &r);
    if (dropDownStyle_ != TLuDropDownStyle::ddNone && !noDropDownButton_) r.right -= ButtonWidth;
    HDC dc = GetDC(Handle());
    DrawFocusRect(dc, &r);
    ReleaseDC(Handle(), dc);
  }
  if (drawBorder_) {
    RECT r;
    GetWindowRect(Handle(), &r);
    OffsetRect(&r, -r.left, -r.top);
    HDC dc = GetWindowDC(Handle());
    HBRUSH brush = CreateSolidBrush(ColorToRGB(drawBorderColor_));
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(Handle(), dc);
  }
}

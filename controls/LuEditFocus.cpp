// Focus entry and exit, highlight mode and the first click.
#include <windowsx.h>

#include "controls/HintListBox.h"
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
  // The list's window goes; the list keeps its lines for the next drop-down.
  if (list_) {
    SetDroppedDown(false);
    list_->DestroyHandle();
  }
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
  windowFocused_ = true;
  // The EDIT makes a new caret, shown.
  caretHidden_ = false;
  TFreeWatch watch(this);
  LRESULT r = TCustomEdit::WndProc(WM_SETFOCUS, w, l);
  if (watch.Freed() || !HandleAllocated()) return r;
  if (highlight_ || dropDownStyle_ == TLuDropDownStyle::ddDropDownList) HideCaretOnce();
  SetImeMode(Handle(), ImeMode);
  if (dropDownStyle_ != TLuDropDownStyle::ddNone) Invalidate();
  UpdateFloatButton();
  return r;
}

LRESULT TLuCustomEdit::KillFocusMessage(WPARAM w, LPARAM l) {
  if (switching_) return TCustomEdit::WndProc(WM_KILLFOCUS, w, l);
  buttonDown_ = false;
  windowFocused_ = false;
  EndButtonPress();
  if (GetCapture() == Handle()) ReleaseCapture();
  if (!AlwaysEditMode) LeaveHighlight();
  TFreeWatch watch(this);
  LRESULT r = TCustomEdit::WndProc(WM_KILLFOCUS, w, l);
  if (watch.Freed()) return r;
  // The EDIT's caret goes with the focus.
  caretHidden_ = false;
  if (dropDownStyle_ != TLuDropDownStyle::ddNone) Invalidate();
  UpdateFloatButton();
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
  // A press on the button, or on a ddDropDownList field, opens the list instead.
  if (dropDownStyle_ == TLuDropDownStyle::ddDropDownList) return false;
  DWORD pos = GetMessagePos();
  POINT p = {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
  ScreenToClient(Handle(), &p);
  RECT button = ButtonRect();
  if (HasButton() && PtInRect(&button, p)) return false;
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

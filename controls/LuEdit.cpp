// The field's window, its text and its properties, and the message dispatch to the handlers of
// the other LuEdit files.
#include "controls/LuEdit.h"

#include "controls/FloatDDButton.h"
#include "controls/HintListBox.h"
#include "controls/LuEditModule.h"
#include "gen0/GenOptions.h"
#include "gui/WideText.h"

TLuCustomEdit::TLuCustomEdit(TComponent* owner) : TCustomEdit(owner) {
  DropDownColors.OnChange = [this] {
    Invalidate();
    UpdateFloatButton();
  };
}

// The list goes first, while the field can still hear of its closing.
TLuCustomEdit::~TLuCustomEdit() {
  DropDownColors.OnChange = nullptr;
  if (TLuFloatDDButton* button = FloatDDButton(false)) button->Detach(this);
  delete list_;
}

void TLuCustomEdit::SetText(const std::string& text) {
  if (text == Text()) return;
  if (dropDownStyle_ == TLuDropDownStyle::ddDropDownList) IndexFromText(text);
  unsigned before = changes_;
  TCustomEdit::SetText(text);
  if (!NoAutoSaveForUndo) UndoText = text;
  // A multi-line EDIT does not report text set through WM_SETTEXT.
  if (changes_ == before) Change();
}

void TLuCustomEdit::Change() {
  ++changes_;
  LeaveHighlight();
  TFreeWatch watch(this);
  TCustomEdit::Change();
  if (!watch.Freed() && hasFocus_ && !alignmentSwitched_ &&
      Alignment() != TAlignment::LeftJustify && HandleAllocated())
    PostMessageW(Handle(), LEM_CHECKALIGNMENT, 0, 0);
}

bool TLuCustomEdit::MultiLine() const {
  return !(passwordChar_ && Alignment() == TAlignment::LeftJustify);
}

void TLuCustomEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  if (MultiLine())
    p.Style |= ES_MULTILINE;
  else
    p.Style |= ES_PASSWORD;
  // Once DrawBorder has made the border flat it stays so.
  if (!ctl3D_ && (p.ExStyle & WS_EX_CLIENTEDGE)) {
    p.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
    p.Style |= WS_BORDER;
  }
}

void TLuCustomEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  caretHidden_ = false;
  if (!BorderSingle()) drawBorder_ = false;
  SetWindowPasswordChar();
  RECT format = {}, client = {};
  SendMessageW(Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  GetClientRect(Handle(), &client);
  formatInset_ = {format.left - client.left, format.top - client.top, format.right - client.right,
                  format.bottom - client.bottom};
  // Margins that are not 0 switch the automatic height off before it could act.
  ApplyMargins();
  AdjustHeight();
}

void TLuCustomEdit::SetWindowPasswordChar() {
  if (!HandleAllocated() || MultiLine()) return;
  std::wstring ch = Widen(std::string(1, passwordChar_));
  SendMessageW(Handle(), EM_SETPASSWORDCHAR, ch.empty() ? 0 : WPARAM(ch[0]), 0);
  Invalidate();
}

void TLuCustomEdit::SetPasswordChar(char c) {
  if (c == passwordChar_) return;
  bool wasMultiLine = MultiLine();
  passwordChar_ = c;
  // A multi-line window shows no password characters: the field becomes left-aligned and
  // single-line, and multi-line again without them.
  if (c && wasMultiLine) {
    if (Alignment() == TAlignment::LeftJustify)
      StyleChanged();
    else
      SetAlignment(TAlignment::LeftJustify);
  } else if (!c && !wasMultiLine) {
    StyleChanged();
  } else {
    SetWindowPasswordChar();
  }
}

void TLuCustomEdit::SetDrawBorder(bool v) {
  if (v == drawBorder_) return;
  drawBorder_ = v;
  if (v) {
    ctl3D_ = false;
    SetBorderSingle(true);
  }
  StyleChanged();
}

void TLuCustomEdit::SetDrawBorderColor(TColor c) {
  drawBorderColor_ = c;
  if (drawBorder_ && HandleAllocated()) PaintExtras(false);
}

LRESULT TLuCustomEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  // The wheel goes to the EDIT itself, past the toolkit.
  if (msg == WM_MOUSEWHEEL || (msg == MsWheelRollMsg && msg != 0))
    return DefaultHandler(msg, w, l);
  switch (msg) {
    case WM_GETDLGCODE:
      return DialogCode(w, l);
    case WM_KEYDOWN:
      if (KeyDown(WORD(w))) return 0;
      break;
    case WM_SYSKEYDOWN:
      // The default procedure sees the key as well: it notes that Alt went with another key,
      // so that releasing Alt does not enter the menu.
      if (OpenKey(WORD(w), true)) return DefWindowProcW(Handle(), msg, w, l);
      break;
    case WM_CHAR:
      if (Char(w)) return 0;
      break;
    case WM_IME_COMPOSITION:
    case WM_IME_CHAR:
      // The list style takes no text: input-method text comes as typed characters, for the
      // first-letter search.
      if (dropDownStyle_ == TLuDropDownStyle::ddDropDownList)
        return DefWindowProcW(Handle(), msg, w, l);
      break;
    case EM_CANUNDO:
    case EM_UNDO:
    case WM_UNDO:
      return Undo(msg);
    case WM_PASTE:
      Paste();
      return 0;
    case WM_CLEAR:
      return Clear(w, l);
    case WM_CONTEXTMENU:
      if (LibraryOptions.InHouseContextMenus) {
        ContextMenu(l);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      return SetFocusMessage(w, l);
    case WM_KILLFOCUS:
      return KillFocusMessage(w, l);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      buttonDown_ = true;
      if (ButtonPress(l) || FirstClick()) return 0;
      break;
    case WM_MOUSEMOVE:
      if (buttonCaptured_) {
        ButtonTrack(l);
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      buttonDown_ = false;
      if (buttonCaptured_) {
        EndButtonPress();
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      if (buttonCaptured_ && reinterpret_cast<HWND>(l) != Handle()) EndButtonPress();
      break;
    case WM_SETCURSOR:
      if (ArrowCursor(l)) return TRUE;
      break;
    case WM_MOUSEACTIVATE:
      if (ActivatingClick(l)) return MA_ACTIVATEANDEAT;
      break;
    case WM_PAINT:
    case WM_NCPAINT:
      return PaintMessage(msg, w, l);
    case WM_ERASEBKGND:
      return EraseBackground(w, l);
    case CB_SHOWDROPDOWN:
      SetDroppedDown(w != 0);
      return TRUE;
    case CN_COMMAND:
      // The EDIT scrolls its text without minding the button's strip.
      if (HIWORD(w) == EN_UPDATE && dropDownStyle_ != TLuDropDownStyle::ddNone) Invalidate();
      break;
    case LEM_CHECKALIGNMENT:
      CheckAlignment(Widen(Text()));
      return 0;
    case LEM_RESTOREALIGNMENT:
      if (!hasFocus_ && alignmentSwitched_) RestoreAlignment();
      return 0;
  }
  return TCustomEdit::WndProc(msg, w, l);
}

// The keys and characters that the field handles itself: Enter, Esc, Shift+Home, the arrows of
// highlight mode, the keys of the drop-down list, the first-letter search, and the characters
// that it drops.
#include <algorithm>

#include "controls/DropDownText.h"
#include "controls/FocusNext.h"
#include "controls/LuEdit.h"
#include "gui/WideText.h"

using enum TLuDropDownStyle;

namespace {
// The character that a key-down already made waits in the queue: the key has done its work.
void DropPendingChar(HWND w, wchar_t ch) {
  MSG m;
  if (PeekMessageW(&m, w, WM_CHAR, WM_CHAR, PM_NOREMOVE) && m.wParam == ch)
    PeekMessageW(&m, w, WM_CHAR, WM_CHAR, PM_REMOVE);
}
}  // namespace

// With ReturnNext the field takes Enter and Esc itself; without it they reach the form's
// default and cancel buttons. Esc with nothing to revert passes on to the cancel button, so a
// second Esc closes a dialog as its user expects. Enter that opens the list is the field's, with
// or without ReturnNext.
LRESULT TLuCustomEdit::DialogCode(WPARAM w, LPARAM l) {
  LRESULT code = TCustomEdit::WndProc(WM_GETDLGCODE, w, l);
  bool wants = (ReturnNext && !(w == VK_ESCAPE && !CanRevert())) ||
               (w == VK_RETURN && NullEnterOpens());
  return wants ? code | DLGC_WANTALLKEYS : code & ~LRESULT(DLGC_WANTALLKEYS);
}

bool TLuCustomEdit::NullEnterOpens() {
  return DropDownByNullEnter && dropDownStyle_ != ddNone && KeyShiftState() == 0 &&
         HandleAllocated() && GetWindowTextLengthW(Handle()) == 0;
}

// Alt+Down in a drop-down style, Space in ddDropDownList: the list opens. sys: a key-down with
// Alt (WM_SYSKEYDOWN).
bool TLuCustomEdit::OpenKey(WORD key, bool sys) {
  bool alt = KeyShiftState() & ssAlt;
  bool opens = (key == VK_DOWN && alt && dropDownStyle_ != ddNone) ||
               (!sys && key == VK_SPACE && !alt && dropDownStyle_ == ddDropDownList);
  if (!opens) return false;
  if (!droppedDown_) SetDroppedDown(true);
  return true;
}

// ddDropDownList with the list closed: Down and Up step through the items, Delete does nothing
// (with Shift it would cut the text out of the items).
bool TLuCustomEdit::ListKey(WORD key) {
  if (dropDownStyle_ != ddDropDownList) return false;
  if (key == VK_DELETE) return true;
  if ((key != VK_DOWN && key != VK_UP) || KeyShiftState() != 0) return false;
  const int count = int(Items.size());
  const int next = key == VK_DOWN ? itemIndex_ + 1 : itemIndex_ - 1;
  if (key == VK_DOWN ? next < count : itemIndex_ > 0 && next < count) {
    TFreeWatch watch(this);
    SetItemIndex(next);
    if (!watch.Freed() && OnDropDownSelected) OnDropDownSelected(this);
  }
  return true;
}

bool TLuCustomEdit::KeyDown(WORD key) {
  if (key == VK_RETURN && NullEnterOpens()) {
    DropPendingChar(Handle(), L'\r');
    SetDroppedDown(true);
    return true;
  }
  if (key == VK_HOME && KeyShiftState() == ssShift) {
    SelectAll();
    PostMessageW(Handle(), WM_CLEAR, 0, 0);
    return true;
  }
  if (OpenKey(key, false)) return true;
  if (!highlight_) return ListKey(key);
  switch (key) {
    case VK_LEFT:
    case VK_UP:
      SendFocusNext(*this, true);
      return true;
    case VK_RIGHT:
    case VK_DOWN:
      SendFocusNext(*this, false);
      return true;
    case VK_RETURN: {
      // Enter starts editing: its character must not act as Enter as well.
      DropPendingChar(Handle(), L'\r');
      LeaveHighlight();
      return false;
    }
  }
  return ListKey(key);
}

bool TLuCustomEdit::Char(WPARAM& ch) {
  if (OnKeyPress2) {
    wchar_t key = wchar_t(ch);
    TFreeWatch watch(this);
    OnKeyPress2(this, key);
    if (watch.Freed() || key == 0) return true;
    ch = key;
  }
  switch (ch) {
    case VK_RETURN:
      if (ReturnNext) {
        SendFocusNext(*this, GetKeyState(VK_SHIFT) < 0);
      } else if (!AlwaysEditMode && !highlight_) {
        EnterHighlight();
        HideCaretOnce();
      }
      return true;
    case L'\n':
    case L'\t':
      return true;
    case VK_ESCAPE:
      if (!CanRevert()) return false;
      SendMessageW(Handle(), WM_UNDO, 0, 0);
      return true;
  }
  if (dropDownStyle_ == ddDropDownList) {
    FirstLetter(wchar_t(ch));
    return true;
  }
  if (ch >= 0x20 && Alignment() != TAlignment::LeftJustify) {
    // The text as it will be once the character has replaced the selection.
    std::wstring text = WideWindowText(Handle());
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    start = std::min<DWORD>(start, DWORD(text.size()));
    end = std::clamp<DWORD>(end, start, DWORD(text.size()));
    text.replace(start, end - start, 1, wchar_t(ch));
    CheckAlignment(text);
  }
  return false;
}

// Characters arrive whole in a Unicode window: a double-byte character as one, never as its lead
// byte alone. One that Shift-JIS cannot hold selects nothing.
void TLuCustomEdit::FirstLetter(wchar_t ch) {
  const std::wstring wide(1, ch);
  const std::string bytes = Narrow(wide);
  if (Widen(bytes) != wide) return;
  const int n = FirstLetterIndex(Items, bytes);
  if (n < 0) return;
  TFreeWatch watch(this);
  const bool open = droppedDown_;
  SetItemIndex(n);
  if (!watch.Freed() && !open && OnDropDownSelected) OnDropDownSelected(this);
}

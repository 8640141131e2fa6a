// The keys and characters that the field handles itself: Enter, Esc, Shift+Home, the arrows of
// highlight mode, and the characters that it drops.
#include <algorithm>

#include "controls/FocusNext.h"
#include "controls/LuEdit.h"
#include "gui/WideText.h"

// With ReturnNext the field takes Enter and Esc itself; without it they reach the form's
// default and cancel buttons. Esc with nothing to revert passes on to the cancel button, so a
// second Esc closes a dialog as its user expects.
LRESULT TLuCustomEdit::DialogCode(WPARAM w, LPARAM l) {
  LRESULT code = TCustomEdit::WndProc(WM_GETDLGCODE, w, l);
  bool wants = ReturnNext && !(w == VK_ESCAPE && !CanRevert());
  return wants ? code | DLGC_WANTALLKEYS : code & ~LRESULT(DLGC_WANTALLKEYS);
}

bool TLuCustomEdit::KeyDown(WORD key) {
  if (key == VK_HOME && KeyShiftState() == ssShift) {
    SelectAll();
    PostMessageW(Handle(), WM_CLEAR, 0, 0);
    return true;
  }
  if (!highlight_) return false;
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
      MSG m;
      if (PeekMessageW(&m, Handle(), WM_CHAR, WM_CHAR, PM_NOREMOVE) && m.wParam == VK_RETURN)
        PeekMessageW(&m, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
      LeaveHighlight();
      return false;
    }
  }
  return false;
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

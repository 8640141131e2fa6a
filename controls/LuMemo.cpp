#include "controls/LuMemo.h"

#include "controls/FocusNext.h"

TLuMemo::TLuMemo(TComponent* owner) : TMemo(owner) {}

bool TLuMemo::DialogKey(WORD key, std::uint8_t shift) {
  // Without ReturnNext the memo does not ask for Enter and Esc, so that Esc reaches the
  // cancel button; Enter in a memo that takes returns still breaks the line, here, before the
  // default button could take it.
  if (key == VK_RETURN && !ReturnNext && WantReturns() && Focused()) {
    SendMessageW(Handle(), WM_CHAR, VK_RETURN, 0);
    return true;
  }
  return TMemo::DialogKey(key, shift);
}

LRESULT TLuMemo::Undo(UINT msg, WPARAM w, LPARAM l) {
  bool undoDone = false, eventDone = false;
  if (OnUndo) OnUndo(this, msg == EM_CANUNDO, undoDone, eventDone);
  if (eventDone) return undoDone ? 1 : 0;
  return TMemo::WndProc(msg, w, l);
}

LRESULT TLuMemo::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_GETDLGCODE: {
      LRESULT code = TMemo::WndProc(msg, w, l);
      return ReturnNext ? code | DLGC_WANTALLKEYS : code & ~LRESULT(DLGC_WANTALLKEYS);
    }
    case WM_CHAR:
      if (ReturnNext && w == VK_RETURN) {
        PostFocusNext(*this);
        return 0;
      }
      break;
    case WM_SYSCHAR:
      if (AltEnter && w == VK_RETURN) return WndProc(WM_CHAR, w, l);
      break;
    case EM_CANUNDO:
    case EM_UNDO:
    case WM_UNDO:
      return Undo(msg, w, l);
  }
  return TMemo::WndProc(msg, w, l);
}

#include "controls/LuMemo.h"

#include "controls/FocusNext.h"
#include "controls/JapaneseContextMenu.h"
#include "gen0/GenOptions.h"

TLuMemo::TLuMemo(TComponent* owner) : TMemo(owner) {}

int TLuMemo::FormattingWidth() {
  RECT r = {};
  SendMessageW(Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  return r.right - r.left;
}

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

void TLuMemo::ChangeScale(int m, int d) {
  capacity_.Rescale(m, d, [&] { TMemo::ChangeScale(m, d); });
}

void TLuMemo::CreateWnd() {
  TMemo::CreateWnd();
  capacity_.Remeasure();
}

void TLuMemo::FontChanged() {
  TMemo::FontChanged();
  capacity_.Remeasure();
}

void TLuMemo::Resize() {
  TMemo::Resize();
  capacity_.Remeasure();
}

LRESULT TLuMemo::Undo(UINT msg, WPARAM w, LPARAM l) {
  bool undoDone = false, eventDone = false;
  if (OnUndo) OnUndo(this, msg == EM_CANUNDO, undoDone, eventDone);
  if (eventDone) return undoDone ? 1 : 0;
  return TMemo::WndProc(msg, w, l);
}

void TLuMemo::ContextMenu(LPARAM l) {
  bool readOnly = ReadOnly();
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  bool selection = end != start;
  TEditMenuItems items;
  items.Undo = !readOnly && SendMessageW(Handle(), EM_CANUNDO, 0, 0) != 0;
  items.Cut = !readOnly && selection;
  items.Copy = selection;
  items.Paste = !readOnly;
  items.Delete = !readOnly && selection;
  items.SelectAll = GetWindowTextLengthW(Handle()) > 0;
  ShowJapaneseContextMenu(*this, l, items);
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
    case WM_CONTEXTMENU:
      if (LibraryOptions.InHouseContextMenus) {
        ContextMenu(l);
        return 0;
      }
      break;
  }
  return TMemo::WndProc(msg, w, l);
}

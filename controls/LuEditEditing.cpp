// Revert, paste, clear and the context menu. The field's undo is a revert to UndoText; a paste
// is typed, character by character, so that it passes the whole key handling.
#include "controls/JapaneseContextMenu.h"
#include "controls/LuEdit.h"
#include "gui/Clipboard.h"

LRESULT TLuCustomEdit::Undo(UINT msg) {
  bool test = msg == EM_CANUNDO, undoDone = false, eventDone = false;
  if (OnUndo) OnUndo(this, test, undoDone, eventDone);
  if (eventDone) return undoDone ? 1 : 0;
  if (test) return Text() != UndoText ? 1 : 0;
  SetText(UndoText);
  SelectAll();
  return 1;
}

bool TLuCustomEdit::CanRevert() { return SendMessageW(Handle(), EM_CANUNDO, 0, 0) != 0; }

// Each character as typed: control characters (line breaks, tabs) are left out.
void TLuCustomEdit::Paste() {
  for (wchar_t ch : ClipboardText(Handle()))
    if (ch >= 0x20) PostMessageW(Handle(), WM_CHAR, ch, 1);
}

LRESULT TLuCustomEdit::Clear(WPARAM w, LPARAM l) {
  LeaveHighlight();
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  if (start == 0 && end >= DWORD(GetWindowTextLengthW(Handle()))) {
    SetText("");
    SetItemIndex(-1);
    return 0;
  }
  return TCustomEdit::WndProc(WM_CLEAR, w, l);
}

void TLuCustomEdit::ContextMenu(LPARAM l) {
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  bool selection = end != start;
  bool editable = !ReadOnly() && dropDownStyle_ != TLuDropDownStyle::ddDropDownList;
  TEditMenuItems items;
  items.Undo = CanRevert();
  items.Cut = editable && selection;
  items.Copy = selection;
  items.Paste = editable;
  items.Delete = editable && selection;
  items.SelectAll = GetWindowTextLengthW(Handle()) > 0;
  ShowJapaneseContextMenu(*this, l, items);
}

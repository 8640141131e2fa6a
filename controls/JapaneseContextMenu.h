// The library's own context menu for text fields, with Japanese items and the input-method
// switch. Each field decides which editing items it offers.
#pragma once

#include <windows.h>

class TWinControl;

// Command ids of the items.
enum : UINT {
  cmdCopy = 101,
  cmdCut = 102,
  cmdDelete = 103,
  cmdPaste = 104,
  cmdUndo = 105,
  cmdSelectAll = 106,
  cmdImeMode = 107,
};

// Which editing items are enabled; the input-method item always is.
struct TEditMenuItems {
  bool Undo = false;
  bool Cut = false;
  bool Copy = false;
  bool Paste = false;
  bool Delete = false;
  bool SelectAll = false;
};

// Answers a WM_CONTEXTMENU request for field (l: the screen position, or -1, -1 from the
// keyboard): builds the menu, shows it until the user chooses or cancels, destroys it, and
// carries out the chosen command on the field's window.
void ShowJapaneseContextMenu(TWinControl& field, LPARAM l, const TEditMenuItems& items);

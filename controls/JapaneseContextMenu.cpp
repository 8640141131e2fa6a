#include "controls/JapaneseContextMenu.h"

#include <imm.h>
#include <windowsx.h>

#include "gen0/GenError.h"
#include "gui/WideText.h"
#include "gui/WinControl.h"

namespace {
class TMenuHolder {
 public:
  TMenuHolder() {
    SetLastError(0);
    menu_ = CreatePopupMenu();
    if (!menu_) throw ELastError(GetLastError(), "ポップアップメニューの生成に失敗");
  }
  ~TMenuHolder() { DestroyMenu(menu_); }
  TMenuHolder(const TMenuHolder&) = delete;
  TMenuHolder& operator=(const TMenuHolder&) = delete;
  HMENU Get() const { return menu_; }

 private:
  HMENU menu_;
};

void Append(HMENU menu, UINT id, const char* text, bool enabled, bool checked = false) {
  UINT flags = MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED) | (checked ? MF_CHECKED : 0);
  AppendMenuW(menu, flags, id, Widen(text).c_str());
}

void Separator(HMENU menu) { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); }

// The open state of the window's input method; no input context counts as closed.
bool ImeOpen(HWND w) {
  HIMC imc = ImmGetContext(w);
  if (!imc) return false;
  bool open = ImmGetOpenStatus(imc) != FALSE;
  ImmReleaseContext(w, imc);
  return open;
}

void SetImeOpen(HWND w, bool open) {
  HIMC imc = ImmGetContext(w);
  if (!imc) return;
  ImmSetOpenStatus(imc, open);
  ImmReleaseContext(w, imc);
}

// The mouse position, or below the field's left edge for a request from the keyboard.
POINT MenuPoint(TWinControl& field, LPARAM l) {
  POINT p = {GET_X_LPARAM(l), GET_Y_LPARAM(l)};
  if (p.x == -1 && p.y == -1) {
    p = {0, field.Height()};
    ClientToScreen(field.Handle(), &p);
  }
  return p;
}

void CarryOut(HWND w, UINT command, bool imeOpen) {
  switch (command) {
    case cmdUndo:
      SendMessageW(w, WM_UNDO, 0, 0);
      break;
    case cmdCut:
      SendMessageW(w, WM_CUT, 0, 0);
      break;
    case cmdCopy:
      SendMessageW(w, WM_COPY, 0, 0);
      break;
    case cmdPaste:
      SendMessageW(w, WM_PASTE, 0, 0);
      break;
    case cmdDelete:
      SendMessageW(w, WM_CLEAR, 0, 0);
      break;
    case cmdSelectAll:
      SendMessageW(w, EM_SETSEL, 0, -1);
      break;
    case cmdImeMode:
      SetImeOpen(w, !imeOpen);
      break;
  }
}
}  // namespace

void ShowJapaneseContextMenu(TWinControl& field, LPARAM l, const TEditMenuItems& items) {
  HWND w = field.Handle();
  bool imeOpen = ImeOpen(w);
  UINT command;
  {
    TMenuHolder menu;
    HMENU m = menu.Get();
    Append(m, cmdUndo, "元に戻す(&U)", items.Undo);
    Separator(m);
    Append(m, cmdCut, "切り取り(&T)", items.Cut);
    Append(m, cmdCopy, "コピー(&C)", items.Copy);
    Append(m, cmdPaste, "貼り付け(&P)", items.Paste);
    Append(m, cmdDelete, "削除(&L)", items.Delete);
    Separator(m);
    Append(m, cmdSelectAll, "全て選択(&U)", items.SelectAll);
    Separator(m);
    Append(m, cmdImeMode, "日本語入力モード(&L)", true, imeOpen);
    POINT p = MenuPoint(field, l);
    TFreeWatch watch(&field);
    command = UINT(TrackPopupMenu(m, TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0, w, nullptr));
    // The menu's loop may have freed the field.
    if (watch.Freed() || !IsWindow(w)) return;
  }
  CarryOut(w, command, imeOpen);
}

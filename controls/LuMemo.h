// The in-house memo: Enter can move the focus on instead of breaking the line (ReturnNext),
// Alt+Enter can count as Enter (AltEnter), undo can be taken over by an event, and it shows the
// library's Japanese context menu.
#pragma once

#include <functional>

#include "gui/Edit.h"

class TLuMemo;

// test: EM_CANUNDO asks whether undo is possible, otherwise EM_UNDO or WM_UNDO asks for it.
// A handler that sets eventDone answers with undoDone instead of the memo's own undo.
using TLuMemoUndoEvent =
    std::function<void(TLuMemo* memo, bool test, bool& undoDone, bool& eventDone)>;

class TLuMemo : public TMemo {
 public:
  explicit TLuMemo(TComponent* owner);
  std::string ClassName() const override { return "TLuMemo"; }

  TLuMemoUndoEvent OnUndo;
  // Alt+Enter acts as Enter.
  bool AltEnter = false;
  // Enter moves the focus to the next control (Shift: the previous) and breaks no line.
  bool ReturnNext = true;

  bool DialogKey(WORD key, std::uint8_t shift) override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  LRESULT Undo(UINT msg, WPARAM w, LPARAM l);
  void ContextMenu(LPARAM l);
};

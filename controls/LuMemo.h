// The in-house memo: Enter can move the focus on instead of breaking the line (ReturnNext),
// Alt+Enter can count as Enter (AltEnter), undo can be taken over by an event, it shows the
// library's Japanese context menu, and it keeps the number of characters that fit into its
// formatting rectangle when its form is scaled.
#pragma once

#include <functional>

#include "controls/Capacity.h"
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

  int DigitCapacity() const { return capacity_.DigitCapacity(); }
  int WideCapacity() const { return capacity_.WideCapacity(); }
  int ScaleDepth() const { return capacity_.ScaleDepth(); }
  // Counts over the width of the formatting rectangle.
  void MeasureCapacity() { capacity_.Measure(); }

  bool DialogKey(WORD key, std::uint8_t shift) override;
  void ChangeScale(int m, int d) override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void CreateWnd() override;
  void FontChanged() override;
  void Resize() override;

 private:
  int FormattingWidth();
  LRESULT Undo(UINT msg, WPARAM w, LPARAM l);
  void ContextMenu(LPARAM l);

  TCapacityKeeper capacity_{*this, [this] { return FormattingWidth(); }};
};

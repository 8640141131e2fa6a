// The in-house push button: Enter on the focused button can move the focus on instead of
// pressing it (ReturnNext), and the button keeps the number of characters that fit into its
// width when its form is scaled.
#pragma once

#include "controls/Capacity.h"
#include "gui/Button.h"

class TLuButton : public TButton {
 public:
  explicit TLuButton(TComponent* owner);
  std::string ClassName() const override { return "TLuButton"; }

  // Enter on the focused button moves the focus to the next control (Shift: the previous).
  bool ReturnNext = false;

  int DigitCapacity() const { return capacity_.DigitCapacity(); }
  int WideCapacity() const { return capacity_.WideCapacity(); }
  int ScaleDepth() const { return capacity_.ScaleDepth(); }
  // Counts over the client width.
  void MeasureCapacity() { capacity_.Measure(); }

  bool DialogKey(WORD key, std::uint8_t shift) override;
  void ChangeScale(int m, int d) override;

 protected:
  void CreateWnd() override;
  void FontChanged() override;
  void Resize() override;

 private:
  TCapacityKeeper capacity_{*this, [this] { return ClientWidth(); }};
};

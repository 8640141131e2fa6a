// The in-house push button: Enter on the focused button can move the focus on instead of
// pressing it (ReturnNext).
#pragma once

#include "gui/Button.h"

class TLuButton : public TButton {
 public:
  explicit TLuButton(TComponent* owner);
  std::string ClassName() const override { return "TLuButton"; }

  // Enter on the focused button moves the focus to the next control (Shift: the previous).
  bool ReturnNext = false;

  bool DialogKey(WORD key, std::uint8_t shift) override;
};

// The floating drop-down button: one for the process, shown just right of the focused edit field
// that asks for it (DropOut), on the field's parent, above its neighbours. It never takes the
// focus or the activation; a press is its click, so that a press on it while the field's list is
// open toggles the list rather than closing and reopening it.
#pragma once

#include "controls/DropDownButton.h"
#include "gui/CustomControl.h"

class TLuFloatDDButton : public TCustomControl {
 public:
  explicit TLuFloatDDButton(TComponent* owner);
  ~TLuFloatDDButton() override;
  std::string ClassName() const override { return "TLuFloatDDButton"; }

  TLuDropDownColors Colors;
  int ButtonWidth = 16;

  // Shows the button at the right edge of field, on field's parent; field may be another one
  // than before.
  void Attach(TWinControl* field);
  // Hides it, only when it belongs to field.
  void Detach(TWinControl* field);
  TWinControl* Field() const { return field_; }

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void Paint() override;

 private:
  TWinControl* field_ = nullptr;
  bool pressed_ = false;
};

// The process's floating button, made at the first call with create; null before that.
TLuFloatDDButton* FloatDDButton(bool create);
// Frees it (module stop).
void FreeFloatDDButton();

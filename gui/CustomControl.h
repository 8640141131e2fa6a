// A control of our own window class that paints itself on a canvas; panels and the in-house
// painted controls derive from it.
#pragma once

#include "gui/Canvas.h"
#include "gui/WinControl.h"

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
  std::string ClassName() const override { return "TCustomControl"; }

  TCanvas Canvas;

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  // Draws the whole client area on Canvas; the canvas has the control's font and its colour
  // as brush.
  virtual void Paint() {}
};

enum class TBevel { None, Raised, Lowered };

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* owner);
  std::string ClassName() const override { return "TPanel"; }

  TBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevel b);

 protected:
  void Paint() override;

 private:
  TBevel bevelOuter_ = TBevel::Raised;
};

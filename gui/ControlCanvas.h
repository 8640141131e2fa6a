// A canvas on a control's own window, for measuring and drawing outside WM_PAINT: it gets the
// window's DC when first used and releases it in FreeHandle (at the latest with the window).
#pragma once

#include "gui/Canvas.h"

class TWinControl;

class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TWinControl* control) : control_(control) {}
  ~TControlCanvas() override;
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TWinControl* control_;
  HWND window_ = nullptr;
};

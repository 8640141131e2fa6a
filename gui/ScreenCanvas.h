// A canvas on the screen's device context, for measuring text in a font; the context is released
// in every case.
#pragma once

#include <windows.h>

#include "gui/Canvas.h"

class TScreenCanvas : public TCanvas {
 public:
  TScreenCanvas() : dc_(GetDC(nullptr)) { SetHandle(dc_); }
  ~TScreenCanvas() override {
    SetHandle(nullptr);
    if (dc_) ReleaseDC(nullptr, dc_);
  }

 private:
  HDC dc_;
};

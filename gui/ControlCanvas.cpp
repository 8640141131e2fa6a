#include "gui/ControlCanvas.h"

#include "gui/WinControl.h"

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  HWND w = control_->Handle();
  if (HDC dc = GetDC(w)) {
    window_ = w;
    SetHandle(dc);
  }
}

void TControlCanvas::FreeHandle() {
  HDC dc = Handle();
  if (!dc) return;
  SetHandle(nullptr);
  ReleaseDC(window_, dc);
  window_ = nullptr;
}

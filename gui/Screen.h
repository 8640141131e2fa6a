// The screen: the cursor shown over the application's windows, the screen's size and the
// desktop work area.
#pragma once

#include <windows.h>

#include "gui/Component.h"

enum TCursor : int { crDefault = 0, crArrow = -2, crHourGlass = -11 };

class TScreen : public TComponent {
 public:
  TScreen();
  std::string ClassName() const override { return "TScreen"; }

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);
  HCURSOR CursorHandle() const;

  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  RECT WorkAreaRect() const;
  // The screen's logical resolution; forms designed at 96 scale to it.
  int PixelsPerInch = 96;

 private:
  TCursor cursor_ = crDefault;
};

extern TScreen* Screen;

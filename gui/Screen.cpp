#include "gui/Screen.h"

TScreen* Screen = nullptr;

TScreen::TScreen() {
  HDC dc = GetDC(nullptr);
  if (dc) {
    PixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
  }
}

HCURSOR TScreen::CursorHandle() const {
  return LoadCursorA(nullptr, cursor_ == crHourGlass ? IDC_WAIT : IDC_ARROW);
}

void TScreen::SetCursor(TCursor c) {
  if (c == cursor_) return;
  cursor_ = c;
  if (c != crDefault) {
    ::SetCursor(CursorHandle());
    return;
  }
  // Back to the default: let the window under the mouse choose its own cursor again.
  POINT p;
  GetCursorPos(&p);
  if (HWND w = WindowFromPoint(p))
    SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  else
    ::SetCursor(CursorHandle());
}

RECT TScreen::WorkAreaRect() const {
  RECT r = {0, 0, Width(), Height()};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

// The plain dialog that tests build their forms on: a dialog frame, centred on the screen.
#pragma once

#include "gui/Form.h"

namespace guitest {

inline TFormDesc CentredDialog(const char* caption, int clientWidth, int clientHeight) {
  TFormDesc d;
  d.Caption = caption;
  d.ClientWidth = clientWidth;
  d.ClientHeight = clientHeight;
  d.BorderStyle = TBorderStyle::Dialog;
  d.Position = TPosition::ScreenCenter;
  return d;
}

}  // namespace guitest

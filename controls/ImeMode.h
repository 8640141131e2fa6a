// The input method's mode that a text field asks for whenever it gets the focus: switched off
// for the window, closed, opened, or opened in one conversion mode.
#pragma once

#include <windows.h>

enum class TImeMode {
  imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata
};

// Sets mode on window w's input context; imDontCare leaves it as it is.
void SetImeMode(HWND w, TImeMode mode);

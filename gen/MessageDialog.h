// The entry points through which the program puts every message and question to the user:
// build the dialog, place it, show it modally, report its result, free it.
#pragma once

#include <windows.h>

#include <string>

#include "gen/MessageForm.h"

// Called with the text and the result after every dialog closes (not when showing raised);
// empty at load.
using TDialogResultProc = void (*)(const std::string& text, int result);
extern TDialogResultProc OnDialogResult;

// Centred on the screen, or on the current work form once the dialog layer is set up.
int MessageDialog(const std::string& text, DialogKind kind, TDialogButtons buttons, int helpContext,
                  int defaultIndex);
// The same, at left and top (screen pixels) where they are not negative.
int MessageDialogAt(const std::string& text, DialogKind kind, TDialogButtons buttons,
                    int helpContext, int left, int top, const std::string& helpFile,
                    int defaultIndex);
// Centred on owner's client area (or the desktop work area without an owner) and kept inside
// the work area; a caption that is not empty replaces the kind's.
int MessageDialogOwned(const std::string& text, DialogKind kind, TDialogButtons buttons,
                       TWinControl* owner, const std::string& caption, int defaultIndex);
int MessageDialogOwnedEx(const std::string& text, DialogKind kind, TDialogButtons buttons,
                         TWinControl* owner, const std::string& caption, int timeoutMs,
                         int defaultIndex, int defaultButton);

// Moves rect, keeping its size. Mode >= 0 centres it on reference (halving toward zero);
// mode < 0 leaves it where it is and then counts as -mode. Mode 1 then keeps it inside
// reference, any other mode above 0 inside the desktop work area (ELastError when the system
// does not give one).
void PlaceRect(RECT& rect, const RECT& reference, int mode);

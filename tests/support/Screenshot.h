// Screenshots of the test display, for looking at what a GUI test showed.
#pragma once

#include <windows.h>

#include <string>

namespace guitest {

// Writes a PNG of the whole X display to $MORIMO_BINARY_DIR/screenshots/<name>.png and
// returns its Windows path; "" when the name is not a plain file name ([A-Za-z0-9_.-]), the
// variable is not set, or no file appeared within the timeout.
std::string SaveScreenshot(const std::string& name, DWORD timeout = 30000);

}  // namespace guitest

// Running the toolkit's own message loop in a test until something has happened.
#pragma once

#include <windows.h>

#include <functional>

#include "tests/support/GuiWindow.h"

namespace guitest {

// Handles this thread's messages through the application's loop until ready holds or timeout
// has passed; ready's last answer. Between rounds it waits for the next message, at most 20 ms.
bool PumpUntil(const std::function<bool()>& ready, DWORD timeout = DefaultTimeout);
// Until nothing is left to handle: no posted, sent, input or paint message waits.
bool PumpUntilIdle(DWORD timeout = DefaultTimeout);

}  // namespace guitest

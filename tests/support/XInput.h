// Real input through the X server, the way a user's keys and mouse reach a Wine program: xdotool,
// which Wine's start.exe runs as a Unix program. Input made so passes every hook and queue of
// the receiving thread, unlike posted messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace guitest {

bool UnderWine();

// Runs "xdotool args" ("key Down", "mousemove 10 20 click 1") and waits for it to end, calling
// pump meanwhile so that this thread's windows go on handling their messages; false when it
// could not run or failed. The input may still be on its way to the windows when it returns.
bool XdoTool(const std::string& args, const std::function<void()>& pump, DWORD timeout = 30000);

}  // namespace guitest

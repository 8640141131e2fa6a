// The clipboard's text as the system keeps it, in UTF-16.
#pragma once

#include <windows.h>

#include <string>

// Empty when the clipboard holds no text or another window has it open.
std::wstring ClipboardText(HWND owner);

// Windows hooks installed through one call that reports a refusal as an error.
#pragma once

#include <windows.h>

// SetWindowsHookExA; a refusal raises ELastError with the system's code.
HHOOK InstallWindowsHook(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId);

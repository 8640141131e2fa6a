// Window classes of this program, registered once per process with the program's instance and
// the arrow cursor.
#pragma once

#include <windows.h>

// False, with the last error set, when the system refuses the class; a class that exists
// already counts as registered.
bool RegisterWindowClass(const char* name, WNDPROC proc, UINT style, HICON icon,
                         HBRUSH background = nullptr);

// Window classes of this program, registered once per process with the program's instance and
// the arrow cursor. The toolkit's windows are Unicode windows (the wide form); the hidden
// service windows may use the ANSI form.
#pragma once

#include <windows.h>

// False, with the last error set, when the system refuses the class; a class that exists
// already counts as registered.
bool RegisterWindowClass(const wchar_t* name, WNDPROC proc, UINT style, HICON icon,
                         HBRUSH background = nullptr);
bool RegisterWindowClass(const char* name, WNDPROC proc, UINT style, HICON icon,
                         HBRUSH background = nullptr);

// Libraries loaded on demand, always from the system folder by their full path: the program
// runs elevated, often from a download folder, and must never load a DLL planted beside it.
#pragma once

#include <windows.h>

// Raises ELastError "ライブラリを読み込めません - " + name when the system has none.
HMODULE LoadSystemLibrary(const char* name);

// The program's start: no later search for a DLL looks outside the system folder (where the
// system knows SetDefaultDllDirectories), nor in the current folder.
void RestrictDllSearch();

// Keeps Alt+F4 from closing the windows of the installing thread: the updater must not be
// closed half-way through replacing files.
#pragma once

// Installs the keyboard hook for the calling thread; a second call does nothing.
void InstallAltF4Hook();
// Removes it; nothing happens when none is installed.
void RemoveAltF4Hook();

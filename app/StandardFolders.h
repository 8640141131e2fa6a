// The system folders the setup needs, found once through the shell and kept process-wide.
#pragma once

#include <windows.h>

#include <string>

// Each ends in a backslash once FindStandardFolders has set it.
extern std::string DesktopFolder;
extern std::string ProgramFilesFolder;
extern std::string ProgramsMenuFolder;
extern std::string ProductMenuFolder;

// The shell's file-system path of a special folder, without a trailing backslash; empty when
// the shell has no such folder or no file-system path for it.
std::string SpecialFolderPath(HWND owner, int csidl);

// The lookup that FindStandardFolders uses; SpecialFolderPath unless replaced.
using TSpecialFolderLookup = std::string (*)(HWND owner, int csidl);
extern TSpecialFolderLookup SpecialFolderLookup;

// Fills the four folders in order; one that is already set stays set when a later one fails.
void FindStandardFolders();
void ClearStandardFolders();

// Start-up and shut-down of the base library as a whole.
#pragma once

#include <windows.h>

#include <string>

// Set by the start-up, cleared by the shut-down; the exception filter asks it.
extern bool BaseLibraryStarted;
// The message of deferred calls, registered under the maker's name.
extern UINT DeferredCallMessage;

// Texts of the input controls.
extern std::string MsgEnterDate, MsgEnterNumber, MsgTooManyDigits, MsgEnterValidDate,
    MsgTooManyLines;

using TGetDiskFreeSpaceExA = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                           PULARGE_INTEGER);
using TGetDiskFreeSpaceExW = BOOL(WINAPI*)(LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                           PULARGE_INTEGER);
extern TGetDiskFreeSpaceExA DiskFreeSpaceExA;
extern TGetDiskFreeSpaceExW DiskFreeSpaceExW;

void GenFunc0Startup();
void GenFunc0Shutdown();

// The two forms of the rotate-left-by-one step that the checksums rest on must agree.
void GenFunc0SelfTest();

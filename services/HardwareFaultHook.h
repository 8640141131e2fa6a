// Hardware exceptions for the raise-time filter.
#pragma once

// Adds the vectored handler and the unhandled-exception filter once; later calls do nothing.
void InstallHardwareFaultHandler();
// FatalExit(text) on a new thread, the caller waiting: after a stack overflow the faulting
// thread has too little stack left to show a box.
[[noreturn]] void FatalExitOnFreshThread(const char* text);

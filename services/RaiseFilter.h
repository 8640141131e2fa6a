// The raise-time exception filter. It sees every exception raised on the main thread before
// any handler of ours runs, so that failures no handler may hide end the process with a box:
// a failed assertion or an internal error (ELuInternal), a stack overflow, and an access
// violation on any thread. C++ throws and rethrows reach it through the wrapped raise points of
// the runtime (CxxThrowHook.cpp), hardware exceptions through a vectored handler and, for the
// access violations nobody handled, the unhandled-exception filter (HardwareFaultHook.cpp).
#pragma once

#include <windows.h>

#include <typeinfo>

#include "gen0/GenError.h"

// The code under which a thrown C++ object reaches the filter: ExceptionInformation[0] holds
// the object, [1] its std::type_info. Outside the system's and the compilers' ranges.
constexpr DWORD CppExceptionCode = 0x0EEDFADE;

// Returns what the raise point should go on with; 1 means "carry on raising".
using TRaiseFilter = int (*)(const EXCEPTION_RECORD& r);
// The filter that the raise points call; null until one is installed. InstallRaiseFilter puts
// RaiseFilter here and chains whatever was here before.
extern TRaiseFilter InstalledRaiseFilter;

// Installs the filter for the thread that runs the dialogs, once per process: a second
// installation fails the library's assertion.
void InstallRaiseFilter(DWORD threadId);
// The dialog layer's start-up turns the filter on, its shut-down off; off, it lets all pass.
void RaiseFilterActivate(bool active);
// The thread it was installed for (0 before).
DWORD RaiseFilterThread();

int RaiseFilter(const EXCEPTION_RECORD& r);

// The failure a thrown object stands for when it must end the process: the object itself as
// EAssertionFailed or ELuInternal (or a class derived from them), else null.
const Exception* InternalFailureOf(void* object, const std::type_info* type);

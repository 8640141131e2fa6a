// A C++ program has no exception class for hardware faults (no EExternal or EStackOverflow
// object is ever thrown); the handlers below hand them to the filter instead. The vectored
// handler sees a fault first, before any handler of ours; the unhandled-exception filter sees
// what nobody handled, once the system's own handlers have had their turn.
#include "services/HardwareFaultHook.h"

#include <windows.h>

#include "gen0/GenError.h"
#include "gen0/GenFatal.h"
#include "services/RaiseFilter.h"

namespace {
PVOID s_handler = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER s_previousUnhandled = nullptr;

HMODULE ModuleOf(const void* address) {
  MEMORY_BASIC_INFORMATION mbi = {};
  if (!VirtualQuery(address, &mbi, sizeof mbi)) return nullptr;
  return static_cast<HMODULE>(mbi.AllocationBase);
}

// A vectored handler sees first-chance exceptions, including the access violations that system
// code provokes and handles itself (IsBadReadPtr, RPC, Wine's own probes). Only faults in our
// own image are ours to report.
bool InOurImage(const void* address) {
  static const HMODULE self = ModuleOf(reinterpret_cast<const void*>(&ModuleOf));
  return self && ModuleOf(address) == self;
}

LONG CALLBACK HardwareFaultHandler(EXCEPTION_POINTERS* info) {
  try {
    const EXCEPTION_RECORD& r = *info->ExceptionRecord;
    TRaiseFilter filter = InstalledRaiseFilter;
    if (filter && r.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && InOurImage(r.ExceptionAddress))
      filter(r);
    else if (filter && r.ExceptionCode == EXCEPTION_STACK_OVERFLOW &&
             GetCurrentThreadId() == RaiseFilterThread())
      filter(r);
  } catch (...) {
    // Nothing may unwind into the system's dispatcher.
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

// The backstop for access violations outside our image, which the vectored handler leaves
// alone: a fault inside a system DLL that no handler of the system takes, for one. Those in our
// image the vectored handler has reported already.
LONG WINAPI UnhandledFaultFilter(EXCEPTION_POINTERS* info) {
  try {
    const EXCEPTION_RECORD& r = *info->ExceptionRecord;
    TRaiseFilter filter = InstalledRaiseFilter;
    if (filter && r.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && !InOurImage(r.ExceptionAddress))
      filter(r);
  } catch (...) {
  }
  return s_previousUnhandled ? s_previousUnhandled(info) : EXCEPTION_CONTINUE_SEARCH;
}

DWORD WINAPI FatalExitThread(void* text) {
  try {
    FatalExit(static_cast<const char*>(text));
  } catch (...) {
  }
  ExitProcess(1);
}
}  // namespace

void InstallHardwareFaultHandler() {
  if (s_handler) return;
  s_handler = AddVectoredExceptionHandler(1, HardwareFaultHandler);
  if (!s_handler) throw ELuInternal("AddVectoredExceptionHandler");
  s_previousUnhandled = SetUnhandledExceptionFilter(UnhandledFaultFilter);
}

void FatalExitOnFreshThread(const char* text) {
  HANDLE thread = CreateThread(nullptr, 0, FatalExitThread, const_cast<char*>(text), 0, nullptr);
  if (thread) WaitForSingleObject(thread, INFINITE);
  // No thread for the box: still end with a failure rather than go on without stack.
  ExitProcess(1);
}

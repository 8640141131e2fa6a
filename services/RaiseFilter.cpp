#include "services/RaiseFilter.h"

#include <cstdint>

#include "gen0/GenAssert.h"
#include "gen0/GenBase.h"
#include "gen0/GenFatal.h"
#include "gen0/GenLog.h"
#include "services/HardwareFaultHook.h"
#include "services/RaiseFilterTexts.h"

TRaiseFilter InstalledRaiseFilter = nullptr;

namespace {
bool s_installed = false;
DWORD s_thread = 0;
TRaiseFilter s_chained = nullptr;
// Set while the filter handles a raise on the installed thread, so that a raise inside that
// handling passes straight on.
bool s_busy = false;
volatile bool s_active = false;

[[noreturn]] void ReportAccessViolation(const EXCEPTION_RECORD& r) {
  const std::string text = AccessViolationText(
      static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(r.ExceptionAddress)),
      r.NumberParameters, static_cast<std::uint32_t>(r.ExceptionInformation[0]),
      static_cast<std::uint32_t>(r.ExceptionInformation[1]));
  LogError(text);
  if (DebugMode) DebugBreak();
  FatalExit(text);
}

struct BusyScope {
  BusyScope() { s_busy = true; }
  ~BusyScope() { s_busy = false; }
};
}  // namespace

void InstallRaiseFilter(DWORD threadId) {
  // Once per process: a second call would move the filter to another thread, or chain it to
  // itself.
  if (s_installed) throw EAssertionFailed("Assertion failure", "gen/genfunc1x", 59);
  s_installed = true;
  s_thread = threadId;
  s_chained = InstalledRaiseFilter;
  InstalledRaiseFilter = RaiseFilter;
  InstallHardwareFaultHandler();
}

void RaiseFilterActivate(bool active) { s_active = active; }

DWORD RaiseFilterThread() { return s_thread; }

int RaiseFilter(const EXCEPTION_RECORD& r) {
  if (!s_active) return 1;
  if (!(r.ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))) {
    if (r.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && BaseLibraryStarted)
      ReportAccessViolation(r);
    if (GetCurrentThreadId() == s_thread && !s_busy) {
      BusyScope busy;
      if (r.ExceptionCode == EXCEPTION_STACK_OVERFLOW) {
        FatalExitOnFreshThread(StackOverflowText);
      } else if (r.ExceptionCode == CppExceptionCode && r.NumberParameters >= 2) {
        const Exception* e =
            InternalFailureOf(reinterpret_cast<void*>(r.ExceptionInformation[0]),
                              reinterpret_cast<const std::type_info*>(r.ExceptionInformation[1]));
        if (e) FatalError(e->Message);
      }
    }
  }
  return s_chained ? s_chained(r) : 1;
}

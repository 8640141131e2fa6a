// The retry loop shared by open, delete, rename and whole-file write.
#pragma once

#include <windows.h>

// Calls attempt until it succeeds, or fails with a code that retryable rejects, or timeout ms
// have passed since the first attempt. On failure the last code is left as the thread's last
// error.
template <class Attempt, class Retryable>
bool RetryLoop(Attempt attempt, Retryable retryable, DWORD timeout, DWORD interval) {
  DWORD start = GetTickCount();
  for (;;) {
    SetLastError(0);
    if (attempt()) return true;
    DWORD code = GetLastError();
    // Unsigned difference: the tick counter's wrap does no harm.
    if (retryable(code) && GetTickCount() - start < timeout) {
      Sleep(interval);
      continue;
    }
    SetLastError(code);
    return false;
  }
}

inline bool SharingConflict(DWORD code) { return code == 5 || code == 32 || code == 33; }

// -1 stands for the process-wide setting.
inline DWORD RetrySetting(int value, DWORD processWide) {
  return value == -1 ? processWide : DWORD(value);
}

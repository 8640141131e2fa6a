#include "services/GenWinHook.h"

#include "gen0/GenError.h"

HHOOK InstallWindowsHook(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId) {
  // Some refusals leave the last error untouched; a stale code would name the wrong cause.
  SetLastError(0);
  HHOOK hook = SetWindowsHookExA(idHook, proc, module, threadId);
  if (!hook) throw ELastError(GetLastError(), "ウィンドウズフック処理に失敗しました");
  return hook;
}

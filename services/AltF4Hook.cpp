#include "services/AltF4Hook.h"

#include <windows.h>

#include "services/GenWinHook.h"

namespace {
HHOOK s_hook = nullptr;

// Bit 29 of a keyboard hook's lParam: the context code, set while Alt is held down.
constexpr LPARAM AltDown = 0x20000000;

// Swallows F4 with Alt down, pressed and released alike, so that neither WM_SYSKEYDOWN nor the
// SC_CLOSE it turns into reaches a window. Calls nothing that can raise.
LRESULT CALLBACK AltF4HookProc(int code, WPARAM wParam, LPARAM lParam) {
  if ((code == HC_ACTION || code == HC_NOREMOVE) && wParam == VK_F4 && (lParam & AltDown)) return 1;
  return CallNextHookEx(s_hook, code, wParam, lParam);
}
}  // namespace

void InstallAltF4Hook() {
  if (s_hook) return;
  s_hook = InstallWindowsHook(WH_KEYBOARD, AltF4HookProc, nullptr, GetCurrentThreadId());
}

void RemoveAltF4Hook() {
  // Cleared first: a key arriving while the hook goes away must not chain to a dead handle.
  HHOOK hook = s_hook;
  s_hook = nullptr;
  if (hook) UnhookWindowsHookEx(hook);
}

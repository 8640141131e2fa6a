#include "tests/support/GuiPump.h"

#include "gui/Application.h"

namespace guitest {

bool PumpUntil(const std::function<bool()>& ready, DWORD timeout) {
  DWORD start = GetTickCount();
  for (;;) {
    Application->ProcessMessages();
    if (ready()) return true;
    if (GetTickCount() - start >= timeout) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

bool PumpUntilIdle(DWORD timeout) {
  return PumpUntil([] { return HIWORD(GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) == 0; }, timeout);
}

}  // namespace guitest

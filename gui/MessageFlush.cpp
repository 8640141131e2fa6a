#include "gui/MessageFlush.h"

#include "gen0/GenError.h"
#include "gen0/GenFatal.h"
#include "gui/Application.h"

TFlushMessages FlushMessages = nullptr;
UINT FlushMarkerMessage = 0;
bool Flushing = false;

namespace {
constexpr DWORD MarkerTimeout = 5000;

bool MarkerQueued() {
  MSG m;
  return PeekMessageA(&m, nullptr, FlushMarkerMessage, FlushMarkerMessage, PM_NOREMOVE) != 0;
}
}  // namespace

void GuiFlushMessages() {
  bool saved = Flushing;
  Flushing = true;
  try {
    int count;
    do {
      SetLastError(0);
      if (!PostThreadMessageA(GetCurrentThreadId(), FlushMarkerMessage, 0, 0))
        throw ELastError(GetLastError(), "メッセージのポストに失敗");
      DWORD start = GetTickCount();
      while (!MarkerQueued()) {
        if (GetTickCount() - start > MarkerTimeout)
          FatalExit("ポストしたはずのメッセージが現れません");
        Sleep(1);
      }
      count = 0;
      while (MarkerQueued()) {
        Application->ProcessMessage();
        ++count;
      }
    } while (count > 1);
  } catch (...) {
    Flushing = saved;
    throw;
  }
  Flushing = saved;
}

void InstallMessageFlush() {
  if (!FlushMarkerMessage)
    FlushMarkerMessage = RegisterWindowMessageA("Lumen.GenFunc0.FlushMarker");
  FlushMessages = GuiFlushMessages;
}

void RemoveMessageFlush() { FlushMessages = nullptr; }

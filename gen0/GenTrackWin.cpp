// The parts of object tracking that talk to the user: the process signature from the tick
// count, the shut-down report box and the invalid-release prompt.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "gen0/GenError.h"
#include "gen0/GenLog.h"
#include "gen0/GenLogFormat.h"
#include "gen0/GenTrack.h"

void ComputeProcessSignatureNow() { ProcessSignature = ComputeProcessSignature(GetTickCount()); }

void ReportLiveObjectsAndFree() {
  if (!g_TCObjectArray) return;
  if (g_TCObjectArray->Live != 0)
    MessageBoxA(nullptr, LiveObjectReport().c_str(), "genfunc.finalization", MB_OK);
  delete g_TCObjectArray;
  g_TCObjectArray = nullptr;
}

void InvalidReleasePrompt(const void* object) {
  char line[128];
  std::snprintf(line, sizeof line, "無効なクラスオブジェクトの解放です。ポインタ : 0x%.8X",
                unsigned(reinterpret_cast<std::uintptr_t>(object)));
  LogError(line);
  std::string text = std::string(line) + "\r\n[再試行]で例外";
  switch (MessageBoxA(nullptr, text.c_str(), "genfunc", MB_ABORTRETRYIGNORE)) {
    case IDABORT:
      ExitProcess(3);
    case IDRETRY:
      throw Exception(line);
    default:
      break;
  }
}

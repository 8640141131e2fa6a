#include "gen0/GenFatal.h"
#include "gen0/GenFile.h"

bool HandleClose(HANDLE& h) {
  if (h == INVALID_HANDLE_VALUE) return false;
  HANDLE closing = h;
  h = INVALID_HANDLE_VALUE;
  for (;;) {
    SetLastError(0);
    if (CloseHandle(closing)) break;
    // Returns only when the user asks to try again; otherwise the process ends there.
    FatalClosePrompt(GetLastError(), HandleName(closing, KindFile));
  }
  ClearHandleInfo(FindHandleInfo(closing, KindFile, false));
  return true;
}

bool CloseKernelHandle(HANDLE& h, bool raise) {
  if (h == nullptr) return true;
  HANDLE closing = h;
  h = nullptr;
  SetLastError(0);
  if (CloseHandle(closing)) return true;
  RaiseOrReport(raise, ELastError(GetLastError(), "ハンドルを閉じることができません"));
  return false;
}

void CloseFindHandle(HANDLE& h, bool raise) {
  if (h == INVALID_HANDLE_VALUE) return;
  HANDLE closing = h;
  h = INVALID_HANDLE_VALUE;
  ClearHandleInfo(FindHandleInfo(closing, KindFind, false));
  SetLastError(0);
  if (!FindClose(closing))
    RaiseOrReport(raise, ELastError(GetLastError(), "ディレクトリ検索ハンドルのクローズに失敗"));
}

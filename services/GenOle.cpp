#include "services/GenOle.h"

#include <ole2.h>

#include "gen0/GenError.h"

namespace {
bool s_oleStarted = false;
}  // namespace

void GenOleStartup() {
  HRESULT hr = OleInitialize(nullptr);
  // S_FALSE still counts one initialisation that the shut-down must balance.
  if (hr != S_OK && hr != S_FALSE) throw Exception("OLE初期化エラー");
  s_oleStarted = true;
}

void GenOleShutdown() {
  if (s_oleStarted) OleUninitialize();
  s_oleStarted = false;
}

bool GenOleStarted() { return s_oleStarted; }

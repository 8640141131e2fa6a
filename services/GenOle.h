// OLE for the main thread: started once at start-up, ended at shut-down.
#pragma once

// OleInitialize; any failure other than "already initialised" (S_FALSE) raises Exception.
void GenOleStartup();
// OleUninitialize, only when the start-up initialised OLE.
void GenOleShutdown();
// Whether the start-up initialised OLE and the shut-down has not yet ended it.
bool GenOleStarted();

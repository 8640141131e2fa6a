// The message flush: handles every message that was already posted to the main thread when it
// started. FlushMessages is a process-wide hook; the GUI layer puts the flush there at start-up
// and the deferred-call service chains itself behind it.
#pragma once

#include <windows.h>

using TFlushMessages = void (*)();
extern TFlushMessages FlushMessages;
extern UINT FlushMarkerMessage;
// True while a flush runs.
extern bool Flushing;

// The GUI layer's flush: posts a marker to the thread's own queue and handles messages in queue
// order until the marker has gone, again while anything besides the marker was handled.
void GuiFlushMessages();

void InstallMessageFlush();
void RemoveMessageFlush();

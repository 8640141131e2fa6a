// Progress state and the process-wide hooks through which long operations report progress and
// switch the busy cursor without knowing which window, if any, shows it. All on the main thread.
#pragma once

#include <cstdint>
#include <string>

#include "gen0/GenError.h"
#include "gen0/GenMethod.h"

using TDoingProc = TMethod<void()>;
using TDoingQuery = TMethod<bool()>;

extern std::int32_t DoingMin;
extern std::int32_t DoingMax;
extern std::string DoingTitle;
extern std::string DoingText;
extern WideString DoingTextW;
extern bool DoingCancelled;
extern std::int32_t DoingStep;
extern std::int32_t DoingPosition;
extern bool DoingCancelEnabled;
extern bool DoingBusy;
// Asked when the user clicks cancel; true accepts. Empty unless an operation sets it.
extern TDoingQuery DoingOnCancelQuery;

void ResetProgress();

extern TDoingProc DoingSetPosition;
extern TDoingProc DoingBegin;
extern TDoingProc DoingPushRange;
extern TDoingProc DoingPopRange;
extern TDoingProc DoingStepIt;
extern TDoingProc DoingSetTitle;
extern TDoingProc DoingSetText;
extern TDoingProc DoingSetTextW;
extern TDoingQuery DoingCheckCancel;
extern TDoingProc DoingEnd;
extern TDoingProc DoingClearCancel;
extern TDoingProc DoingRepaint;
extern TDoingProc DoingEnableCancel;

extern TDoingProc BusyCursorOn;
extern TDoingProc BusyCursorOff;

// The base library's default object: without a progress window it only keeps the busy cursor
// on while ranges are open.
class TGenFunc0 {
public:
  std::int32_t NestCount = 0;

  void Begin();
  void PushRange();
  void PopRange();
  void End();
  void Nothing() {}
  // No window to ask: answers with the flag as it stands.
  bool CheckCancel() { return DoingCancelled; }
};

extern TGenFunc0* GenFunc0Instance;

// Puts the defaults into all thirteen progress hooks, bound to GenFunc0Instance.
void InstallDefaultHooks();

// Base-library start-up and shutdown of the hooks: creates the single TGenFunc0, installs the
// progress defaults and do-nothing busy hooks bound to it; the stop forgets and frees it.
void StartServiceHooks();
void StopServiceHooks();

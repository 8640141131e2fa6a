#include "gen0/GenHooks.h"

std::int32_t DoingMin = 0;
std::int32_t DoingMax = 1;
std::string DoingTitle;
std::string DoingText;
WideString DoingTextW;
bool DoingCancelled = false;
std::int32_t DoingStep = 1;
std::int32_t DoingPosition = 0;
bool DoingCancelEnabled = false;
bool DoingBusy = false;
TDoingQuery DoingOnCancelQuery;

TDoingProc DoingSetPosition;
TDoingProc DoingBegin;
TDoingProc DoingPushRange;
TDoingProc DoingPopRange;
TDoingProc DoingStepIt;
TDoingProc DoingSetTitle;
TDoingProc DoingSetText;
TDoingProc DoingSetTextW;
TDoingQuery DoingCheckCancel;
TDoingProc DoingEnd;
TDoingProc DoingClearCancel;
TDoingProc DoingRepaint;
TDoingProc DoingEnableCancel;

TDoingProc BusyCursorOn;
TDoingProc BusyCursorOff;

TGenFunc0* GenFunc0Instance = nullptr;

void ResetProgress() {
  DoingMin = 0;
  DoingMax = 1;
  DoingTitle.clear();
  DoingText.clear();
  DoingTextW.clear();
  DoingCancelled = false;
  DoingStep = 1;
  DoingPosition = 0;
  DoingCancelEnabled = false;
  DoingBusy = false;
  DoingOnCancelQuery = {};
}

void TGenFunc0::Begin() {
  ResetProgress();
  DoingBusy = true;
  BusyCursorOff();
}

void TGenFunc0::PushRange() {
  if (NestCount == 0) BusyCursorOn();
  ++NestCount;
}

// Off even when nothing was open, so an unbalanced pop never leaves the hourglass behind.
void TGenFunc0::PopRange() {
  if (NestCount > 0) --NestCount;
  if (NestCount == 0) BusyCursorOff();
}

void TGenFunc0::End() {
  if (NestCount > 0) {
    NestCount = 0;
    BusyCursorOff();
  }
  DoingOnCancelQuery = {};
  DoingBusy = false;
}

void InstallDefaultHooks() {
  TGenFunc0* f = GenFunc0Instance;
  const TDoingProc nothing = TDoingProc::Bind<&TGenFunc0::Nothing>(f);
  DoingSetPosition = nothing;
  DoingBegin = TDoingProc::Bind<&TGenFunc0::Begin>(f);
  DoingPushRange = TDoingProc::Bind<&TGenFunc0::PushRange>(f);
  DoingPopRange = TDoingProc::Bind<&TGenFunc0::PopRange>(f);
  DoingStepIt = nothing;
  DoingSetTitle = nothing;
  DoingSetText = nothing;
  DoingSetTextW = nothing;
  DoingCheckCancel = TDoingQuery::Bind<&TGenFunc0::CheckCancel>(f);
  DoingEnd = TDoingProc::Bind<&TGenFunc0::End>(f);
  DoingClearCancel = nothing;
  DoingRepaint = nothing;
  DoingEnableCancel = nothing;
}

void StartServiceHooks() {
  GenFunc0Instance = new TGenFunc0;
  InstallDefaultHooks();
  BusyCursorOn = TDoingProc::Bind<&TGenFunc0::Nothing>(GenFunc0Instance);
  BusyCursorOff = BusyCursorOn;
}

void StopServiceHooks() {
  delete GenFunc0Instance;
  GenFunc0Instance = nullptr;
}

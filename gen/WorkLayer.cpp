#include "gen/WorkLayer.h"

#include "gen/ControlExData.h"
#include "gen/WorkFormStack.h"
#include "gen0/GenHooks.h"
#include "gui/Application.h"
#include "gui/Screen.h"

bool LayerReady = false;

namespace {
TGenFunc* s_service = nullptr;
// The handlers that were in the hooks before: they come back when the service object goes.
TDoingProc s_savedOn, s_savedOff;
TReportException s_savedReport = nullptr;
}  // namespace

void TGenFunc::BusyCursorOn() {
  if (HourGlass) return;
  HourGlass = true;
  if (Screen) Screen->SetCursor(crHourGlass);
}

void TGenFunc::BusyCursorOff() {
  if (!HourGlass) return;
  if (Screen) Screen->SetCursor(crDefault);
  HourGlass = false;
}

void DisplayException(const Exception& e) {
  if (!LayerReady || !Application) {
    DefaultReportException(e);
    return;
  }
  if (dynamic_cast<const EAbort*>(&e)) return;
  Application->HandleException(nullptr, e);
}

void WorkLayerStartup() {
  s_savedReport = ReportException;
  ReportException = DisplayException;
  s_service = new TGenFunc();
  s_savedOn = BusyCursorOn;
  s_savedOff = BusyCursorOff;
  BusyCursorOn = TDoingProc::Bind<&TGenFunc::BusyCursorOn>(s_service);
  BusyCursorOff = TDoingProc::Bind<&TGenFunc::BusyCursorOff>(s_service);
  LayerReady = true;
  CreateWorkFormStack();
}

void WorkLayerShutdown() {
  LayerReady = false;
  ReportException = s_savedReport;
  BusyCursorOn = s_savedOn;
  BusyCursorOff = s_savedOff;
  delete s_service;
  s_service = nullptr;
  FreeWorkFormStack();
}

void WorkFormStartup() { CreateEmptyControlExData(); }

void WorkFormShutdown() { FreeEmptyControlExData(); }

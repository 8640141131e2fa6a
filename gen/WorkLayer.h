// The work-form layer's process-wide services: the busy cursor behind the base library's
// hooks, the exception display behind ReportException, and the work-form stack.
#pragma once

#include "gen0/GenError.h"

// Set while the layer is started.
extern bool LayerReady;

// The layer's service object: whether the hourglass shows.
class TGenFunc {
 public:
  bool HourGlass = false;
  void BusyCursorOn();
  void BusyCursorOff();
};

// Behind ReportException once the layer has started: the application's exception event (which
// leads to the notice window), EAbort shown by nobody; before, the base library's box.
void DisplayException(const Exception& e);

// The module of the work-form layer's service object, and the module of the work-form base.
void WorkLayerStartup();
void WorkLayerShutdown();
void WorkFormStartup();
void WorkFormShutdown();

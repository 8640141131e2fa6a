// The application exception hook: one application-events component, created without an owner,
// whose exception event goes to THookException. Every exception that escapes an event handler
// inside a message loop arrives here; ApplicationExceptionHandler, when set, takes it over.
#pragma once

#include "gen0/GenError.h"
#include "gen0/GenMethod.h"

class TComponent;

using TExceptionHandler = TMethod<void(TComponent* sender, const Exception& e)>;
extern TExceptionHandler ApplicationExceptionHandler;

class THookException {
 public:
  // To ApplicationExceptionHandler if set; otherwise the application's standard display,
  // except for EAbort.
  void Handle(TComponent* sender, const Exception& e);
};

// Installs the hook once; later calls do nothing.
void InstallExceptionHook();
// Module shut-down: frees the events component and the hook object.
void RemoveExceptionHook();

// The dialog layer's module and its start-up: the hooks around every message dialog (centred
// on the current work form, results written to the error log), the standard application
// settings, the raise-time filter for the main thread and the Alt+F4 suppression.
#pragma once

#include <string>

#include "gen/MessageForm.h"

// Holds the dialog-created handler that was installed before CentreOnWorkForm, which calls it
// first.
class TGenFunc1 {
 public:
  TDialogCreatedEvent PreviousDialogCreated;
  void CentreOnWorkForm(TLuMessageForm* dialog);
};

// Exists from the module's start-up to its shut-down.
extern TGenFunc1* GenFunc1Instance;

// Module start: the chain object, the Alt+F4 hook for this thread, the raise-time filter
// active. Module stop: the filter inactive, the chain object freed and its hook given back.
void DialogLayerStartup();
void DialogLayerShutdown();

// Once per process, on the main thread, before anything else of the window layer exists.
void SetupDialogLayer();

// Centres dialog on form's window rectangle, halving toward zero, without keeping it on the
// screen.
void CentreOnForm(TCustomForm& dialog, TCustomForm& form);
// One error-log entry: "LuDialog", the text and the result's name ("mrOk", or "mr(8)"), on
// three lines; the procedure installed before it runs first.
void LogDialogResult(const std::string& text, int result);

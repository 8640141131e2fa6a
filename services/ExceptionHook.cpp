#include "services/ExceptionHook.h"

#include "gui/Application.h"
#include "gui/ApplicationEvents.h"

TExceptionHandler ApplicationExceptionHandler;

namespace {
THookException* s_hook = nullptr;
TApplicationEvents* s_events = nullptr;
}  // namespace

void THookException::Handle(TComponent* sender, const Exception& e) {
  if (ApplicationExceptionHandler) {
    ApplicationExceptionHandler(sender, e);
    return;
  }
  if (dynamic_cast<const EAbort*>(&e)) return;
  if (Application)
    Application->ShowException(e);
  else
    ReportException(e);
}

void InstallExceptionHook() {
  if (s_events) return;
  s_hook = new THookException();
  s_events = new TApplicationEvents(nullptr);
  s_events->OnException = [](TComponent* sender, const Exception& e) { s_hook->Handle(sender, e); };
}

void RemoveExceptionHook() {
  delete s_events;
  s_events = nullptr;
  delete s_hook;
  s_hook = nullptr;
}

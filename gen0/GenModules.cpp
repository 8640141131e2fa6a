#include "gen0/GenModules.h"

#include <windows.h>

#include <exception>

#include "gen0/GenError.h"

namespace {
// The rule of module start and stop: nothing may go on after a module failed to start or stop.
void RunGuarded(void (*step)()) {
  if (!step) return;
  try {
    step();
  } catch (const Exception& e) {
    FatalAppExitA(0, e.Message.c_str());
    ExitProcess(1);  // FatalAppExitA does not return; this keeps the failure code if it does
  } catch (const std::exception& e) {
    FatalAppExitA(0, e.what());
    ExitProcess(1);
  }
}
}  // namespace

ModuleRun::ModuleRun(const ModuleEntry* modules, std::size_t count)
    : modules_(modules), count_(count) {}

ModuleRun::~ModuleRun() { Stop(); }

void ModuleRun::Start() {
  while (started_ < count_) {
    RunGuarded(modules_[started_].Startup);
    ++started_;
  }
}

void ModuleRun::Stop() {
  while (started_ > 0) {
    --started_;
    RunGuarded(modules_[started_].Shutdown);
  }
}

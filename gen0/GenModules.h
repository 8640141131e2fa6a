// Module start-up and shut-down in one explicit order. An exception escaping either ends the
// process with its message.
#pragma once

#include <cstddef>

struct ModuleEntry {
  const char* Name;
  void (*Startup)();   // may be null
  void (*Shutdown)();  // may be null
};

// Starts the modules first to last; StopModules stops those started, last to first.
class ModuleRun {
public:
  ModuleRun(const ModuleEntry* modules, std::size_t count);
  ~ModuleRun();
  ModuleRun(const ModuleRun&) = delete;
  ModuleRun& operator=(const ModuleRun&) = delete;

  void Start();
  void Stop();

private:
  const ModuleEntry* modules_;
  std::size_t count_;
  std::size_t started_ = 0;
};

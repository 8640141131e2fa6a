// The updater's entry: the search for DLLs restricted before anything loads one, every module
// started in the program's order, the main sequence, every module stopped again.
#include <windows.h>

#include "app/MainSequence.h"
#include "app/Modules.h"
#include "gen0/GenModules.h"
#include "gen0/GenSystemLibrary.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearch();
  ModuleRun modules(ProgramModules, ProgramModuleCount);
  modules.Start();
  MainSequence();
  modules.Stop();
  return 0;
}

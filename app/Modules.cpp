#include "app/Modules.h"

#include "app/StandardFolders.h"
#include "gen0/GenBase.h"
#include "gen0/GenReg.h"

const ModuleEntry ProgramModules[] = {
    {"GenFunc0", GenFunc0Startup, GenFunc0Shutdown},
    {"GenReg", GenRegStartup, GenRegShutdown},
    {"UnitSetupLib", nullptr, ClearStandardFolders},
};
const std::size_t ProgramModuleCount = sizeof ProgramModules / sizeof ProgramModules[0];

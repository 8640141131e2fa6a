// Every module's start-up and shut-down, in dependency order: the program entry starts them
// first to last and stops them last to first.
#pragma once

#include <cstddef>

#include "gen0/GenModules.h"

extern const ModuleEntry ProgramModules[];
extern const std::size_t ProgramModuleCount;

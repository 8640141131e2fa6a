#include "app/Modules.h"

#include "app/StandardFolders.h"
#include "controls/HintListHooks.h"
#include "controls/LuEditModule.h"
#include "gen/DialogLayer.h"
#include "gen/ErrorDocument.h"
#include "gen/TaskbarProgress.h"
#include "gen/WorkLayer.h"
#include "gen0/GenBase.h"
#include "gen0/GenReg.h"
#include "gui/Application.h"
#include "services/AltF4Hook.h"
#include "services/ExceptionHook.h"
#include "services/GenOle.h"
#include "services/PostCall.h"

const ModuleEntry ProgramModules[] = {
    {"GenFunc0", GenFunc0Startup, GenFunc0Shutdown},
    {"GenReg", GenRegStartup, GenRegShutdown},
    {"genole", GenOleStartup, GenOleShutdown},
    {"Forms", GuiStartup, GuiShutdown},
    // The taskbar list goes before OLE ends and before the application window.
    {"UnitTaskBarProgress", nullptr, ReleaseTaskbarList},
    {"GenFunc", WorkLayerStartup, WorkLayerShutdown},
    {"GenWorkForm", WorkFormStartup, WorkFormShutdown},
    // The dialog layer installs the hook; this module only takes it away again.
    {"UnitDisableAltF4", nullptr, RemoveAltF4Hook},
    {"hook_ex0", nullptr, RemoveExceptionHook},
    {"hook_ex", InstallExceptionHook, nullptr},
    {"MsgSyncEvent", PostCallStartup, PostCallShutdown},
    // Notices come through the exception hook and show through deferred calls.
    {"GenError", ErrorDocumentStartup, ErrorDocumentShutdown},
    {"HintListBox", HintListBoxStartup, HintListBoxShutdown},
    // Its drop-down list is a hint list box.
    {"LuEdit", LuEditStartup, LuEditShutdown},
    // Installs the Alt+F4 hook and keeps the raise-time filter active while it runs.
    {"genfunc1x", DialogLayerStartup, DialogLayerShutdown},
    {"UnitSetupLib", nullptr, ClearStandardFolders},
};
const std::size_t ProgramModuleCount = sizeof ProgramModules / sizeof ProgramModules[0];

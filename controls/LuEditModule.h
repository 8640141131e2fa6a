// The edit field's module: at every start the table of Japanese eras is written to the current
// user's registry and read back into the era list, which date input uses; and the wheel message
// of old mouse drivers, which the field hands to the EDIT itself.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The registry key of the era table under HKEY_CURRENT_USER.
inline constexpr const char* WarekiKey = "Software\\Lumen\\Wareki";

// Writes the values "1" to "5", overwriting what is there.
void StoreWarekiTable();
// The values "1", "2", ... up to "9", until the first that is missing or empty; each entry is
// one letter, "=", the era's first day as year/month/day and its name.
std::vector<std::string> ReadWarekiList();
// The list read at start-up.
const std::vector<std::string>& WarekiList();

// "MSWHEEL_ROLLMSG"; 0 before start-up.
extern UINT MsWheelRollMsg;

// Registry failures raise ELastError "レジストリ入出力エラー", which stops the program.
void LuEditStartup();
// Shut-down also frees the floating drop-down button.
void LuEditShutdown();

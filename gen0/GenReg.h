// Reading the registry. A missing key or value is an empty answer; every other failure raises
// ELastError "レジストリ入出力エラー".
#pragma once

#include <windows.h>

#include <string>

// A key variable holds an open key or this marker, which never needs closing.
inline const HKEY NoRegKey = HKEY_LOCAL_MACHINE;

void ReadRegString(HKEY root, const std::string& subkey, const std::string& valueName,
                   std::string& result, int AcceptExpandString);
bool OpenRegKey(HKEY root, const std::string& subkey, REGSAM access, bool missingIsAbsent,
                HKEY& key);
bool QueryRegValue(HKEY key, const std::string& valueName, DWORD& type, std::string& data);
void CloseRegKey(HKEY& key, bool raise);
void CheckRegResult(bool raise, LONG status);

// Module start-up and shut-down: advapi32 is loaded by name and kept until shut-down.
void GenRegStartup();
void GenRegShutdown();

// Which Windows the updater runs on: every 64-bit Windows, and a 32-bit one from version 6.2
// (Windows 8) on.
#pragma once

#include <cstdint>

// Whether this 32-bit process runs on a 64-bit Windows; false where the system cannot say
// (no IsWow64Process). A failing probe raises "６４ビット環境かどうか判別できません".
bool IsWow64();

// windowsVersion as major × 256 + minor. From version 4.10 on the probe is asked first.
bool PlatformAccepted(std::uint32_t windowsVersion, bool (*isWow64)());

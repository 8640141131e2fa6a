// The platform version, read once at start-up.
#pragma once

#include <cstdint>

// Major * 256 + minor.
extern std::uint32_t WindowsVersion;
// The word as GetVersion returns it; the top bit marks the Windows 95 family.
extern std::uint32_t RawWindowsVersion;

void ReadWindowsVersion();

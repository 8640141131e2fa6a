// The commands of the lzs tool.
#pragma once

#include <string>

// SRC's bytes with its last-write time into an LZ01 file.
void LzsPackCommand(const std::string& source, const std::string& destination);
// As the product expands: same checks and messages, destination stamped with the header's time.
void LzsUnpackCommand(const std::string& source, const std::string& destination);
// The header's values, the body size and the ratio of body to expanded length.
std::string LzsInfoText(const std::string& source);

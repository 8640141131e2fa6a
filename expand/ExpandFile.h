// The one entry that turns a compressed file into a usable file: through the in-house LZ01
// decoder, through the system's LZ library, or by copying.
#pragma once

#include <string>

// Set once at start: expansions go through the in-house format.
extern bool UseLzsFormat;

void ExpandFile(const std::string& source, const std::string& destination, bool decompress,
                bool deleteFirst);
void SystemExpandFile(const std::string& source, const std::string& destination,
                      bool decompress, bool deleteFirst);
// Raises the LZ library's error code (negative) with context as the detail; returns for >= 0.
void RaiseLzError(int code, const std::string& context);

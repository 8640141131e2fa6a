// Debug mode and the error log.
#pragma once

#include <string>

extern bool DebugMode;
extern bool ErrorLogEnabled;

// Appends one entry to the error log when it is enabled.
void LogError(const std::string& text);

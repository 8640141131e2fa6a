#include "gen0/GenLog.h"

bool DebugMode = false;
bool ErrorLogEnabled = false;

// The error log's file writing comes with the debug-log module; until it is enabled there is
// nothing to write.
void LogError(const std::string& text) {}

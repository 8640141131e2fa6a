// The file steps of the update: the installed executable is kept as morimo.bak until the new
// morimo.exe, expanded from the compressed file, is complete; then the backup goes.
#pragma once

#include <string>

// installFolder ends in a backslash. A morimo.bak found at the start is the last complete
// executable of an update that did not finish: it becomes morimo.exe again first. When the
// expansion fails, what it left is removed and the backup put back as morimo.exe; a failure
// of that restore is reported, and the expansion's exception goes on.
void ReplaceExecutable(const std::string& installFolder, const std::string& source);

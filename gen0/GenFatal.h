// Showing failures and the ways a failure ends the process.
#pragma once

#include <cstdint>
#include <string>

// MessageBoxA on a worker thread, so that the box shows even while this thread is in a state
// that must not pump messages. Returns the box's result.
int ThreadMessageBox(const std::string& text, const std::string& caption, unsigned style);

// The prompt when the system refuses to close a file handle: true means try again. Any other
// answer logs the failure and ends the process at once with exit code 1.
bool FatalClosePrompt(std::uint32_t code, const std::string& fileName);

// Ends the process: with a text through FatalAppExitA, without one with exit code 1.
[[noreturn]] void FatalExit(const std::string& text);
// Logs text, then ends with the internal-error sentence.
[[noreturn]] void FatalError(const std::string& text);

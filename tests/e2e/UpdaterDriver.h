// Driving the real updater from outside, as a user would: its own folder with the compressed
// file beside it, the registry value of the install, its windows found, read and answered.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// A folder of its own under the temporary folder, emptied; ends in a backslash.
std::string FreshFolder(const std::string& name);
void RemoveFolder(const std::string& folder);
void PutFile(const std::string& path, const std::string& bytes);
std::optional<std::string> FileBytes(const std::string& path);

// The install folder that the updater reads from HKLM; nullopt removes the value.
void SetProgramDir(const std::optional<std::string>& folder);

// The updater program as built.
std::string BuiltUpdater();
// The updater copied into folder, with morimo.exe.lz holding lz unless it is nullopt.
void PutUpdater(const std::string& folder, const std::optional<std::string>& lz);

class Updater {
 public:
  // Starts folder's morimo_update.exe, or program when it is given.
  explicit Updater(const std::string& folder, const std::string& program = "");
  ~Updater();  // an updater still running is killed
  Updater(const Updater&) = delete;
  Updater& operator=(const Updater&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  // Its visible top-level window of that class and caption (empty: any); null after timeout.
  HWND Window(const std::string& className, const std::string& caption, DWORD timeout = 20000);
  // Whether it ended within timeout; then its exit code.
  bool Ended(DWORD timeout, DWORD* exitCode = nullptr);
  void Kill();
  // Stops or resumes all its threads: a passing window held still for a look.
  void Suspend(bool suspend);
  HANDLE Process() const { return process_; }

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// The child window of window of that class (the first), or null.
HWND Child(HWND window, const char* className);
// The folder dialog's field: its text, and a new text put in as a paste would.
std::string FolderText(HWND dialog);
void SetFolderText(HWND dialog, const std::string& text);
// Presses the button with that caption (mnemonic marks ignored).
bool Press(HWND window, const std::string& caption);
// The message of a message dialog, and the notices of the notice window.
std::string MessageText(HWND dialog);
std::string NoticeText(HWND notice);

}  // namespace e2e

// Progress on the application's taskbar button (Windows 7 and later): one taskbar list object
// per process, the value quantised to 0..200 and sent only when it changes. The taskbar takes
// calls only once the button exists, which it announces with "TaskbarButtonCreated"; until
// then what would be sent is kept and sent when the button comes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

// What the mirror calls on the taskbar list; tests record the calls instead.
class TTaskbarList {
 public:
  virtual ~TTaskbarList() = default;
  virtual void SetProgressState(HWND w, int state) = 0;
  virtual void SetProgressValue(HWND w, std::uint64_t completed, std::uint64_t total) = 0;
};

// ITaskbarList3 from CoCreateInstance, initialised; null when the system refuses.
std::unique_ptr<TTaskbarList> CreateSystemTaskbarList();
using TTaskbarListFactory = std::unique_ptr<TTaskbarList> (*)();
extern TTaskbarListFactory CreateTaskbarList;

inline constexpr int TaskbarNoProgress = 0;  // TBPF_NOPROGRESS
inline constexpr int TaskbarNormal = 2;      // TBPF_NORMAL

// A new taskbar list (from Windows 7 on) in the normal state; the last value sent forgotten.
void TaskbarMirrorStart();
// numerator × 200 / denominator, when a list exists, the denominator is positive and the value
// differs from the last one sent.
void TaskbarMirrorValue(std::int64_t numerator, std::int64_t denominator);
// No progress on the button.
void TaskbarMirrorStop();

// Watches the application window for its button: registers "TaskbarButtonCreated" and lets it
// through the message filter of an elevated process. Before the application window shows.
void ListenForTaskbarButton();
// The registered message; 0 before ListenForTaskbarButton.
UINT TaskbarButtonCreatedMessage();

// Process end: the list released, the button forgotten.
void ReleaseTaskbarList();

// Stands in for the taskbar list while it lives: every call the mirror makes, as text, with the
// application window watched for its button and the system taken as Windows 7.
#pragma once

#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "gen/TaskbarProgress.h"
#include "gen0/GenVersion.h"
#include "gui/Application.h"

namespace {
class TaskbarRecorder {
 public:
  TaskbarRecorder() {
    calls.clear();
    CreateTaskbarList = &Create;
    WindowsVersion = 0x0601;
    ListenForTaskbarButton();
  }
  ~TaskbarRecorder() {
    ReleaseTaskbarList();
    CreateTaskbarList = savedFactory_;
    WindowsVersion = savedVersion_;
  }
  // What the shell sends once the button exists.
  void ButtonCreated() {
    SendMessageW(Application->Handle(), TaskbarButtonCreatedMessage(), 0, 0);
  }
  // The calls since the last Take.
  std::vector<std::string> Take() { return std::exchange(calls, {}); }

  static inline std::vector<std::string> calls;

 private:
  class List : public TTaskbarList {
    static std::string Window(HWND w) { return w == Application->Handle() ? "" : " (other window)"; }
    void SetProgressState(HWND w, int state) override {
      calls.push_back("state " + std::to_string(state) + Window(w));
    }
    void SetProgressValue(HWND w, std::uint64_t done, std::uint64_t total) override {
      calls.push_back("value " + std::to_string(done) + "/" + std::to_string(total) + Window(w));
    }
  };
  static std::unique_ptr<TTaskbarList> Create() {
    calls.push_back("create");
    return std::make_unique<List>();
  }

  TTaskbarListFactory savedFactory_ = CreateTaskbarList;
  std::uint32_t savedVersion_ = WindowsVersion;
};
}  // namespace

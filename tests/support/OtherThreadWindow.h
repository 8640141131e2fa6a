// A window of another thread, as another program's window is: a click there leaves nothing in
// the test thread's queue, only the focus moving away.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

namespace guitest {

class OtherThreadWindow {
 public:
  // A plain button at r, shown without taking the activation.
  explicit OtherThreadWindow(RECT r);
  ~OtherThreadWindow();
  OtherThreadWindow(const OtherThreadWindow&) = delete;
  OtherThreadWindow& operator=(const OtherThreadWindow&) = delete;
  // Null when it could not be made.
  HWND Window() const { return window_; }

 private:
  std::atomic<HWND> window_ = nullptr;
  std::atomic<DWORD> id_ = 0;
  std::thread thread_;
};

}  // namespace guitest

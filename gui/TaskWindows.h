// The windows of this thread that a modal wait disables, enabled again when it ends.
#pragma once

#include <windows.h>

#include <vector>

class TTaskWindowsDisabled {
 public:
  // Disables every visible, enabled window of this thread but except.
  explicit TTaskWindowsDisabled(HWND except);
  ~TTaskWindowsDisabled() { EnableAgain(); }
  TTaskWindowsDisabled(const TTaskWindowsDisabled&) = delete;
  TTaskWindowsDisabled& operator=(const TTaskWindowsDisabled&) = delete;
  void EnableAgain();

 private:
  std::vector<HWND> disabled_;
};

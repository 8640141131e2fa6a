// Answers a window that the test thread shows modally (MessageBoxA, a dialog's modal loop):
// a background thread waits for it, records what it shows and acts on it.
#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/GuiInput.h"
#include "tests/support/GuiWindow.h"

namespace guitest {

// What to do with the window once found; false when it could not be done.
using Action = std::function<bool(HWND)>;
Action PressId(int id, PressBy how = PressBy::Command);
Action PressCaption(std::string caption, PressBy how = PressBy::Command);
Action PostKeyToFocus(WORD vk);
Action SendKeysTo(std::vector<WORD> keys);

struct Answer {
  bool found = false;   // a matching window showed within the timeout
  bool acted = false;   // the action reported success
  WindowContent seen;   // read before acting
  std::string failure;  // what went wrong inside the thread, if anything
};

// Starts waiting at construction; the destructor waits for the thread, so a test that fails
// early still leaves no thread behind.
class Answerer {
public:
  Answerer(WindowMatch match, Action action, DWORD timeout = DefaultTimeout);
  Answerer(WindowQuery query, Action action, DWORD timeout = DefaultTimeout);
  ~Answerer();
  Answerer(const Answerer&) = delete;
  Answerer& operator=(const Answerer&) = delete;

  // Waits for the thread to finish; then the record is stable.
  const Answer& Join();

private:
  void Run(const WindowMatch& match, const Action& action, DWORD timeout) noexcept;

  Answer answer_;
  std::thread thread_;
};

}  // namespace guitest

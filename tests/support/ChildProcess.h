// Tests whose process must end (fatal boxes, exits) run that part in a child copy of the test
// executable; the parent answers the child's message boxes and reads its exit code. A parent
// that showed the box itself would need a third thread to answer it, which qemu-user's Wine
// does not survive.
#pragma once

#include <windows.h>

#include <string>

namespace guitest {

struct Child {
  HANDLE process = nullptr;
  DWORD id = 0;
  Child() = default;
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
};

// Starts this executable again on the one test named "Suite.Test", in the given role.
bool StartChild(const std::string& test, const char* role, Child& child);
// Whether this process is a child started in that role.
bool IsChild(const char* role);
// Waits for the child to end, pressing button on every message box it shows; returns the first
// box's text ("" when none showed) and the exit code.
std::string AnswerUntilExit(const Child& child, DWORD& exitCode, int button = IDOK);

}  // namespace guitest

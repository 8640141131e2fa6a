// Alt+F4 typed on the keyboard closes no window of the thread that installed the hook, while
// F4 alone and other Alt combinations still arrive. The keys go through the X server (xdotool),
// the way a user's keys reach a Wine program, not as posted messages that bypass the hook.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "services/AltF4Hook.h"
#include "tests/support/GuiWindow.h"
#include "tests/support/XInput.h"

namespace {
struct Seen {
  int sysKeyDownF4 = 0;
  int keyDownF4 = 0;
  int sysCharX = 0;
  int destroyed = 0;
} s_seen;

LRESULT CALLBACK CountingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SYSKEYDOWN && wp == VK_F4) ++s_seen.sysKeyDownF4;
  if (msg == WM_KEYDOWN && wp == VK_F4) ++s_seen.keyDownF4;
  if (msg == WM_SYSCHAR && (wp == 'x' || wp == 'X')) ++s_seen.sysCharX;
  if (msg == WM_DESTROY) ++s_seen.destroyed;
  return DefWindowProcA(w, msg, wp, lp);
}

HWND MakeWindow(const char* caption, int x) {
  static ATOM cls = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MorimoAltF4Probe";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    return RegisterClassA(&wc);
  }();
  if (!cls) return nullptr;
  return CreateWindowExA(0, "MorimoAltF4Probe", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 100,
                         300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void Pump() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

// Polls ready while this thread's windows go on receiving their messages.
bool PumpUntil(const std::function<bool()>& ready) {
  return guitest::PollUntil(
      [&] {
        Pump();
        return ready();
      },
      guitest::DefaultTimeout, 20);
}

// Presses keys ("alt+F4 F4") on the X server through xdotool. Windows has no xdotool: there the
// same keys go through SendInput, the system's own hardware-input path.
bool TypeKeys(const std::string& xdotoolKeys, const std::vector<std::vector<WORD>>& chords) {
  if (guitest::UnderWine()) return guitest::XdoTool("key " + xdotoolKeys, Pump);
  std::vector<INPUT> inputs;
  for (const auto& chord : chords) {
    for (DWORD up : {DWORD(0), DWORD(KEYEVENTF_KEYUP)})
      for (size_t i = 0; i < chord.size(); ++i) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = chord[up ? chord.size() - 1 - i : i];  // released in reverse order
        in.ki.dwFlags = up;
        inputs.push_back(in);
      }
  }
  return SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool BringToFront(HWND w) {
  return PumpUntil([w] {
    if (GetForegroundWindow() == w) return true;
    SetForegroundWindow(w);
    return false;
  });
}
}  // namespace

TEST(AltF4Hook, TypedAltF4ClosesNoWindowUntilRemoved) {
  HWND first = MakeWindow("Alt+F4 first", 50);
  HWND second = MakeWindow("Alt+F4 second", 400);
  ASSERT_TRUE(first && second);
  InstallAltF4Hook();
  InstallAltF4Hook();  // a second call must not chain the hook to itself
  ASSERT_TRUE(BringToFront(first));

  // Keys arrive in order: once Alt+X has come, the keys before it have been handled. With F4
  // swallowed the window sees Alt pressed and released alone and enters menu mode, as it
  // would on Windows; Escape leaves it so that Alt+X reaches the window.
  ASSERT_TRUE(
      TypeKeys("F4 alt+F4 Escape alt+x", {{VK_F4}, {VK_MENU, VK_F4}, {VK_ESCAPE}, {VK_MENU, 'X'}}));
  EXPECT_TRUE(PumpUntil([] { return s_seen.sysCharX > 0; }));
  EXPECT_EQ(s_seen.sysKeyDownF4, 0);
  EXPECT_EQ(s_seen.keyDownF4, 1);
  EXPECT_TRUE(IsWindow(first));
  EXPECT_TRUE(IsWindow(second));
  EXPECT_EQ(s_seen.destroyed, 0);

  // Without the hook the same keys close the window in front, which shows that they did
  // reach it before.
  RemoveAltF4Hook();
  RemoveAltF4Hook();
  ASSERT_TRUE(BringToFront(first));
  ASSERT_TRUE(TypeKeys("alt+F4", {{VK_MENU, VK_F4}}));
  EXPECT_TRUE(PumpUntil([first] { return !IsWindow(first); }));
  EXPECT_EQ(s_seen.sysKeyDownF4, 1);
  EXPECT_TRUE(IsWindow(second));
  DestroyWindow(second);
  if (IsWindow(first)) DestroyWindow(first);
}

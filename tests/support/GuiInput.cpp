#include "tests/support/GuiInput.h"

#include "tests/support/XInput.h"

namespace guitest {
namespace {

bool Pressable(HWND button) { return button && IsWindowVisible(button) && IsWindowEnabled(button); }

bool Press(HWND window, HWND button, PressBy how) {
  if (!Pressable(button)) return false;
  if (how == PressBy::Click) return PostMessageA(button, BM_CLICK, 0, 0);
  int id = GetDlgCtrlID(button);
  return PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button));
}

struct ButtonSearch {
  const std::string* caption = nullptr;
  HWND found = nullptr;
};

BOOL CALLBACK VisitButton(HWND w, LPARAM param) {
  auto* s = reinterpret_cast<ButtonSearch*>(param);
  try {
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, "Button") != 0 || !IsWindowVisible(w)) return TRUE;
    std::string text = ReadText(w);
    if (text != *s->caption && WithoutMnemonics(text) != *s->caption) return TRUE;
    s->found = w;
  } catch (...) {
    // Out of memory reading a text: report no button rather than cross the callback.
  }
  return FALSE;
}

}  // namespace

std::string WithoutMnemonics(const std::string& text) {
  // "&" (0x26) is never a Shift-JIS trail byte, so a byte scan is safe.
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && ++i == text.size()) break;
    out += text[i];
  }
  return out;
}

HWND FindButton(HWND window, const std::string& caption) {
  ButtonSearch s;
  s.caption = &caption;
  EnumChildWindows(window, VisitButton, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

bool PressButton(HWND window, int id, PressBy how) {
  return Press(window, GetDlgItem(window, id), how);
}

bool PressButton(HWND window, const std::string& caption, PressBy how) {
  return Press(window, FindButton(window, caption), how);
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (GetGUIThreadInfo(thread, &info) && info.hwndFocus) return info.hwndFocus;
  return window;
}

bool PostKey(HWND target, WORD vk) {
  UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
  LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
  // Previous state down, transition up.
  LPARAM up = static_cast<LPARAM>(static_cast<DWORD>(down) | 0xC0000000u);
  return PostMessageA(target, WM_KEYDOWN, vk, down) && PostMessageA(target, WM_KEYUP, vk, up);
}

bool PostChars(HWND target, const std::string& text) {
  for (char c : text) {
    // Through unsigned char: a sign-extended byte above 0x7F is no character at all.
    if (!PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1)) return false;
  }
  return true;
}

namespace {
bool BringToForeground(HWND window, DWORD timeout) {
  return PollUntil(
      [window] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
      },
      timeout);
}
}  // namespace

bool SendText(HWND window, const std::string& text, DWORD timeout) {
  if (!BringToForeground(window, timeout)) return false;
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring wide(std::size_t(n > 0 ? n : 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), n);
  std::vector<INPUT> inputs;
  for (wchar_t ch : wide) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = ch;
    in.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(in);
    in.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  return SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool TypeOnX(HWND window, const std::string& xdotoolKeys, DWORD timeout) {
  return BringToForeground(window, timeout) && XdoTool("key " + xdotoolKeys, [] {}, timeout);
}

namespace {
INPUT KeyInput(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

bool Send(const std::vector<INPUT>& inputs) {
  UINT sent = SendInput(static_cast<UINT>(inputs.size()),
                        const_cast<INPUT*>(inputs.data()), sizeof(INPUT));
  return sent == inputs.size();
}
}  // namespace

bool SendKeys(HWND window, const std::vector<WORD>& keys, DWORD timeout) {
  if (!BringToForeground(window, timeout)) return false;
  std::vector<INPUT> inputs;
  for (WORD vk : keys) {
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
  }
  return Send(inputs);
}

bool SendChord(HWND window, const std::vector<WORD>& held, WORD key, DWORD timeout) {
  if (!BringToForeground(window, timeout)) return false;
  std::vector<INPUT> inputs;
  for (WORD vk : held) inputs.push_back(KeyInput(vk, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (auto it = held.rbegin(); it != held.rend(); ++it) inputs.push_back(KeyInput(*it, true));
  return Send(inputs);
}

}  // namespace guitest

// Pressing buttons and sending keys to windows that another thread shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/GuiWindow.h"

namespace guitest {

enum class PressBy {
  Command,  // WM_COMMAND/BN_CLICKED to the window: works whether or not it is active
  Click,    // BM_CLICK to the button: goes through the button as a mouse click does
};

// The visible child button whose text equals caption, compared with and without the "&"
// mnemonic marks ("はい(&Y)" is found by "はい(Y)" too); null when there is none.
HWND FindButton(HWND window, const std::string& caption);
std::string WithoutMnemonics(const std::string& text);

// Posts the press; false when the button is missing, hidden or disabled, as a user could not
// press it either.
bool PressButton(HWND window, int id, PressBy how = PressBy::Command);
bool PressButton(HWND window, const std::string& caption, PressBy how = PressBy::Command);

// The control that has the keyboard focus in window's thread, or window itself.
HWND FocusOf(HWND window);
// Posts WM_KEYDOWN and WM_KEYUP of a virtual key.
bool PostKey(HWND target, WORD vk);
// Posts WM_CHAR per byte; a Shift-JIS character goes as lead byte then trail byte, as an ANSI
// window receives it.
bool PostChars(HWND target, const std::string& text);
// Real input: brings window to the foreground, then presses and releases each key through
// SendInput. Wine queues it as hardware input to the foreground window's thread, so it
// reaches the focused control and the modal loop's key handling as typed keys do.
bool SendKeys(HWND window, const std::vector<WORD>& keys, DWORD timeout = DefaultTimeout);
// Real keys typed on the X server through xdotool (its key syntax: "alt+F4 alt+y"), the way a
// user's keys reach a Wine program, through its keyboard hooks. Brings window to the foreground
// first and waits for xdotool to end; for a thread other than the window's. Wine only.
bool TypeOnX(HWND window, const std::string& xdotoolKeys, DWORD timeout = DefaultTimeout);
// Real input of one key pressed while the keys held are down (Shift+Enter, Alt+Enter).
bool SendChord(HWND window, const std::vector<WORD>& held, WORD key,
               DWORD timeout = DefaultTimeout);
// Real input of text: each character as a Unicode key press (VK_PACKET), which the window's
// message loop turns into WM_CHAR.
bool SendText(HWND window, const std::string& text, DWORD timeout = DefaultTimeout);

}  // namespace guitest

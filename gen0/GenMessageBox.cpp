#include "gen0/GenMessageBox.h"

#include <windows.h>

TShowMessageBox ShowMessageBox = DefaultShowMessageBox;
TNotice Notice = DefaultNotice;

int DefaultShowMessageBox(const std::string& text, const std::string& caption, std::uint32_t style) {
  return MessageBoxA(nullptr, text.c_str(), caption.c_str(), style | MB_TOPMOST | MB_TASKMODAL);
}

int DefaultNotice(const std::string& text, std::uint32_t style) {
  return ShowMessageBox(text, "おしらせ", style);
}

// Process-wide message-box hooks for code that has no window of its own.
#pragma once

#include <cstdint>
#include <string>

using TShowMessageBox = int (*)(const std::string& text, const std::string& caption,
                                std::uint32_t style);
using TNotice = int (*)(const std::string& text, std::uint32_t style);

// Default: MessageBoxA with no owner, always on top and task-modal.
extern TShowMessageBox ShowMessageBox;
// Default: ShowMessageBox with the caption "おしらせ".
extern TNotice Notice;

int DefaultShowMessageBox(const std::string& text, const std::string& caption, std::uint32_t style);
int DefaultNotice(const std::string& text, std::uint32_t style);

#include <gtest/gtest.h>

#include <windows.h>

#include "gen0/GenMessageBox.h"

namespace {
std::string seenText, seenCaption;
std::uint32_t seenStyle;

int Recording(const std::string& text, const std::string& caption, std::uint32_t style) {
  seenText = text;
  seenCaption = caption;
  seenStyle = style;
  return IDOK;
}
}  // namespace

TEST(MessageBox, NoticeGoesThroughShowMessageBoxWithItsCaption) {
  TShowMessageBox saved = ShowMessageBox;
  ShowMessageBox = Recording;
  EXPECT_EQ(Notice("本文", MB_ICONINFORMATION), IDOK);
  ShowMessageBox = saved;
  EXPECT_EQ(seenText, "本文");
  EXPECT_EQ(seenCaption, "おしらせ");
  EXPECT_EQ(seenStyle, static_cast<std::uint32_t>(MB_ICONINFORMATION));
}

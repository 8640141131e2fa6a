// Mnemonics and byte limits over Shift-JIS captions and texts.
#include <gtest/gtest.h>

#include "gui/TextUnits.h"

TEST(TextUnits, MnemonicOfACaption) {
  const std::pair<const char*, const char*> cases[] = {
      {"はい(&Y)", "Y"}, {"&OK", "O"}, {"A&&B", ""}, {"A&&&B", "B"},
      {"終了&", ""}, {"&表示", "表"}, {"なし", ""}, {"", ""},
  };
  for (const auto& [caption, mark] : cases) EXPECT_EQ(MnemonicOf(caption), mark) << caption;
}

TEST(TextUnits, FitBytesKeepsWholeCharacters) {
  const struct {
    const char* text;
    std::size_t room, fit;
  } cases[] = {
      {"更新a", 5, 5}, {"更新a", 4, 4}, {"更新a", 3, 2}, {"更新a", 0, 0},
      {"ab", 10, 2},   {"aモ", 2, 1},   {"", 3, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FitBytes(c.text, c.room), c.fit) << c.text << c.room;
}

// The drop-down list's text rules over Shift-JIS: the first-letter search with its file-name upper
// case, the items behind prefixed display lines, and the password mask.
#include <gtest/gtest.h>

#include "controls/DropDownText.h"

namespace {
TEST(DropDownText, FirstLetterFindsTheFirstNonEmptyItemBeginningWithIt) {
  const std::vector<std::string> fruits = {"Apple", "avocado", "Banana"};
  // "ヂ" is 0x83 0x61: its trail byte is an "a", which must not become the "A" of "ア" (0x83 0x41).
  const std::vector<std::string> kana = {"", "ヂーゼル", "アイス", "かき", "ｶﾚｰ", "カキ", "ａ全角"};
  const struct {
    const std::vector<std::string>* items;
    const char* ch;
    int index;
  } rows[] = {
      {&fruits, "a", 0},   {&fruits, "A", 0},  {&fruits, "b", 2},   {&fruits, "c", -1},
      {&fruits, "", -1},   {&kana, "ア", 2},   {&kana, "ヂ", 1},    {&kana, "か", 3},
      {&kana, "ｶ", 4},     {&kana, "カ", 5},   {&kana, "ａ", 6},    {&kana, "Ａ", -1},
      {&kana, "\x83", -1},  // a lead byte alone is no character of any item
  };
  for (const auto& r : rows) EXPECT_EQ(FirstLetterIndex(*r.items, r.ch), r.index) << r.ch;
}

TEST(DropDownText, UpperCaseChangesOnlyAsciiLetters) {
  EXPECT_EQ(UpperCaseFileName("ab-ヂz"), "AB-ヂZ");
  EXPECT_EQ(UpperCaseFileName("ｶa\x83"), "ｶA\x83");  // a lead byte at the end stays
}

TEST(DropDownText, PrefixesAndMasksCountCharacters) {
  const struct {
    const char* line;
    int n;
    const char* rest;
  } rows[] = {{"001Tokyo", 3, "Tokyo"}, {"東京都千代田", 2, "都千代田"}, {"ｶﾅ01", 2, "01"},
              {"AB", 5, ""},            {"AB", 0, "AB"},              {"AB", -1, "AB"}};
  for (const auto& r : rows) EXPECT_EQ(WithoutPrefix(r.line, r.n), r.rest) << r.line;
  EXPECT_EQ(MaskedText("ab東ｶ", '*'), "****");
  EXPECT_EQ(MaskedText("", '*'), "");
}
}  // namespace

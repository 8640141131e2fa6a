// The notice texts: hash, line breaks and the composition with its limits.
#include <gtest/gtest.h>

#include <algorithm>

#include "gen/NoticeText.h"

TEST(NoticeText, HashRotatesThenXorsEachByte) {
  EXPECT_EQ(NoticeHash(""), 0u);
  EXPECT_EQ(NoticeHash("A"), 0x41u);
  EXPECT_EQ(NoticeHash("AB"), (0x41u << 1) ^ 0x42u);
  // The top bit comes round to the bottom.
  std::string ones(33, '\x01');
  std::uint32_t h = 0;
  for (int i = 0; i < 33; ++i) h = ((h << 1) | (h >> 31)) ^ 1u;
  EXPECT_EQ(NoticeHash(ones), h);
  EXPECT_NE(NoticeHash("表示"), NoticeHash("示表"));
}

TEST(NoticeText, EveryLineBreakBecomesCrLf) {
  const std::pair<const char*, const char*> cases[] = {
      {"a\nb", "a\r\nb"},      {"a\rb", "a\r\nb"},   {"a\r\nb", "a\r\nb"},
      {"a\n\rb", "a\r\n\r\nb"}, {"\r", "\r\n"},       {"", ""},
      {"表\n示", "表\r\n示"},   {"ソ\r", "ソ\r\n"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(NormalizeLineBreaks(in), out) << in;
}

TEST(NoticeText, ComposeStopsBeforeANoticeThatPassesALimit) {
  EXPECT_EQ(ComposeNotices({"一", "二"}, 8000, -1), "\r\n\r\n一\r\n\r\n二");
  // 30 one-line notices in 20 lines: each adds two line feeds, so 10 fit.
  std::vector<std::string> many(30, "ファイルを削除できません");
  std::string box = ComposeNotices(many, 1024, 20);
  EXPECT_EQ(std::count(box.begin(), box.end(), '\n'), 22);
  EXPECT_EQ(box.substr(box.size() - 28), "\r\n\r\n≪お知らせが多すぎます≫");
  // Characters: a notice that would pass the limit is left out whole.
  EXPECT_EQ(ComposeNotices({"abc", "defg"}, 10, -1), "\r\n\r\nabc\r\n\r\n≪お知らせが多すぎます≫");
  EXPECT_EQ(ComposeNotices({"abc", "defg"}, 15, -1), "\r\n\r\nabc\r\n\r\ndefg");
  EXPECT_EQ(ComposeNotices({}, 10, 1), "");
}

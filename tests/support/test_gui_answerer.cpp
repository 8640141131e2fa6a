// Message boxes shown on the test thread and answered by the background answerer.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "tests/support/GuiTest.h"

using namespace guitest;

namespace {

// The bytes a Japanese Windows shows, spelled out so that a wrong execution character set
// of the build cannot make both sides of a comparison wrong alike.
const std::string Done =
    "\x8d\x58\x90\x56\x8f\x88\x97\x9d\x82\xf0\x8a\xae\x97\xb9\x82\xb5\x82\xdc\x82\xb5\x82\xbd"
    "\x81\x42";
const std::string Caption = "\x83\x65\x83\x58\x83\x67";

WindowQuery Box() { return {"#32770", Caption}; }

bool IsPng(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char head[8] = {};
  in.read(head, sizeof head);
  return in && std::string(head, 8) == "\x89PNG\r\n\x1a\n";
}

}  // namespace

TEST(GuiAnswerer, LiteralsAreShiftJis) {
  EXPECT_EQ(Done, "更新処理を完了しました。");
  EXPECT_EQ(Caption, "テスト");
}

TEST(GuiAnswerer, ReadsTheBoxAndPressesOkWhileAScreenshotIsTaken) {
  std::string shot;
  Answerer answerer(Box(), [&](HWND w) {
    shot = SaveScreenshot("support_message_box");
    return PressButton(w, IDOK);
  });
  EXPECT_EQ(MessageBoxA(nullptr, Done.c_str(), Caption.c_str(), MB_OK | MB_ICONINFORMATION), IDOK);
  const Answer& a = answerer.Join();
  EXPECT_EQ(a.failure, "");
  ASSERT_TRUE(a.found);
  EXPECT_TRUE(a.acted);
  EXPECT_EQ(a.seen.className, "#32770");
  EXPECT_EQ(a.seen.caption, Caption);
  EXPECT_EQ(a.seen.StaticText(), Done);
  EXPECT_EQ(a.seen.ButtonTexts().size(), 1u);  // the box's hidden buttons are not counted
  ASSERT_NE(shot, "");
  EXPECT_TRUE(IsPng(shot)) << shot;
}

TEST(GuiAnswerer, PressesNoById) {
  Answerer answerer(Box(), PressId(IDNO));
  EXPECT_EQ(MessageBoxA(nullptr, Done.c_str(), Caption.c_str(), MB_YESNO), IDNO);
  EXPECT_TRUE(answerer.Join().acted);
}

TEST(GuiAnswerer, PressesYesByCaptionThroughAClick) {
  Answerer answerer(Box(), [](HWND w) {
    // The button's own text, mnemonic mark and all, as the system labels it.
    HWND yes = GetDlgItem(w, IDYES);
    return yes && PressButton(w, ReadText(yes), PressBy::Click);
  });
  EXPECT_EQ(MessageBoxA(nullptr, Done.c_str(), Caption.c_str(), MB_YESNO), IDYES);
  EXPECT_TRUE(answerer.Join().acted);
}

TEST(GuiAnswerer, RefusesAButtonTheBoxDoesNotShow) {
  bool cancelPressed = true;
  bool unknownPressed = true;
  Answerer answerer(Box(), [&](HWND w) {
    cancelPressed = PressButton(w, IDCANCEL);
    unknownPressed = PressButton(w, std::string("存在しない"));
    return PressButton(w, IDOK);
  });
  EXPECT_EQ(MessageBoxA(nullptr, Done.c_str(), Caption.c_str(), MB_OK), IDOK);
  answerer.Join();
  EXPECT_FALSE(cancelPressed);
  EXPECT_FALSE(unknownPressed);
}

TEST(GuiAnswerer, PostedReturnPressesTheDefaultButton) {
  Answerer answerer(Box(), PostKeyToFocus(VK_RETURN));
  EXPECT_EQ(MessageBoxA(nullptr, Done.c_str(), Caption.c_str(), MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_TRUE(answerer.Join().acted);
}

TEST(GuiAnswerer, RealEscapeCancels) {
  Answerer answerer(Box(), SendKeysTo({VK_ESCAPE}));
  EXPECT_EQ(MessageBoxA(nullptr, Done.c_str(), Caption.c_str(), MB_OKCANCEL), IDCANCEL);
  EXPECT_TRUE(answerer.Join().acted);
}

// Searches and posted input that need no second thread.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/GuiTest.h"

using namespace guitest;

namespace {

// Runs what is posted to this thread's windows. Unicode calls: Wine's ANSI loop passes a
// double-byte WM_CHAR on to a Unicode window byte by byte, each byte turned into "・".
void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

struct Window {
  HWND hwnd;
  ~Window() { DestroyWindow(hwnd); }
};

HWND Create(const char* cls, const char* text) {
  return CreateWindowExA(0, cls, text, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 100,
                         nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

TEST(GuiInput, MnemonicMarksAreDropped) {
  EXPECT_EQ(WithoutMnemonics("はい(&Y)"), "はい(Y)");
  EXPECT_EQ(WithoutMnemonics("A&&B"), "A&B");
  EXPECT_EQ(WithoutMnemonics("終了&"), "終了");
}

TEST(GuiInput, PostedShiftJisCharactersArriveWhole) {
  // A Unicode edit: Wine's ANSI edit turns each byte of a double-byte character into "・".
  Window edit{CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                              100, nullptr, nullptr, nullptr, nullptr)};
  ASSERT_TRUE(edit.hwnd);
  ASSERT_TRUE(PostChars(edit.hwnd, "更新ab処理"));
  Pump();
  EXPECT_EQ(ReadText(edit.hwnd), "更新ab処理");
}

TEST(GuiInput, FindsAVisibleWindowByClassAndCaption) {
  Window box{Create("STATIC", "検索用の窓")};
  ASSERT_TRUE(box.hwnd);
  EXPECT_EQ(WaitForWindow({"Static", "検索用の窓"}), box.hwnd);
  EXPECT_EQ(FindTopLevel(Matching({"", "検索用の窓"})), box.hwnd);
  EXPECT_EQ(FindTopLevel(Matching({"#32770", "検索用の窓"})), nullptr);
  ShowWindow(box.hwnd, SW_HIDE);
  EXPECT_EQ(FindTopLevel(Matching({"", "検索用の窓"})), nullptr);
}

TEST(GuiInput, WaitingGivesUpAfterTheTimeout) {
  DWORD start = GetTickCount();
  EXPECT_EQ(WaitForWindow({"#32770", "存在しない窓"}, 300), nullptr);
  DWORD waited = GetTickCount() - start;
  EXPECT_GE(waited, 300u);
  EXPECT_LT(waited, 5000u);
}

TEST(GuiInput, ScreenshotRefusesANameThatIsNoPlainFileName) {
  EXPECT_EQ(SaveScreenshot("../escape"), "");
  EXPECT_EQ(SaveScreenshot("a'b"), "");
}

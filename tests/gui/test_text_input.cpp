// Japanese text through the toolkit's own loop: typed, posted and pasted characters arrive
// byte-exact, and MaxLength counts Shift-JIS bytes.
#include "tests/gui/GuiFixture.h"

namespace {
class TextInput : public GuiForm {
 protected:
  TCustomEdit* ShowEdit() {
    auto* f = NewForm<TfrmSample>(Application);
    f->Show();
    f->Edit1->SetText("");
    f->Edit1->SetFocus();
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == f->Edit1->Handle(); }));
    return f->Edit1;
  }
  static bool PutOnClipboard(const wchar_t* text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(h), text, bytes);
    GlobalUnlock(h);
    bool ok = SetClipboardData(CF_UNICODETEXT, h) != nullptr;
    CloseClipboard();
    return ok;
  }
};
}  // namespace

TEST_F(TextInput, PostedDoubleByteCharactersArriveWhole) {
  TCustomEdit* edit = ShowEdit();
  ASSERT_TRUE(PostChars(edit->Handle(), "更新ab"));
  EXPECT_TRUE(PumpUntil([&] { return edit->Text().size() == 6; }));
  EXPECT_EQ(edit->Text(), "更新ab");
}

// Keys typed on the keyboard: SendInput's Unicode characters come through TranslateMessage in
// the application's loop, as an input method's characters do.
TEST_F(TextInput, TypedCharactersArriveWhole) {
  TCustomEdit* edit = ShowEdit();
  ASSERT_TRUE(SendText(edit->ParentForm()->Handle(), "C:\\モリモ給与"));
  EXPECT_TRUE(PumpUntil([&] { return edit->Text() == "C:\\モリモ給与"; }));
  EXPECT_EQ(edit->Text(), "C:\\モリモ給与");
}

TEST_F(TextInput, PastedJapaneseTextArrivesWhole) {
  TCustomEdit* edit = ShowEdit();
  ASSERT_TRUE(PutOnClipboard(L"C:\\Program Files\\モリモ給与"));
  SendMessageW(edit->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(edit->Text(), "C:\\Program Files\\モリモ給与");
}

TEST_F(TextInput, MaxLengthCountsShiftJisBytes) {
  TCustomEdit* edit = ShowEdit();
  edit->SetMaxLength(5);
  ASSERT_TRUE(PostChars(edit->Handle(), "更新a"));
  EXPECT_TRUE(PumpUntil([&] { return edit->Text() == "更新a"; }));
  ASSERT_TRUE(PostChars(edit->Handle(), "b"));
  ASSERT_TRUE(PumpUntilIdle());
  EXPECT_EQ(edit->Text(), "更新a");
  // A paste takes the whole characters that still fit.
  edit->SetText("ab");
  edit->SetSel(2, 0);
  ASSERT_TRUE(PutOnClipboard(L"モリモ"));
  SendMessageW(edit->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(edit->Text(), "abモ");
  // Positions count bytes too.
  edit->SetText("更新ab");
  edit->SetSel(2, 2);
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 2);
  edit->ReplaceSel("x");
  EXPECT_EQ(edit->Text(), "更xab");
}

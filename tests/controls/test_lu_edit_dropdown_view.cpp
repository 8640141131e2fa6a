// What the drop-down field shows: screenshots of each style with its list open over another
// window and at the screen's bottom-right corner, the button in its own colours over the EDIT's
// painting, the list style's own text, and the floating button.
#include "tests/controls/DropDownForm.h"

using enum TLuDropDownStyle;

namespace {
class DropDownView : public DropDown {
 protected:
  COLORREF Pixel(int x, int y) {
    HDC dc = GetDC(e->Handle());
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(e->Handle(), dc);
    return c;
  }
  // The middle of the button's arrow, and a point of its face beside the arrow.
  COLORREF Arrow() { return Pixel(e->ClientWidth() - e->ButtonWidth / 2, e->ClientHeight() / 2); }
  COLORREF Face() { return Pixel(e->ClientWidth() - e->ButtonWidth + 3, 3); }
};

// Fields of every style on one form, the lists open in turn over a window of another thread; the
// list style also focused with its list closed, and the floating button beside the event style.
TEST_F(DropDownView, ScreenshotsOfEachStyleWithItsListOpen) {
  f->Hide();
  auto* form = NewForm<TForm>(Application, EditFormDesc("ドロップダウン", 360, 170));
  const struct {
    TLuDropDownStyle style;
    const char* text;
  } fields[] = {{ddNone, "ddNone 一覧なし"}, {ddDropDown, "ddDropDown 入力と一覧"},
                {ddDropDownList, "ddDropDownList 一覧から"}, {ddEvent, "ddEvent 押すと通知"}};
  std::vector<TLuEdit*> edits;
  for (const auto& field : fields) {
    auto* edit = NewControl<TLuEdit>(form, form, 12, 12 + 38 * int(edits.size()), 300, 24);
    edit->SetDropDownStyle(field.style);
    edit->Items = {"東京都", "大阪府", "ｶﾅｶﾞﾜｹﾝ", "Kyoto", "北海道", "沖縄県", "愛知県", "福岡県"};
    edit->SetText(field.text);
    edits.push_back(edit);
  }
  edits[3]->SetDropOut(true);
  form->Show();
  RECT r;
  GetWindowRect(form->Handle(), &r);
  OtherThreadWindow other({r.left + 60, r.bottom - 40, r.right + 120, r.bottom + 200});
  ASSERT_NE(other.Window(), nullptr);
  for (TLuEdit* edit : edits) {
    const std::string name = "dropdown_" + edit->Text().substr(0, edit->Text().find(' '));
    SCOPED_TRACE(name);
    Watch(edit);
    ASSERT_TRUE(Focus());
    ASSERT_TRUE(X("key alt+Down"));
    const bool hasList = edit->DropDownStyle() == ddDropDown ||
                         edit->DropDownStyle() == ddDropDownList;
    ASSERT_TRUE(PumpUntil([&] { return hasList == edit->DroppedDown(); }) && PumpUntilIdle());
    EXPECT_FALSE(SaveScreenshot(name).empty());
    ASSERT_TRUE(X("key Escape"));
    EXPECT_TRUE(PumpUntil([&] { return Closed(); }) && PumpUntilIdle());
    if (edit->DropDownStyle() == ddDropDownList) {
      EXPECT_FALSE(SaveScreenshot(name + "_closed").empty());
    }
  }
  delete form;
}

// Opened at the bottom-right corner of the work area, a list wider than its field lies above the
// field and within the work area.
TEST_F(DropDownView, AListAtTheScreenCornerStaysOnTheWorkArea) {
  f->Hide();
  auto* form = NewForm<TForm>(Application, EditFormDesc("右下", 180, 48));
  Watch(NewControl<TLuEdit>(form, form, 12, 12, 156, 24));
  form->Show();
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  form->SetBounds(work.right - form->Width(), work.bottom - form->Height(), form->Width(),
                  form->Height());
  Style(ddDropDownList, Fruits, 1);
  e->SetDropDownWidth(260);
  ASSERT_TRUE(Focus());
  ASSERT_TRUE(X(ToButton() + "click 1"));
  ASSERT_TRUE(PumpUntil([&] { return Shown(); }) && PumpUntilIdle());
  RECT list, field;
  GetWindowRect(List()->Handle(), &list);
  GetWindowRect(e->Handle(), &field);
  EXPECT_EQ(list.right - list.left, 260);
  EXPECT_EQ(list.right, work.right);
  EXPECT_EQ(list.bottom, field.top);
  EXPECT_FALSE(SaveScreenshot("dropdown_screen_corner").empty());
  delete form;
}

// The button is drawn over the EDIT's painting in DropDownColors, an inactive one in GrayText.
// The list style fills its field itself: selected while focused with the list closed, in its
// own colour otherwise, its text drawn in the selection's text colour.
TEST_F(DropDownView, ButtonAndListStyleShowInTheirColours) {
  Style(ddDropDown, {"■■■■■■■■"}, 0);
  e->DropDownColors.SetBtnFace(RGB(255, 0, 0));
  e->DropDownColors.SetBtnText(RGB(0, 0, 255));
  e->DropDownColors.SetGrayText(RGB(0, 128, 0));
  e->SetColor(RGB(255, 255, 0));
  ASSERT_TRUE(Focus());
  ASSERT_TRUE(Type("x y"));  // the EDIT repaints as the text changes
  EXPECT_EQ(Face(), RGB(255, 0, 0));
  EXPECT_EQ(Arrow(), RGB(0, 0, 255));
  e->SetDropDownDisable(true);
  e->SetItemIndex(0);
  e->SetDropDownStyle(ddDropDownList);
  ASSERT_TRUE(PumpUntilIdle());
  EXPECT_EQ(Arrow(), RGB(0, 128, 0));
  EXPECT_EQ(Pixel(3, 3), ColorToRGB(clHighlight));
  int inked = 0;
  for (int x = 0; x < e->ClientWidth() - e->ButtonWidth; ++x)
    inked += Pixel(x, e->ClientHeight() / 2) == ColorToRGB(clHighlightText) ? 1 : 0;
  EXPECT_GT(inked, 20);
  e->SetDropDownDisable(false);
  ASSERT_TRUE(X("key alt+Down"));
  ASSERT_TRUE(PumpUntil([&] { return Shown(); }) && PumpUntilIdle());
  EXPECT_EQ(Pixel(3, 3), RGB(255, 255, 0));
  e->SetNoDropDownButton(true);
  ASSERT_TRUE(PumpUntilIdle());
  EXPECT_EQ(Face(), ColorToRGB(clHighlight));  // the text's fill takes the strip
}

// The floating button beside the focused field toggles its list without taking the focus, and
// goes when the focus does.
TEST_F(DropDownView, TheFloatingButtonTogglesTheList) {
  Style(ddDropDown, Fruits, 0);
  e->SetDropOut(true);
  ASSERT_TRUE(Focus());
  TLuFloatDDButton* button = FloatDDButton(false);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Field(), e);
  ASSERT_TRUE(IsWindowVisible(button->Handle()));
  EXPECT_EQ(button->Left(), e->Left() + e->Width());
  EXPECT_EQ(button->Top(), e->Top());
  const std::string click = MoveTo(button->Handle(), {4, 4}) + "click 1";
  ASSERT_TRUE(X(click));
  EXPECT_TRUE(PumpUntil([&] { return Shown(); }));
  ASSERT_TRUE(X(click));
  EXPECT_TRUE(PumpUntil([&] { return Closed(); }) && PumpUntilIdle());
  EXPECT_TRUE(FocusStayed());
  ASSERT_TRUE(Focus(f->Other));
  EXPECT_EQ(button->Field(), nullptr);
  EXPECT_FALSE(button->Visible());
}
}  // namespace

// The field's formatting rectangle from its margins, border and option bits; the automatic
// height; the options that work forms pass on; capacity-keeping scaling; and a look at fields
// in each alignment, with margins, a frame and in highlight mode.
#include "gen/WorkForm.h"
#include "gen0/GenOptions.h"
#include "tests/controls/EditForm.h"

namespace {
class EditLayout : public EditForm {};
}  // namespace

// The rectangle that the field sets, relative to the client area; the EDIT keeps its own inset
// (FormatInset) inside it. A centred top is (client height + 1 - 2 x border - text height) / 2.
TEST_F(EditLayout, MarginsAndOptionBitsShapeTheFormattingRectangle) {
  enum Border { Edge3D, Flat, NoBorder };
  struct Row {
    const char* name;
    Border border;
    bool dropDown;
    RECT margins;
    std::uint32_t options;
    int left, top, right;  // right: from the client's right edge; top -1: centred
    bool autoSizeAfter;
  };
  const Row rows[] = {
      {"no margins", Edge3D, 0, {0, 0, 0, 0}, 0, 1, 1, -1, true},
      {"margins", Edge3D, 0, {5, 3, 7, 2}, 0, 6, 4, -8, false},
      {"negative margins count as 0", Edge3D, 0, {-4, -1, -2, -3}, 0, 1, 1, -1, true},
      {"flat frame", Flat, 0, {2, 0, 1, 0}, 0, 4, 2, -3, false},
      {"no border", NoBorder, 0, {2, 1, 0, 0}, 0, 2, 1, 0, false},
      {"centred", Edge3D, 0, {4, 9, 0, 0}, eoCentredText, 5, -1, -1, false},
      {"never automatic height", Edge3D, 0, {0, 0, 0, 0}, eoNoAutoSize, 1, 1, -1, false},
      {"a drop-down button's strip", Edge3D, 1, {0, 0, 0, 0}, 0, 1, 1, -17, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    auto* f = ShowEdits();
    TLuEdit* e = f->Path;
    EXPECT_EQ(e->Height(), e->TextHeight() + 8);
    if (r.border == Flat) e->SetDrawBorder(true);
    if (r.border == NoBorder) e->SetBorderSingle(false);
    if (r.dropDown) e->SetDropDownStyle(TLuDropDownStyle::ddDropDown);
    e->SetEditOptions(r.options);
    e->SetMargins(r.margins);
    EXPECT_EQ(e->AutoSize(), r.autoSizeAfter);
    EXPECT_EQ(e->DrawBorder(), r.border == Flat);
    e->SetHeight(40);
    RECT client, got = {}, inset = e->FormatInset();
    GetClientRect(e->Handle(), &client);
    SendMessageW(e->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
    int border = r.border == Edge3D ? 1 : r.border == Flat ? 2 : 0;
    int top = r.top >= 0 ? r.top : (client.bottom + 1 - 2 * border - e->TextHeight()) / 2;
    EXPECT_EQ(got.left - inset.left, r.left);
    EXPECT_EQ(got.top - inset.top, top);
    EXPECT_EQ(got.right - inset.right, client.right + r.right);
    delete f;
  }
}

TEST_F(EditLayout, WorkFormsPassTheLibraryOptionsOn) {
  for (bool on : {false, true}) {
    LibraryOptions.WorkFormEditNoCapacity = LibraryOptions.WorkFormEditCentred = on;
    auto* form = NewForm<TfrmGenWorkForm>(Application, TFormDesc());
    auto* e = New<TLuEdit>(form);
    EXPECT_EQ(e->EditOptions(), on ? eoNoCapacity | eoCentredText | eoNoAutoSize : 0u);
    EXPECT_EQ(e->AutoSize(), !on);
    delete form;
  }
  LibraryOptions = TLibraryOptions();
}

// A field just wide enough for its digits holds at least as many after scaling by 4/3, in the
// scaled font or one shrunk for them; without capacity measurement the font is only scaled. The
// margins and the button strip scale with the form.
TEST_F(EditLayout, ScalingKeepsTheCapacity) {
  for (std::uint32_t options : {0u, std::uint32_t(eoNoCapacity)}) {
    for (int height : {-13, -15, -16}) {
      SCOPED_TRACE(testing::Message() << height << " options " << options);
      auto* f = ShowEdits();
      TLuEdit* e = f->Path;
      e->Font.SetHeight(height);
      e->SetMargins({6, 0, 3, 0});
      e->SetEditOptions(options);
      while (!options && e->DigitCapacity() > 12) e->SetWidth(e->Width() - 1);
      const int digits = e->DigitCapacity(), wide = e->WideCapacity();
      f->ScaleBy(4, 3);
      EXPECT_EQ(e->MarginLeft(), 8);
      EXPECT_EQ(e->MarginRight(), 4);
      EXPECT_EQ(e->ButtonWidth, 21);
      EXPECT_GE(e->DigitCapacity(), digits);
      EXPECT_GE(e->WideCapacity(), wide);
      EXPECT_EQ(e->DigitCapacity() == 0, options != 0);
      if (options) { EXPECT_EQ(e->Font.Height(), MulDiv(height, 4, 3)); }
      delete f;
    }
  }
}

// Kept as an artefact: fields left, right and centre aligned, with margins and centred text, a
// drawn frame, a password, and one in highlight mode.
TEST_F(EditLayout, ScreenshotOfTheFields) {
  auto* f = NewForm<TForm>(Application, EditFormDesc("入力欄", 360, 280));
  auto add = [&](int top, const char* text) {
    auto* e = NewControl<TLuEdit>(f, f, 12, top, 336, 24);
    e->SetText(text);
    return e;
  };
  add(12, "左寄せ C:\\Program Files");
  add(44, "右寄せ モリモ給与")->SetAlignment(TAlignment::RightJustify);
  add(76, "中央 モリモVer.２")->SetAlignment(TAlignment::Center);
  TLuEdit* margins = add(108, "余白と上下中央");
  margins->SetEditOptions(eoCentredText);
  margins->SetMargins({20, 0, 20, 0});
  margins->SetHeight(40);
  TLuEdit* framed = add(160, "枠 DrawBorder");
  framed->SetDrawBorderColor(clRed);
  framed->SetDrawBorder(true);
  add(192, "password")->SetPasswordChar('*');
  TLuEdit* highlight = add(236, "強調表示 Enterで編集");
  highlight->AlwaysEditMode = false;
  f->Show();
  ASSERT_TRUE(FocusOn(highlight));
  EXPECT_TRUE(highlight->HighlightMode());
  EXPECT_FALSE(SaveScreenshot("controls_lu_edit_form").empty());
  delete f;
}

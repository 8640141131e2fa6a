// A right- or centre-aligned field of width 50 that gets a text too wide for it while focused is
// edited left-aligned, keeping the caret and every character (also those still queued when its
// window is made anew), and shows its alignment again after focus exit; also inside a panel.
#include "gui/CustomControl.h"
#include "tests/controls/EditForm.h"

namespace {
class EditAlignment : public EditForm {};

DWORD AlignStyle(TWinControl* c) {
  return DWORD(GetWindowLongW(c->Handle(), GWL_STYLE)) & (ES_RIGHT | ES_CENTER);
}
}  // namespace

TEST_F(EditAlignment, OverflowingTextIsEditedLeftAligned) {
  enum Input { Posted, Typed, Set };
  struct Row {
    TAlignment alignment;
    DWORD style;
    Input input;
    const char* text;
    bool switches, caretAtEnd, inPanel = false;
  };
  const Row rows[] = {
      {TAlignment::RightJustify, ES_RIGHT, Posted, "12345678901234567890", 1, 1},
      {TAlignment::RightJustify, ES_RIGHT, Posted, "12345678901234567890", 1, 1, true},
      {TAlignment::Center, ES_CENTER, Typed, "C:\\モリモ給与\\ﾓﾘﾓ12345678", 1, 1},
      {TAlignment::RightJustify, ES_RIGHT, Set, "12345678901234567890", 1, 0},
      {TAlignment::RightJustify, ES_RIGHT, Posted, "123", 0, 1},
      {TAlignment::LeftJustify, 0, Posted, "12345678901234567890", 0, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(&r - rows);
    auto* f = ShowEdits();
    TLuEdit* e = f->Path;
    if (r.inPanel) e->SetParent(NewControl<TPanel>(f, f, 0, 0, 100, 40));
    e->SetWidth(50);
    e->SetAlignment(r.alignment);
    const RECT bounds = {e->Left(), e->Top(), e->Width(), e->Height()};
    ASSERT_TRUE(FocusOn(e));
    if (r.input == Posted) { ASSERT_TRUE(PostChars(e->Handle(), r.text)); }
    if (r.input == Typed) { ASSERT_TRUE(SendText(f->Handle(), r.text)); }
    if (r.input == Set) e->SetText(r.text);
    ASSERT_TRUE(PumpUntil([&] { return e->Text() == r.text; }));
    ASSERT_TRUE(Settle(f));
    const int caret = r.caretAtEnd ? int(strlen(r.text)) : 0;
    EXPECT_EQ(e->AlignmentSwitched(), r.switches);
    EXPECT_EQ(AlignStyle(e), r.switches ? 0 : r.style);
    EXPECT_EQ(e->SelStart(), caret);
    EXPECT_EQ(GetFocus(), e->Handle());
    EXPECT_EQ(e->Left(), bounds.left);
    EXPECT_EQ(e->Top(), bounds.top);
    EXPECT_EQ(e->Width(), bounds.right);

    ASSERT_TRUE(FocusOn(f->Other));
    ASSERT_TRUE(PumpUntil([&] { return !e->AlignmentSwitched(); }) && PumpUntilIdle());
    EXPECT_EQ(e->Alignment(), r.alignment);
    EXPECT_EQ(AlignStyle(e), r.style);
    EXPECT_EQ(e->Text(), r.text);
    EXPECT_EQ(e->SelStart(), caret);
    delete f;
  }
}

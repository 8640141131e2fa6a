// A first click into the field, clicked on the X server: with the library option it focuses the
// unfocused field and selects all; without it only a click that activates the form does so.
#include "gen0/GenOptions.h"
#include "tests/controls/EditForm.h"

namespace {
class EditMouse : public EditForm {};
}  // namespace

TEST_F(EditMouse, FirstClickSelectsAll) {
  struct Row {
    const char* name;
    bool option, mouseClickOnEnter, focused, formActive, selectsAll;
  };
  const Row rows[] = {
      {"first click selects all", 1, 0, 0, 1, 1},
      {"MouseClickOnEnter: an ordinary click", 1, 1, 0, 1, 0},
      {"focused: an ordinary click", 1, 0, 1, 1, 0},
      {"option off: an ordinary click", 0, 0, 0, 1, 0},
      {"option off, activating click: selects all", 0, 0, 0, 0, 1},
      {"activating first click: selects all", 1, 0, 0, 0, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    LibraryOptions.EditFirstClick = r.option;
    auto* f = ShowEdits();
    TLuEdit* e = f->Path;
    e->SetText(FolderText);
    e->MouseClickOnEnter = r.mouseClickOnEnter;
    ASSERT_TRUE(FocusOn(r.focused ? static_cast<TWinControl*>(e) : f->Other));
    e->SetSel(0, 0);
    TFormDesc d;
    d.ClientWidth = d.ClientHeight = 50;
    TForm* other = r.formActive ? nullptr : NewForm<TForm>(Application, d);
    if (other) {
      other->Show();
      ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == other->Handle(); }));
    }
    POINT p = {e->ClientWidth() / 2, e->ClientHeight() / 2};
    ClientToScreen(e->Handle(), &p);
    ASSERT_TRUE(XdoTool("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " click 1",
                        [] { Application->ProcessMessages(); }));
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == e->Handle(); }) && Settle(f));
    EXPECT_EQ(e->SelLength(), r.selectsAll ? int(FolderText.size()) : 0);
    delete other;
    delete f;
  }
  LibraryOptions = TLibraryOptions();
}

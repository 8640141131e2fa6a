// The hint list over a plain edit, driven through the X server as a user drives it: the edit's
// keys and the wheel move the list's selection while the focus stays in the edit, Enter and a
// click pick, Esc, a click elsewhere and another window taking the focus close the list, and no
// hook outlives the list.
#include "controls/HintListBox.h"
#include "controls/HintListHooks.h"
#include "tests/gui/GuiFixture.h"

namespace {
class TKeyCountingEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
  int keys = 0;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override {
    if (msg == WM_KEYDOWN || msg == WM_CHAR) ++keys;
    return TCustomEdit::WndProc(msg, w, l);
  }
};

bool X(const std::string& args) {
  return XdoTool(args, [] { Application->ProcessMessages(); });
}

std::string Spot(POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

class HintList : public GuiForm {
 protected:
  void SetUp() override {
    GuiForm::SetUp();
    HintListBoxStartup();
    form = ShowMainForm();
    edit = New<TKeyCountingEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(20, 20, 200, 24);
    edit->SetText("abc");
    list = New<THintListBox>(form);
    list->SetSubClassComponent(edit);
    list->SetWidth(200);
    for (int i = 0; i < 20; ++i) list->AddItem("項目 " + std::to_string(i));
    list->SetRowCount(8);
    list->OnSelected = [this](TComponent*) { ++picked; };
    list->OnHided = [this](TComponent*) { ++hidden; };
    edit->SetFocus();
    ASSERT_TRUE(FocusEdit());
  }
  void TearDown() override {
    HintListBoxShutdown();
    GuiForm::TearDown();
  }

  bool FocusEdit() {
    return PumpUntil([this] {
      SetForegroundWindow(form->Handle());
      return GetFocus() == edit->Handle() && GetForegroundWindow() == form->Handle();
    });
  }
  // Below the edit, with item index selected and the pointer resting on the edit.
  void Open(int index, THintListBox* l = nullptr) {
    l = l ? l : list;
    l->SetItemIndex(index);
    RECT r;
    GetWindowRect(edit->Handle(), &r);
    l->ShowNear(r.left, r.bottom, r.top - l->Height());
    ASSERT_TRUE(X("mousemove " + Spot({r.left + 5, r.top + 5})));
    ASSERT_TRUE(PumpUntilIdle());
  }
  POINT ItemSpot(int i) {
    RECT r;
    SendMessageW(list->Handle(), LB_GETITEMRECT, WPARAM(i), LPARAM(&r));
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(list->Handle(), &p);
    return p;
  }
  bool Closed() { return !list->Visible() && !IsWindowVisible(list->Handle()); }
  // Closed without a pick, and no hook is left.
  void ExpectClosedQuietly() {
    EXPECT_TRUE(PumpUntil([this] { return Closed(); }));
    EXPECT_EQ(picked, 0);
    EXPECT_EQ(HintListHookCount(), 0);
  }

  TForm* form = nullptr;
  TKeyCountingEdit* edit = nullptr;
  THintListBox* list = nullptr;
  int picked = 0, hidden = 0;
};

TEST_F(HintList, OwnerKeysAndWheelMoveTheSelectionWhileTheEditKeepsTheFocus) {
  Open(0);
  EXPECT_EQ(HintListHookCount(), 2);
  const struct {
    const char* input;
    int index;
  } steps[] = {{"key Down", 1},    {"key Down Down", 3}, {"key Up", 2},  {"key Page_Down", 9},
               {"key Page_Up", 2}, {"click 5", 3},       {"click 4", 2}, {"click 5 click 5", 4}};
  for (const auto& s : steps) {
    ASSERT_TRUE(X(s.input)) << s.input;
    EXPECT_TRUE(PumpUntil([&] { return list->ItemIndex() == s.index; })) << s.input;
  }
  // The wheel message of old mouse drivers carries the turn in the low word.
  PostMessageW(edit->Handle(), RegisterWindowMessageA("MSWHEEL_ROLLMSG"), WORD(-120), 0);
  EXPECT_TRUE(PumpUntil([&] { return list->ItemIndex() == 5; }));
  EXPECT_TRUE(list->Visible());
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_EQ(GetForegroundWindow(), form->Handle());
  EXPECT_EQ(edit->keys, 0);
  EXPECT_EQ(edit->Text(), "abc");
}

TEST_F(HintList, EnterPicksTheSelectionAndClosesButNotWithoutOne) {
  Open(-1);
  // Enter without a selection is no pick: the Down after it still reaches the open list.
  ASSERT_TRUE(X("key Return Down"));
  EXPECT_TRUE(PumpUntil([this] { return list->ItemIndex() >= 0; }));
  EXPECT_TRUE(list->Visible());
  EXPECT_EQ(picked, 0);
  const int next = list->ItemIndex() + 1;
  ASSERT_TRUE(X("key Down Return"));
  EXPECT_TRUE(PumpUntil([this] { return picked == 1; }));
  EXPECT_TRUE(Closed());
  EXPECT_EQ(list->ItemIndex(), next);
  EXPECT_EQ(HintListHookCount(), 0);
  EXPECT_EQ(edit->keys, 0);
  EXPECT_EQ(GetFocus(), edit->Handle());
}

TEST_F(HintList, ClickPicksTheItemUnderThePointer) {
  list->SyncMouse = true;
  Open(0);
  ASSERT_TRUE(X("mousemove " + Spot(ItemSpot(3))));
  EXPECT_TRUE(PumpUntil([this] { return list->ItemIndex() == 3; }));  // the selection follows
  ASSERT_TRUE(X("mousemove " + Spot(ItemSpot(5)) + " click 1"));
  EXPECT_TRUE(PumpUntil([this] { return picked == 1; }));
  EXPECT_EQ(list->ItemIndex(), 5);
  EXPECT_TRUE(Closed());
  EXPECT_EQ(HintListHookCount(), 0);
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_EQ(GetForegroundWindow(), form->Handle());
}

TEST_F(HintList, EscAndAClickElsewhereClose) {
  Open(2);
  ASSERT_TRUE(X("key Escape"));
  ExpectClosedQuietly();
  EXPECT_EQ(edit->keys, 0);
  EXPECT_EQ(hidden, 1);
  Open(2);
  RECT r;
  GetWindowRect(form->Handle(), &r);
  ASSERT_TRUE(X("mousemove " + Spot({r.right - 20, r.bottom - 20}) + " click 1"));
  ExpectClosedQuietly();
  EXPECT_EQ(GetFocus(), edit->Handle());
}

TEST_F(HintList, AnotherWindowTakingTheFocusCloses) {
  RECT e;
  GetWindowRect(edit->Handle(), &e);
  OtherThreadWindow other({e.left - 40, e.bottom + 40, e.left + 360, e.bottom + 260});
  ASSERT_NE(other.Window(), nullptr);
  ASSERT_TRUE(FocusEdit());
  Open(1);
  ASSERT_TRUE(IsWindowVisible(list->Handle()));
  EXPECT_FALSE(SaveScreenshot("hint_list_over_window").empty());
  ASSERT_TRUE(X("mousemove " + Spot({e.left + 330, e.bottom + 230}) + " click 1"));
  ExpectClosedQuietly();
  EXPECT_EQ(GetForegroundWindow(), other.Window());
}

TEST_F(HintList, ShowNearKeepsTheListOnTheWorkArea) {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  list->ShowNear(work.left - 30, 200, 50);  // left of the work area: moved onto it
  RECT r;
  GetWindowRect(list->Handle(), &r);
  EXPECT_EQ(r.left, work.left);
  EXPECT_EQ(r.top, 200);
  list->Hide();
  // An edit at the screen's bottom-right corner: the list opens above it, moved left.
  list->SetWidth(300);
  form->SetBounds(work.right - form->Width(), work.bottom - form->Height(), form->Width(),
                  form->Height());
  edit->SetBounds(form->ClientWidth() - 160, form->ClientHeight() - 34, 150, 24);
  Open(3);
  GetWindowRect(list->Handle(), &r);
  RECT e;
  GetWindowRect(edit->Handle(), &e);
  EXPECT_EQ(r.right, work.right);
  EXPECT_EQ(r.bottom, e.top);
  EXPECT_FALSE(SaveScreenshot("hint_list_screen_corner").empty());
}

TEST_F(HintList, ListsShareTheHooksUntilTheLastGoesAndTheLastShownTakesTheKeys) {
  auto* second = New<THintListBox>(form);
  second->SetSubClassComponent(edit);
  second->SetItems({"a", "b", "c"});
  Open(0);
  Open(0, second);
  ASSERT_TRUE(X("key Down"));
  EXPECT_TRUE(PumpUntil([&] { return second->ItemIndex() == 1; }));
  Open(0);  // shown again: the top list now
  ASSERT_TRUE(X("key Down"));
  EXPECT_TRUE(PumpUntil([&] { return list->ItemIndex() == 1; }));
  EXPECT_EQ(second->ItemIndex(), 1);
  second->Hide();
  EXPECT_EQ(HintListHookCount(), 2);
  edit->RecreateWnd();  // the list's window goes with the edit's: the list hides first
  EXPECT_TRUE(!list->Visible() && hidden == 1 && !IsWindowVisible(list->Handle()));
  EXPECT_EQ(HintListHookCount(), 0);
  Open(0);
  delete list;  // a visible list that goes lets go of its place
  EXPECT_EQ(HintListHookCount(), 0);
}

TEST_F(HintList, ShowingWithoutOwnerRaisesAndInstallsNothing) {
  auto* lone = New<THintListBox>(form);
  lone->SetSubClassComponent(lone);  // its own owner counts as none
  try {
    lone->ShowAt(10, 10);
    ADD_FAILURE() << "shown";
  } catch (const EHintListBoxNoParent& e) {
    EXPECT_EQ(e.Message, "SubClassComponent is nil");
  }
  EXPECT_FALSE(lone->Visible());
  EXPECT_EQ(HintListHookCount(), 0);
}

TEST_F(HintList, RowCountFitsThatManyRowsOfTheFont) {
  for (int fontHeight : {-12, -20}) {
    list->Font.SetHeight(fontHeight);  // the row count holds in the new font
    int row = int(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(list->ClientHeight(), 8 * row) << fontHeight;
  }
}
}  // namespace

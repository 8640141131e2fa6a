// The work-form stack and the work-form base: which form is current and enabled, the log lines
// of an unexpected state, the registered variable, focus reports, the busy cursor, snapping.
#include "gen/ControlExData.h"
#include "gen/WorkFormStack.h"
#include "gen0/GenHooks.h"
#include "gen0/GenOptions.h"
#include "gui/Edit.h"
#include "gui/Screen.h"
#include "tests/gen/LayerFixture.h"

TEST_F(WorkLayer, ShowingAndHidingMoveFormsOnTheStack) {
  EXPECT_EQ(CurrentWorkForm(), nullptr);  // the sentinel only
  EXPECT_EQ(WorkFormStackSize(), 1);
  auto* a = NewWorkForm("A");
  auto* b = NewWorkForm("B", 450);
  auto* c = NewWorkForm("C", 800);
  struct Step {
    const char* name;
    std::function<void()> act;
    TCustomForm* current;
    int size;
    bool aEnabled, bEnabled, cEnabled;
  };
  const Step steps[] = {
      {"show A", [&] { a->Show(); }, a, 2, true, true, true},
      {"show B over A", [&] { b->Show(); }, b, 3, false, true, true},
      {"B again on top: nothing", [&] { SetWorkForm(b, 0, 1); }, b, 3, false, true, true},
      {"C over B", [&] { c->Show(); }, c, 4, false, false, true},
      {"A from below to the top", [&] { SetWorkForm(a, 0, 1); }, a, 4, true, false, false},
      {"hide B, not on top", [&] { b->Hide(); }, a, 3, true, false, false},
      {"hide A: C on top again", [&] { a->Hide(); }, c, 2, true, false, true},
      {"hide C", [&] { c->Hide(); }, nullptr, 1, true, false, true},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    s.act();
    EXPECT_EQ(CurrentWorkForm(), s.current);
    EXPECT_EQ(WorkFormStackSize(), s.size);
    EXPECT_EQ(a->Enabled(), s.aEnabled);
    EXPECT_EQ(b->Enabled(), s.bEnabled);
    EXPECT_EQ(c->Enabled(), s.cEnabled);
  }
  EXPECT_FALSE(a->OnStack());
  EXPECT_TRUE(g_errorLog.empty());
}

// A form found disabled where it should not be is logged, and the change goes on; a form put
// on the stack with a mode other than 1 gets back the state it had when it was covered.
TEST_F(WorkLayer, UnexpectedStatesAreLoggedAndOtherModesKeepTheSavedState) {
  auto* a = NewWorkForm("下");
  auto* b = NewWorkForm("上", 450);
  auto* c = NewWorkForm("別", 800);
  a->Show();
  a->SetEnabled(false);
  SetWorkForm(b, 0, 2);
  EXPECT_TRUE(Logged("SetWorkForm ,not frmWorkOrg.Enabled ,frmWorkOrg.Caption=下"));
  b->SetEnabled(false);
  SetWorkForm(c, 0, 1);
  RemoveWorkForm(c, 0);
  EXPECT_FALSE(b->Enabled());  // mode 2: disabled when covered, disabled again
  RemoveWorkForm(b, 0);
  EXPECT_TRUE(Logged("RemoveWorkForm ,not frmWork1.Enabled ,frmWork1.Caption=上"));
  EXPECT_TRUE(a->Enabled());  // mode 1
  EXPECT_EQ(CurrentWorkForm(), a);
  SetWorkForm(nullptr, 0, 1);
  RemoveWorkForm(nullptr, 0);
  EXPECT_EQ(WorkFormStackSize(), 2);
}

TEST_F(WorkLayer, TheRegisteredVariableIsClearedWithTheForm) {
  static TfrmGenWorkForm* ref = nullptr;
  auto* a = NewWorkForm("A");
  auto* b = NewWorkForm("B");
  a->SetAutoClearRef(&ref);
  EXPECT_EQ(ref, a);
  b->SetAutoClearRef(&ref);  // now b's
  EXPECT_EQ(ref, b);
  delete a;  // a no longer holds it: it stays b's
  EXPECT_EQ(ref, b);
  delete b;
  EXPECT_EQ(ref, nullptr);
}

TEST_F(WorkLayer, FocusReportsAndALeaveHandlerThatRaisesKeepsTheFocus) {
  auto* f = NewWorkForm("入力");
  auto* first = New<TCustomEdit>(f);
  first->SetParent(f);
  auto* second = New<TCustomEdit>(f);
  second->SetParent(f);
  second->SetTop(40);
  std::vector<TWinControl*> reported;
  f->OnActiveControlChange = [&](TComponent*) { reported.push_back(f->ActiveControl()); };
  int enabledChanges = 0;
  f->OnEnabledChange = [&](TComponent*) { ++enabledChanges; };
  ExceptionRecorder shown;
  bool refuse = true;
  FindControlExData(first, true)->OnLeave = [&](TComponent*) {
    if (refuse) throw ELuInput("入力してください");
  };
  f->Show();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == first->Handle(); }));
  EXPECT_EQ(reported, std::vector<TWinControl*>{first});
  SendMessageW(f->Handle(), WM_NEXTDLGCTL, 0, 0);  // Tab to the next field
  EXPECT_EQ(shown.messages, std::vector<std::string>{"入力してください"});
  EXPECT_EQ(GetFocus(), first->Handle());
  refuse = false;
  SendMessageW(f->Handle(), WM_NEXTDLGCTL, 0, 0);
  EXPECT_EQ(GetFocus(), second->Handle());
  EXPECT_EQ(reported.back(), second);
  f->SetEnabled(false);
  f->SetEnabled(true);
  EXPECT_EQ(enabledChanges, 2);
  EXPECT_TRUE(f->WindowEnabled());
}

namespace {
class TOptionsProbe : public TCustomEdit, public TWorkFormEditOptions {
 public:
  using TCustomEdit::TCustomEdit;
  void ApplyWorkFormOptions(bool noCapacity, bool centred) override {
    applied = {noCapacity, centred};
  }
  std::pair<bool, bool> applied = {false, false};
};
}  // namespace

TEST_F(WorkLayer, InHouseEditsPlacedOnAWorkFormGetTheLibraryOptions) {
  LibraryOptions.WorkFormEditNoCapacity = true;
  LibraryOptions.WorkFormEditCentred = true;
  auto* f = NewWorkForm("A");
  auto* edit = New<TOptionsProbe>(f);
  EXPECT_EQ(edit->applied, std::make_pair(true, true));
  LibraryOptions = TLibraryOptions();
}

TEST_F(WorkLayer, BusyCursorHandlersAndExceptionDisplay) {
  BusyCursorOn();
  BusyCursorOn();
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  BusyCursorOff();
  EXPECT_EQ(Screen->Cursor(), crDefault);
  ExceptionRecorder shown;
  ReportException(ELuError("更新処理に失敗しました"));
  ReportException(EAbort());
  EXPECT_EQ(shown.messages, std::vector<std::string>{"更新処理に失敗しました"});
}

// With Alt held in debug mode a moved or sized work form keeps to a grid of 8 pixels.
TEST_F(WorkLayer, GridSnappingInDebugModeWithAlt) {
  auto* f = NewWorkForm("格子");
  f->Show();
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_MENU] = 0x80;
  SetKeyboardState(keys);
  DebugMode = true;
  SetWindowPos(f->Handle(), nullptr, 13, 21, 405, 303, SWP_NOZORDER | SWP_NOACTIVATE);
  DebugMode = false;
  keys[VK_MENU] = 0;
  SetKeyboardState(keys);
  RECT r;
  GetWindowRect(f->Handle(), &r);
  EXPECT_EQ(r.left, 8);
  EXPECT_EQ(r.top, 16);
  // Grown by what left and top lost (5), then cut: 410 → 408, 308 → 304.
  EXPECT_EQ(r.right - r.left, 408);
  EXPECT_EQ(r.bottom - r.top, 304);
}

// A disabled work form refuses the end of the Windows session and says why; an enabled one
// leaves the answer to the system.
TEST_F(WorkLayer, ADisabledWorkFormRefusesTheEndOfTheSession) {
  auto* f = NewWorkForm("セットアップ");
  f->Show();
  EnableWindow(f->Handle(), FALSE);  // as a modal dialog over it does
  std::string text;
  Answerer answer(Matching({"", "重要なおしらせ"}), [&](HWND box) {
    text = ReadWindow(box).StaticText();
    return PressButton(box, "OK");
  });
  EXPECT_EQ(SendMessageW(f->Handle(), WM_QUERYENDSESSION, 0, 0), 0);
  EXPECT_TRUE(answer.Join().acted) << answer.Join().failure;
  EXPECT_EQ(text, "Windowsの終了、再起動またはログオフの前に全てのウィンドウを閉じてください");
  EnableWindow(f->Handle(), TRUE);
  EXPECT_NE(SendMessageW(f->Handle(), WM_QUERYENDSESSION, 0, 0), 0);
}

// Dialog keys and characters: what the focused control wants stays with it, the rest moves the
// focus or presses buttons; mnemonics press their buttons; containers survive their children.
#include "gui/CustomControl.h"
#include "tests/gui/GuiFixture.h"
#include "tests/support/TestForms.h"

namespace {
class TfrmKeys : public TForm {
 public:
  static TFormDesc Desc() {
    return guitest::CentredDialog("確認", 420, 200);
  }
  explicit TfrmKeys(TComponent* owner) : TForm(owner, Desc()) {
    Panel = Add<TPanel>(this, 8, 8, 200, 120);
    Memo = Add<TMemo>(Panel, 8, 8, 180, 100);
    Memo->SetText("お知らせ");
    Edit = Add<TCustomEdit>(this, 220, 16, 180, 24);
    Yes = Add<TBitBtn>(this, 60, 150, 120, 30);
    Yes->SetCaption("はい(&Y)");
    Yes->ModalResult = mrYes;
    Yes->SetGlyph(MakeTestBitmap(36, 18, RGB(255, 0, 255), RGB(0, 128, 0)));
    No = Add<TButton>(this, 220, 150, 120, 30);
    No->SetCaption("いいえ(&N)");
    No->ModalResult = mrNo;
  }
  TPanel* Panel;
  TMemo* Memo;
  TCustomEdit* Edit;
  TBitBtn* Yes;
  TButton* No;

 private:
  template <class T>
  T* Add(TWinControl* parent, int left, int top, int width, int height) {
    T* c = New<T>(this);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
  }
};

bool FocusOn(HWND form, HWND control) {
  PostMessageA(form, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  return PollUntil([&] { return FocusOf(form) == control; }, DefaultTimeout);
}
}  // namespace

TEST_F(GuiForm, MnemonicsDefaultAndFocusedButtonsAnswerTheirKeys) {
  TForm* main = ShowMainForm();
  struct Case {
    const char* name;
    std::function<bool(HWND form, HWND edit, HWND no)> act;
    TModalResult expected;
  };
  const Case cases[] = {
      {"Alt+Y", [](HWND form, HWND edit, HWND) {
         return FocusOn(form, edit) && PostMessageA(edit, WM_SYSCHAR, 'y', 1 << 29);
       }, mrYes},
      {"the letter n where no text is typed", [](HWND form, HWND, HWND no) {
         return FocusOn(form, no) && PostMessageA(no, WM_CHAR, 'n', 1);
       }, mrNo},
      {"F4 posts Y to the form itself", [](HWND form, HWND, HWND) {
         return PostMessageA(form, WM_CHAR, 'Y', 1);
       }, mrYes},
      {"Enter in the edit presses the glyph button made default", [](HWND form, HWND edit, HWND) {
         return FocusOn(form, edit) && PostKey(edit, VK_RETURN);
       }, mrYes},
      {"Enter on a focused button presses it", [](HWND form, HWND, HWND no) {
         return FocusOn(form, no) && PostKey(no, VK_RETURN);
       }, mrNo},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* dlg = NewForm<TfrmKeys>(main);
    HWND edit = dlg->Edit->Handle(), no = dlg->No->Handle();
    dlg->Yes->SetDefault(true);  // on the existing window
    Answerer answer(Matching({"", "確認"}), [&](HWND w) { return c.act(w, edit, no); });
    TModalResult r = dlg->ShowModal();
    EXPECT_TRUE(answer.Join().acted) << answer.Join().failure;
    EXPECT_EQ(r, c.expected);
    // The default mark keeps the glyph button owner-drawn.
    EXPECT_EQ(GetWindowLongA(dlg->Yes->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(dlg->Edit->Text(), "");
    delete dlg;
  }
}

// Esc goes to a memo that wants it and does nothing there; Tab leaves it. Neither reaches the
// memo's parent as WM_CLOSE or a lost WM_NEXTDLGCTL.
TEST_F(GuiForm, EscAndTabInAMemoOnAPanel) {
  TForm* main = ShowMainForm();
  auto* dlg = NewForm<TfrmKeys>(main);
  HWND memo = dlg->Memo->Handle(), panel = dlg->Panel->Handle(), edit = dlg->Edit->Handle();
  bool panelAlive = false, formVisible = false;
  Answerer answer(Matching({"", "確認"}), [&](HWND w) {
    if (!FocusOn(w, memo) || !PostKey(memo, VK_ESCAPE) || !PostKey(memo, VK_TAB)) return false;
    if (!PollUntil([&] { return FocusOf(w) == edit; }, DefaultTimeout)) return false;
    panelAlive = IsWindow(panel) && IsWindowVisible(panel);
    formVisible = IsWindowVisible(w);
    return PressButton(w, "いいえ(&N)");
  });
  TModalResult r = dlg->ShowModal();
  EXPECT_TRUE(answer.Join().acted) << answer.Join().failure;
  EXPECT_EQ(r, mrNo);
  EXPECT_TRUE(panelAlive);
  EXPECT_TRUE(formVisible);
  EXPECT_EQ(dlg->Memo->Text(), "お知らせ");
  // A child control never closes.
  SendMessageW(panel, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(panel));
  delete dlg;
}

TEST_F(GuiForm, FocusChangesExitAndEnterEachControlAndContainerOnce) {
  auto* f = NewForm<TfrmKeys>(Application);
  std::vector<std::string> log;
  for (TWinControl* c : std::initializer_list<TWinControl*>{f->Panel, f->Memo, f->Edit, f->No}) {
    c->OnEnter = [&log](TComponent* s) { log.push_back("enter " + s->ClassName()); };
    c->OnExit = [&log](TComponent* s) { log.push_back("exit " + s->ClassName()); };
  }
  f->Show();
  ASSERT_TRUE(PumpUntilIdle());
  f->Memo->SetFocus();
  f->Edit->SetFocus();
  f->No->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"enter TPanel", "enter TMemo", "exit TMemo",
                                           "exit TPanel", "enter TCustomEdit",
                                           "exit TCustomEdit", "enter TButton"}));
  EXPECT_EQ(f->ActiveControl(), f->No);
  // Kept as an artefact: the glyph button, made default, with its underlined mnemonic beside
  // the system button's.
  f->Yes->SetDefault(true);
  ASSERT_TRUE(PumpUntilIdle());
  EXPECT_FALSE(SaveScreenshot("gui_mnemonics").empty());
  delete f;
}

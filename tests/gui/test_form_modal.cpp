// The modal loop: its results, the disabled windows, and exceptions from click handlers.
#include "tests/gui/GuiFixture.h"

namespace {
struct ModalCase {
  const char* name;
  Action action;
  TModalResult expected;
};

// Moves the focus to the edit field through WM_NEXTDLGCTL, then presses Enter there: the edit
// does not want Enter, so the form presses its default button.
Action EnterInEdit() {
  return [](HWND w) {
    HWND edit = FindWindowExA(w, nullptr, "Edit", nullptr);
    PostMessageA(w, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    if (!PollUntil([&] { return FocusOf(w) == edit; }, DefaultTimeout)) return false;
    return PostKey(edit, VK_RETURN);
  };
}

Action CloseBox() {
  return [](HWND w) { return PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0) != 0; };
}

}  // namespace

TEST_F(GuiForm, ShowModalEndsWithTheResultOfClickEnterEscAndCloseBox) {
  TForm* main = ShowMainForm();
  const ModalCase cases[] = {
      {"click start", PressCaption("更新の開始", PressBy::Click), mrOk},
      {"click cancel", PressCaption("中止", PressBy::Click), mrCancel},
      {"Enter on the focused start button", PostKeyToFocus(VK_RETURN), mrOk},
      {"Enter in the edit", EnterInEdit(), mrOk},
      {"Esc", PostKeyToFocus(VK_ESCAPE), mrCancel},
      {"close box", CloseBox(), mrCancel},
  };
  for (const ModalCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto* dlg = NewForm<TfrmSample>(main);
    dlg->SetPosition(TPosition::OwnerFormCenter);
    std::atomic<bool> mainDisabled{false};
    HWND mainWnd = main->Handle();
    Answerer answer(Matching({"TfrmSample", ""}), [&](HWND w) {
      mainDisabled = !IsWindowEnabled(mainWnd);
      return c.action(w);
    });
    TModalResult r = dlg->ShowModal();
    const Answer& a = answer.Join();
    EXPECT_TRUE(a.found && a.acted) << a.failure;
    EXPECT_EQ(r, c.expected);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(IsWindowEnabled(mainWnd));
    EXPECT_FALSE(IsWindowVisible(dlg->Handle()));
    delete dlg;
  }
}

TEST_F(GuiForm, ExceptionFromAClickHandlerReachesTheHandlerOnceAndTheLoopGoesOn) {
  TForm* main = ShowMainForm();
  InstallExceptionHook();
  ExceptionCounter counter;
  ApplicationExceptionHandler = TExceptionHandler::Bind<&ExceptionCounter::Handle>(&counter);
  auto* dlg = NewForm<TfrmSample>(main);
  dlg->ButtonRaise->OnClick = [](TComponent*) { throw ELuInput("フォルダを指定してください"); };
  Answerer answer(Matching({"TfrmSample", ""}), [&](HWND w) {
    if (!PressButton(w, "確認", PressBy::Click)) return false;
    if (!PollUntil([&] { return counter.count == 1; }, DefaultTimeout)) return false;
    // The dialog stays open after the handler has run.
    return IsWindowVisible(w) && PressButton(w, "更新の開始", PressBy::Click);
  });
  TModalResult r = dlg->ShowModal();
  const Answer& a = answer.Join();
  EXPECT_TRUE(a.found && a.acted) << a.failure;
  EXPECT_EQ(r, mrOk);
  EXPECT_EQ(counter.count, 1);
  EXPECT_EQ(counter.message, "フォルダを指定してください");
  EXPECT_EQ(counter.sender, dlg->ButtonRaise);
  delete dlg;
  ApplicationExceptionHandler = {};
  RemoveExceptionHook();
}

// Without a handler behind the hook, the application shows the message in a box captioned
// with its title; EAbort shows nothing.
TEST_F(GuiForm, WithoutAHandlerTheHookShowsTheMessageAndIgnoresEAbort) {
  TForm* main = ShowMainForm();
  InstallExceptionHook();
  InstallExceptionHook();  // once only
  auto* dlg = NewForm<TfrmSample>(main);
  bool abort = true;
  dlg->ButtonRaise->OnClick = [&](TComponent*) {
    if (abort) {
      abort = false;
      throw EAbort();
    }
    throw ELuError("フォルダを指定してください");
  };
  std::string boxText, boxCaption;
  // The first box that shows must be the one of the second click: EAbort shows none.
  Answerer answer(Matching({"TfrmSample", ""}), [&](HWND w) {
    PressButton(w, "確認", PressBy::Click);
    PressButton(w, "確認", PressBy::Click);
    HWND box = WaitForWindow({"#32770", ""});
    if (!box) return false;
    WindowContent seen = ReadWindow(box);
    boxText = seen.StaticText();
    boxCaption = seen.caption;
    PressButton(box, IDOK);
    return PollUntil([&] { return !IsWindow(box); }, DefaultTimeout) &&
           PressButton(w, "中止", PressBy::Click);
  });
  TModalResult r = dlg->ShowModal();
  const Answer& a = answer.Join();
  EXPECT_TRUE(a.found && a.acted) << a.failure;
  EXPECT_EQ(r, mrCancel);
  EXPECT_EQ(boxText, "フォルダを指定してください");
  EXPECT_EQ(boxCaption, "モリモVer.２の更新プログラム");
  delete dlg;
  RemoveExceptionHook();
}

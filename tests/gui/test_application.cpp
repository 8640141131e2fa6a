// The application object: run step, teardown, timers and the screen.
#include "tests/gui/GuiFixture.h"

TEST_F(GuiForm, RunShowsTheMainFormCallsTheStartHookOnceAndEndsWhenItClosesTheMainForm) {
  struct Probe {
    TCustomForm* form = nullptr;
    int calls = 0;
    bool visible = false;
    void Shown() {
      ++calls;
      visible = IsWindowVisible(form->Handle()) != 0;
      form->Close();
    }
  } probe;
  TFormDesc d;
  d.Caption = "セットアップ";
  d.ClientWidth = 300;
  d.ClientHeight = 200;
  d.WindowState = TWindowState::Maximized;
  probe.form = Application->CreateForm<TForm>(d);
  auto* second = Application->CreateForm<TForm>(d);
  EXPECT_EQ(Application->MainForm(), probe.form);
  OnMainFormShown = TMethod<void()>::Bind<&Probe::Shown>(&probe);
  Application->Run();
  OnMainFormShown = {};
  EXPECT_EQ(probe.calls, 1);
  EXPECT_TRUE(probe.visible);
  EXPECT_TRUE(IsZoomed(probe.form->Handle()));
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(second->Visible());
}

TEST_F(GuiForm, TeardownDestroysTheFormsAndTheApplicationWindow) {
  struct Watch : TComponent {
    int freed = 0;
    void Notification(TComponent* c, TOperation op) override {
      TComponent::Notification(c, op);
      if (op == TOperation::Remove) ++freed;
    }
  } watch;
  TForm* main = ShowMainForm();
  main->FreeNotification(&watch);
  HWND mainWnd = main->Handle(), appWnd = Application->Handle();
  Application->Teardown();
  EXPECT_EQ(watch.freed, 1);
  EXPECT_FALSE(IsWindow(mainWnd));
  EXPECT_FALSE(IsWindow(appWnd));
  EXPECT_FALSE(Application->ShowHint());
}

TEST_F(GuiForm, TimerTicksFromTheLoopAndItsExceptionsGoToTheApplication) {
  int ticks = 0, shown = 0;
  Application->OnException = [&](TComponent*, const Exception&) { ++shown; };
  TTimer timer(nullptr);
  timer.SetInterval(20);
  timer.SetOnTimer([&](TComponent*) {
    if (++ticks == 2) throw ELuError("タイマー");
  });
  DWORD start = GetTickCount();
  while (ticks < 3 && GetTickCount() - start < 10000) Application->HandleMessage();
  timer.SetEnabled(false);
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(shown, 1);
}

TEST_F(GuiForm, ScreenCursorAndWorkArea) {
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  Screen->SetCursor(crDefault);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  RECT work = Screen->WorkAreaRect();
  EXPECT_GT(work.right - work.left, 0);
  EXPECT_LE(work.right - work.left, Screen->Width());
}

TEST_F(GuiForm, MinimisingTheMainFormMinimisesTheApplicationWindow) {
  TForm* main = ShowMainForm();
  SendMessageA(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(Application->Handle()));
  EXPECT_FALSE(IsIconic(main->Handle()));
  SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(Application->Handle()));
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
}

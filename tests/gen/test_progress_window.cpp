// The progress window behind the progress hooks: its layout and scale, showing over the main
// window and placing, the delayed show on a tick count of the test's own, cancel and close,
// captions across ranges, the taskbar calls, the debug check after hiding, and screenshots.
#include <algorithm>
#include <cstdio>

#include "controls/ProgressBar.h"
#include "gen/ProgressWindow.h"
#include "gen/WorkFormStack.h"
#include "gen0/GenHooks.h"
#include "gen0/GenOptions.h"
#include "gui/Button.h"
#include "gui/Screen.h"
#include "tests/gen/LayerFixture.h"
#include "tests/gen/TaskbarRecorder.h"

namespace {
std::uint32_t g_tick = 0;
DWORD WINAPI TestTick() { return g_tick; }

class Doing : public WorkLayer {
 protected:
  void SetUp() override {
    WorkLayer::SetUp();
    DoingTickCount = &TestTick;
    CreateDoingWindow();
    doing = frmGenDoing;
  }
  void TearDown() override {
    DoingTickCount = GetTickCount;
    DoingWindowScale = 100;
    DebugMode = false;
    LibraryOptions = TLibraryOptions();
    WorkLayer::TearDown();
  }
  // The updater's main window: the application's main form, current while nothing covers it.
  TfrmGenWorkForm* ShowMain(int left = 100, int top = 100, bool maximised = false) {
    TFormDesc d;
    d.Caption = "モリモVer.２の更新プログラム";
    d.ClientWidth = 1000;
    d.ClientHeight = 400;
    d.Left = left;
    d.Top = top;
    d.BorderStyle = TBorderStyle::Single;
    d.BorderIcons = biMaximize;
    d.Color = clNavy;
    if (maximised) d.WindowState = TWindowState::Maximized;
    auto* main = Application->CreateForm<TfrmGenWorkForm>(d);
    main->Show();
    EXPECT_TRUE(PumpUntilIdle());
    return main;
  }
  void Recreate(int scale) {
    delete frmGenDoing;
    DoingWindowScale = scale;
    CreateDoingWindow();
    doing = frmGenDoing;
  }
  TfrmGenDoing* doing = nullptr;
};

// Asked on a click of "中止".
struct Asker {
  enum Answer { Yes, No, Raises, NotAsked } answer = Yes;
  int asked = 0;
  bool Ask() {
    ++asked;
    if (answer == Raises) throw ELuError("確認できません");
    return answer == Yes;
  }
};
}  // namespace

TEST_F(Doing, LayoutScaleAndTheHooksWhileTheWindowLives) {
  auto bounds = [](TWinControl* c) {
    return std::to_string(c->Left()) + "," + std::to_string(c->Top()) + " " +
           std::to_string(c->Width()) + "x" + std::to_string(c->Height());
  };
  struct Row {
    int scale;
    bool uiGothic;
    std::string client, button, bar;
    int fontHeight;
    const char* face;
  } rows[] = {
      {100, false, "0,0 604x38", "528,6 69x25", "6,6 517x25", -12, "ＭＳ Ｐゴシック"},
      {134, false, "0,0 809x51", "708,8 92x34", "8,8 693x34", -16, "ＭＳ Ｐゴシック"},
      {134, true, "0,0 809x51", "708,8 92x34", "8,8 693x34", -16, "MS UI Gothic"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.scale);
    delete frmGenDoing;
    EXPECT_EQ(frmGenDoing, nullptr);
    EXPECT_EQ(DoingBegin.Self, GenFunc0Instance);  // the library's defaults are back
    LibraryOptions.UiGothicFace = r.uiGothic;
    Recreate(r.scale);
    CreateDoingWindow();  // a second call does nothing
    ASSERT_EQ(frmGenDoing, doing);
    EXPECT_EQ(DoingCheckCancel.Self, doing);
    EXPECT_TRUE(doing->DelayedShow);
    EXPECT_EQ(doing->Text(), "処理中です");
    const LONG style = GetWindowLongW(doing->Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_CAPTION);
    const RECT c = doing->ClientRect();
    EXPECT_EQ("0,0 " + std::to_string(c.right) + "x" + std::to_string(c.bottom), r.client);
    EXPECT_EQ(bounds(doing->Button1), r.button);
    EXPECT_EQ(bounds(doing->LuProgressBar1), r.bar);
    EXPECT_EQ(doing->Button1->Caption(), "中止");
    EXPECT_EQ(doing->Button1->TabOrder(), 0);
    EXPECT_EQ(doing->Font.Height(), r.fontHeight);
    EXPECT_EQ(doing->LuProgressBar1->Font.Name(), r.face);
  }
}

// Not delayed, the window shows at once, centred on the main window and kept inside the work
// area, and disables the main window; the end hides it, gives its handle back and enables the
// main window again.
TEST_F(Doing, ShowsOverTheMainWindowAndTheEndEnablesItAgain) {
  TfrmGenWorkForm* main = ShowMain();
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  struct Row {
    const char* name;
    int mainLeft, mainTop;
    bool clamped;
  } rows[] = {{"centred", 100, 100, false}, {"kept inside the work area", 900, 850, true}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    main->SetBounds(r.mainLeft, r.mainTop, main->Width(), main->Height());
    SetDoingDelayed(false);
    Asker asker;
    DoingBegin();
    DoingOnCancelQuery = TDoingQuery::Bind<&Asker::Ask>(&asker);
    EXPECT_TRUE(IsWindowVisible(doing->Handle()));
    EXPECT_FALSE(main->Enabled());
    EXPECT_EQ(CurrentWorkForm(), doing);
    RECT m;
    GetWindowRect(main->Handle(), &m);
    const int w = doing->Width(), h = doing->Height();
    int left = (m.left + m.right - w) / 2, top = (m.top + m.bottom - h) / 2;
    left = std::max<int>(work.left, std::min<int>(left, work.right - w));
    top = std::max<int>(work.top, std::min<int>(top, work.bottom - h));
    EXPECT_EQ(doing->Left(), left);
    EXPECT_EQ(doing->Top(), top);
    EXPECT_EQ(doing->Left() + w == work.right, r.clamped);
    DoingEnd();
    EXPECT_FALSE(doing->HandleAllocated());
    EXPECT_TRUE(main->Enabled());
    EXPECT_EQ(CurrentWorkForm(), main);
    EXPECT_FALSE(DoingBusy || DoingOnCancelQuery);
  }
}

// Delayed, a job shows the window on the first hook with a delayed-show check after more than
// 2000 ms; the range hooks never show it.
TEST_F(Doing, TheDelayedShowComesAfterMoreThan2000Ms) {
  auto check = [] { DoingCheckCancel(); };
  auto ranges = [] { DoingPushRange(), DoingPopRange(); };
  struct Row {
    const char* name;
    std::uint32_t start, after;
    std::function<void()> hook;
    bool shown;
  } rows[] = {
      {"check at exactly 2000 ms", 1000, 2000, check, false},
      {"check at 2001 ms", 1000, 2001, check, true},
      {"text at 2001 ms", 1000, 2001, [] { DoingSetText(); }, true},
      {"ranges only, a minute on", 1000, 60000, ranges, false},
      {"across the wrap of the tick count", 0xFFFFFF00u, 2001, check, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    g_tick = r.start;
    DoingBegin();
    EXPECT_FALSE(doing->Visible());
    g_tick = r.start + r.after;
    r.hook();
    EXPECT_EQ(doing->Visible(), r.shown);
    EXPECT_EQ(doing->ShowPending, !r.shown);
    DoingEnd();
  }

  // A job that checks every 100 ms: the window comes at the check after 2000 ms.
  g_tick = 0;
  DoingBegin();
  EXPECT_EQ(Screen->Cursor(), crHourGlass);  // at once, until the message loop runs
  std::uint32_t shownAt = 0;
  for (g_tick = 100; g_tick <= 3000 && !shownAt; g_tick += 100) {
    DoingCheckCancel();
    if (doing->Visible()) shownAt = g_tick;
  }
  EXPECT_EQ(shownAt, 2100u);
  EXPECT_TRUE(PumpUntil([] { return Screen->Cursor() == crDefault; }));
  DoingEnd();
}

// "中止" records a cancel, unless the job's question refuses or raises (then shown); a close
// request never closes the window and counts as a cancel, unasked, only while "中止" is enabled.
TEST_F(Doing, CancelAndCloseRequests) {
  ShowMain();
  enum How { Press, ClickDisabled, CloseRequest };
  struct Row {
    const char* name;
    bool enabled;
    How how;
    Asker::Answer answer;
    bool cancelled;
    int asked;
    std::vector<std::string> shown;
  } rows[] = {
      {"press", true, Press, Asker::NotAsked, true, 0, {}},
      {"press, accepted", true, Press, Asker::Yes, true, 1, {}},
      {"press, refused", true, Press, Asker::No, false, 1, {}},
      {"press, the question raises", true, Press, Asker::Raises, false, 1, {"確認できません"}},
      {"click while disabled", false, ClickDisabled, Asker::Yes, false, 0, {}},
      {"close while disabled", false, CloseRequest, Asker::Yes, false, 0, {}},
      {"close while enabled: not asked", true, CloseRequest, Asker::No, true, 0, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    SetDoingDelayed(false);
    DoingBegin();
    EXPECT_FALSE(doing->Button1->Enabled());  // until the job allows cancelling
    Asker asker{r.answer};
    if (r.answer != Asker::NotAsked) DoingOnCancelQuery = TDoingQuery::Bind<&Asker::Ask>(&asker);
    DoingCancelEnabled = r.enabled;
    DoingEnableCancel();
    EXPECT_EQ(doing->Button1->Enabled(), r.enabled);
    ExceptionRecorder shown;
    if (r.how == Press) {
      EXPECT_TRUE(PressButton(doing->Handle(), "中止"));
    }
    if (r.how == ClickDisabled) doing->Button1->Click();
    if (r.how == CloseRequest) PostMessageW(doing->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(DoingCheckCancel(), r.cancelled);  // the job's poll lets the click in
    EXPECT_EQ(DoingCancelled, r.cancelled);
    EXPECT_EQ(asker.asked, r.asked);
    EXPECT_EQ(shown.messages, r.shown);
    EXPECT_TRUE(doing->Visible());
    DoingEnd();
  }

  // Disabling "中止" forgets a recorded cancel.
  DoingBegin();
  DoingCancelEnabled = true;
  DoingEnableCancel();
  PostMessageW(doing->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(DoingCheckCancel());
  DoingCancelEnabled = false;
  DoingEnableCancel();
  EXPECT_FALSE(doing->CancelRequested);
  EXPECT_FALSE(DoingCheckCancel());
  DoingEnd();
}

TEST_F(Doing, CaptionsSurviveRangesAndNoRunShowsTheTextsOfTheOneBefore) {
  TLuProgressBar* bar = doing->LuProgressBar1;
  SetDoingDelayed(false);
  DoingBegin();
  DoingTitle = "インストール中です";
  DoingSetTitle();
  EXPECT_EQ(ReadWindow(doing->Handle()).caption, "インストール中です");
  DoingText = "morimo.exe";
  DoingSetText();
  DoingStep = 3;
  DoingPushRange();
  EXPECT_EQ(DoingStep, 1);
  EXPECT_EQ(bar->Caption(), "morimo.exe");
  DoingText = "内側";
  DoingSetText();
  DoingPopRange();
  EXPECT_EQ(bar->Caption(), "morimo.exe");
  EXPECT_EQ(DoingStep, 3);
  DoingPushRange();
  DoingEnd();

  SetDoingDelayed(true);
  DoingBegin();
  EXPECT_EQ(doing->Text(), "");
  EXPECT_EQ(bar->Caption(), "");
  EXPECT_EQ(bar->RangeDepth(), 0);
  DoingEnd();
}

// The taskbar hears nothing before its button exists, then the state and the value; values
// only when they change; no progress after the end; every start a new list.
TEST_F(Doing, TheTaskbarMirrorsTheBar) {
  TaskbarRecorder taskbar;
  LibraryOptions.TaskbarProgress = true;
  TfrmGenWorkForm* main = ShowMain();
  SetDoingDelayed(false);
  using Calls = std::vector<std::string>;
  DoingBegin();
  EXPECT_EQ(taskbar.Take(), Calls{"create"});
  taskbar.ButtonCreated();
  EXPECT_EQ(taskbar.Take(), (Calls{"state 2", "value 0/200"}));
  DoingMin = 0;
  DoingMax = 10;
  DoingPushRange();
  EXPECT_EQ(taskbar.Take(), Calls{});
  DoingPosition = 5;
  DoingSetPosition();
  DoingSetPosition();
  EXPECT_EQ(taskbar.Take(), Calls{"value 100/200"});
  DoingPopRange();
  EXPECT_EQ(taskbar.Take(), Calls{"value 200/200"});
  DoingEnd();
  EXPECT_EQ(taskbar.Take(), Calls{"state 0"});
  EXPECT_TRUE(main->Enabled());
  DoingBegin();
  EXPECT_EQ(taskbar.Take(), (Calls{"create", "state 2", "value 0/200"}));
  DoingEnd();
  EXPECT_EQ(taskbar.Take(), Calls{"state 0"});
}

// Wine's own taskbar list: whether it comes or not, a job runs through with it.
TEST_F(Doing, TheSystemTaskbarListDoesNoHarm) {
  const std::uint32_t version = WindowsVersion;
  WindowsVersion = 0x0601;
  const bool created = CreateSystemTaskbarList() != nullptr;
  std::printf("system taskbar list: %s\n", created ? "created" : "refused");
  LibraryOptions.TaskbarProgress = true;
  TfrmGenWorkForm* main = ShowMain();
  SendMessageW(Application->Handle(), TaskbarButtonCreatedMessage(), 0, 0);
  SetDoingDelayed(false);
  DoingBegin();
  DoingPushRange();
  DoingPosition = 1;
  DoingSetPosition();
  DoingPopRange();
  DoingEnd();
  EXPECT_TRUE(main->Enabled());
  WindowsVersion = version;
}

// In debug mode a window that the end could not hide is reported, and the job goes on.
TEST_F(Doing, DebugModeReportsAWindowStillShownAfterTheEnd) {
  DebugMode = true;
  SetDoingDelayed(false);
  DoingBegin();
  DoingEnd();
  EXPECT_EQ(ErrorDocument->NoticeCount, 0);
  SetDoingDelayed(true);
  DoingBegin();
  ShowWindow(doing->Handle(), SW_SHOWNOACTIVATE);  // shown behind the window's back
  DoingEnd();
  ASSERT_EQ(ErrorDocument->NoticeCount, 1);
  EXPECT_EQ(ErrorDocument->Notices[0].Text, "GenDoing 非表示になっていない");
}

// The updater's run at scale 134, photographed at 0 %, half and full.
TEST_F(Doing, ScreenshotsAtScale134OverTheDisabledMainWindow) {
  Recreate(134);
  Application->SetTitle("モリモVer.２の更新プログラム");
  TfrmGenWorkForm* main = ShowMain(0, 0, true);
  SetDoingDelayed(false);
  DoingBegin();
  DoingTitle = "インストール中です";
  DoingSetTitle();
  DoingMin = 0;
  DoingMax = 10;
  DoingPushRange();
  DoingText = "morimo.exe";
  DoingSetText();
  // The bar of 693 pixels fills from x 3 to 691.
  struct Shot {
    const char* name;
    std::function<void()> act;
    int barEnd;
  } shots[] = {
      {"progress_window_0", [] {}, 3},
      {"progress_window_half", [] { DoingPosition = 5, DoingSetPosition(); }, 347},
      {"progress_window_full", [] { DoingPopRange(); }, 691},
  };
  for (const Shot& s : shots) {
    SCOPED_TRACE(s.name);
    s.act();
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_FALSE(IsWindowEnabled(main->Handle()));
    EXPECT_EQ(ReadWindow(doing->Handle()).caption, "インストール中です");
    EXPECT_EQ(doing->LuProgressBar1->BarEnd(), s.barEnd);
    EXPECT_FALSE(SaveScreenshot(s.name).empty());
  }
  DoingEnd();
  EXPECT_TRUE(main->Enabled());
}

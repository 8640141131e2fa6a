// Objects freed by what they called: a form freed during its own modal loop, a form released
// while its handler still runs a nested loop, a timer freed by its own event.
#include "tests/gui/GuiFixture.h"

TEST_F(GuiForm, AFormFreedDuringItsModalLoopEndsTheLoop) {
  TForm* main = ShowMainForm();
  auto* dlg = NewForm<TfrmSample>(main);
  TFreeWatch watch(dlg);
  auto* timer = New<TTimer>(nullptr);
  timer->SetInterval(50);
  timer->SetOnTimer([&](TComponent*) {
    timer->SetEnabled(false);
    delete dlg;
  });
  TModalResult r = dlg->ShowModal();
  delete timer;
  EXPECT_TRUE(watch.Freed());
  EXPECT_EQ(r, mrCancel);
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
}

// Release from a click handler that then shows a dialog: the nested loop handles the release
// message, but the form goes only once the handler has returned. The handler keeps its state
// outside its closure, which goes with the form.
namespace {
TFreeWatch* g_releasedWatch = nullptr;
bool g_aliveAfterNestedLoop = false;
TForm* g_main = nullptr;
}  // namespace

TEST_F(GuiForm, ReleaseWaitsForTheHandlerOnTheStack) {
  g_main = ShowMainForm();
  auto* f = NewForm<TfrmSample>(g_main);
  TFreeWatch watch(f);
  g_releasedWatch = &watch;
  f->ButtonRaise->OnClick = [](TComponent* sender) {
    static_cast<TWinControl*>(sender)->ParentForm()->Release();
    auto* nested = NewForm<TfrmSample>(g_main);
    nested->SetText("入れ子");
    Answerer answer(Matching({"", "入れ子"}), PressCaption("更新の開始"));
    nested->ShowModal();
    answer.Join();
    delete nested;
    g_aliveAfterNestedLoop = !g_releasedWatch->Freed();
  };
  f->Show();
  ASSERT_TRUE(PumpUntilIdle());
  HWND button = f->ButtonRaise->Handle();
  PostMessageA(f->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  EXPECT_TRUE(PumpUntil([&] { return watch.Freed(); }));
  EXPECT_TRUE(g_aliveAfterNestedLoop);
}

// The event that runs is a copy: freeing the timer inside it frees the timer's own event, not
// the closure that is running. Nothing the closure holds is read after the delete.
namespace {
const void* g_destroyed = nullptr;
const void* g_running = nullptr;
int g_ticks = 0;
struct Witness {
  ~Witness() { g_destroyed = this; }
};
}  // namespace

TEST_F(GuiForm, ATimerFreedByItsOwnEvent) {
  bool ranOnAFreedClosure = true;
  auto* timer = New<TTimer>(nullptr);
  timer->SetInterval(20);
  timer->SetOnTimer([w = std::make_shared<Witness>(), &ranOnAFreedClosure](TComponent* sender) {
    bool* result = &ranOnAFreedClosure;
    ++g_ticks;
    g_running = w.get();
    delete sender;
    // Had the running closure been the timer's own, its witness would be gone now.
    *result = g_destroyed == g_running;
  });
  EXPECT_TRUE(PumpUntil([&] { return g_ticks > 0; }));
  EXPECT_EQ(g_ticks, 1);
  EXPECT_FALSE(ranOnAFreedClosure);
}

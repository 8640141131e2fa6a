// Deferred calls on the hidden window "TWinEvents_Srv", and the message flush.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "gen0/GenBase.h"
#include "gui/Application.h"
#include "gui/Form.h"
#include "gui/MessageFlush.h"
#include "services/PostCall.h"

namespace {
std::vector<std::string> g_log;

struct Named {
  std::string name;
};

void Note(Named* n) { g_log.push_back(n->name); }
void NoteComponent(TComponent* c) { g_log.push_back(c->Name()); }

std::vector<std::string> g_reported;
void RecordReport(const Exception& e) { g_reported.push_back(e.Message); }

class PostCallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeferredCallMessage = RegisterWindowMessageA("Lumen.GenFunc0.DeferredCall");
    GuiStartup();
    PostCallStartup();
    g_log.clear();
    g_reported.clear();
  }
  void TearDown() override {
    PostCallShutdown();
    GuiShutdown();
  }
  static HWND ServiceWindow() { return FindWindowA("TWinEvents_Srv", "TWinEvents_Srv"); }
};

// Counts the messages it is sent; a handler may post one more while the flush runs.
class CountingForm : public TForm {
 public:
  CountingForm() : TForm(nullptr, TFormDesc{}) {}
  int seen = 0;
  bool postAgain = false;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override {
    if (msg != WM_APP + 1) return TForm::WndProc(msg, w, l);
    ++seen;
    if (postAgain) {
      postAgain = false;
      PostMessageA(Handle(), WM_APP + 1, 0, 0);
    }
    return 0;
  }
};
}  // namespace

TEST_F(PostCallTest, TheHiddenWindowComesWithTheFirstCall) {
  EXPECT_EQ(ServiceWindow(), nullptr);
  TComponent owner;
  PostCall(&owner, NoteComponent, &owner);
  HWND w = ServiceWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(IsWindowVisible(w));
  char cls[32] = {};
  GetClassNameA(w, cls, sizeof cls);
  EXPECT_STREQ(cls, "TWinEvents_Srv");
  Application->ProcessMessages();
}

TEST_F(PostCallTest, TheSameCallTwiceRunsOnce) {
  TComponent a, b;
  a.SetName("a");
  b.SetName("b");
  PostCall(nullptr, NoteComponent, &a);  // a component argument is its own owner
  PostCall(&a, NoteComponent, &a);
  PostCall(nullptr, NoteComponent, &b);
  Named n{"n"};
  PostCall(&a, Note, &n);
  PostCall(&b, Note, &n);  // another owner: another call
  EXPECT_EQ(PendingCallCount(), 4);
  Application->ProcessMessages();
  EXPECT_EQ(g_log, (std::vector<std::string>{"a", "b", "n", "n"}));
  EXPECT_EQ(PendingCallCount(), 0);
}

TEST_F(PostCallTest, ACallWhoseOwnerIsFreedFirstNeverRuns) {
  auto* owner = new TComponent();
  TComponent keeper;
  Named gone{"gone"}, kept{"kept"};
  PostCall(owner, Note, &gone);
  PostCall(&keeper, Note, &kept);
  delete owner;
  Application->ProcessMessages();
  EXPECT_EQ(g_log, (std::vector<std::string>{"kept"}));

  // An owner whose destruction has begun takes no new calls.
  TComponent parent;
  auto* child = new TComponent(&parent);
  parent.MarkDestroying();
  PostCall(child, Note, &gone);
  EXPECT_EQ(PendingCallCount(), 0);
}

namespace {
TComponent* g_owner;
Named g_first{"first"}, g_second{"second"}, g_third{"third"};
void First(Named* n) {
  g_log.push_back(n->name);
  PostCall(g_owner, Note, &g_second);
}
}  // namespace

TEST_F(PostCallTest, ACallPostedFromACallRunsInTheSameDispatchAfterTheWalk) {
  TComponent owner;
  g_owner = &owner;
  PostCall(&owner, First, &g_first);
  PostCall(&owner, Note, &g_third);
  // Exactly one deferred-call message handled by hand.
  MSG m;
  ASSERT_TRUE(
      PeekMessageA(&m, ServiceWindow(), DeferredCallMessage, DeferredCallMessage, PM_REMOVE));
  DispatchMessageA(&m);
  EXPECT_EQ(g_log, (std::vector<std::string>{"first", "third", "second"}));
  EXPECT_EQ(PendingCallCount(), 0);
  Application->ProcessMessages();
}

TEST_F(PostCallTest, FlushMessagesHandlesWhatWasPostedBeforeIt) {
  CountingForm form;
  HWND w = form.Handle();
  for (int i = 0; i < 3; ++i) PostMessageA(w, WM_APP + 1, 0, 0);
  form.postAgain = true;  // and what those messages post in turn
  TComponent owner;
  Named n{"n"};
  PostCall(&owner, Note, &n);
  ASSERT_NE(FlushMessages, nullptr);
  FlushMessages();
  EXPECT_EQ(form.seen, 4);
  EXPECT_EQ(g_log, (std::vector<std::string>{"n"}));
  EXPECT_FALSE(Flushing);
  MSG m;
  EXPECT_FALSE(PeekMessageA(&m, w, WM_APP + 1, WM_APP + 1, PM_NOREMOVE));
  // A flush from outside the hidden window leaves a deferred-call message behind it.
  EXPECT_TRUE(
      PeekMessageA(&m, ServiceWindow(), DeferredCallMessage, DeferredCallMessage, PM_NOREMOVE));
  Application->ProcessMessages();
}

TEST_F(PostCallTest, RefusedAndFailingCalls) {
  Named n{"n"};
  try {
    PostCall(nullptr, Note, &n);
    ADD_FAILURE() << "no owner for a plain argument";
  } catch (const ELuInternal& e) {
    EXPECT_NE(e.Message.find("TComponent でないクラスのイベントを登録するには Owner が必要です"),
              std::string::npos);
  }
  PostCallUntyped(nullptr, reinterpret_cast<TPostCallProc>(0xFFFF), nullptr, false);
  EXPECT_EQ(PendingCallCount(), 0);

  // A call that raises is reported; the others still run.
  TReportException saved = ReportException;
  ReportException = RecordReport;
  TComponent owner;
  Named after{"after"};
  PostCall(
      &owner, +[](Named*) { throw ELuError("後で失敗"); }, &n);
  PostCall(&owner, Note, &after);
  Application->ProcessMessages();
  ReportException = saved;
  EXPECT_EQ(g_reported, (std::vector<std::string>{"後で失敗"}));
  EXPECT_EQ(g_log, (std::vector<std::string>{"after"}));
}

static BOOL WINAPI FailOnce(HWND, UINT, WPARAM, LPARAM) {
  PostCallPoster = PostMessageA;
  return FALSE;
}

// After a post that failed, in the chained flush or in PostCall itself, the call posted again
// still runs: the failed post is not taken for a message on its way.
TEST_F(PostCallTest, AFailedPostStallsNoLaterCall) {
  TComponent owner;
  Named n{"n"};
  PostCall(&owner, Note, &n);
  for (bool inFlush : {true, false}) {
    PostCallPoster = FailOnce;
    EXPECT_THROW(inFlush ? FlushMessages() : PostCall(&owner, Note, &n), ELastError);
    PostCall(&owner, Note, &n);
    Application->ProcessMessages();
  }
  EXPECT_EQ(g_log, (std::vector<std::string>{"n", "n", "n"}));
}

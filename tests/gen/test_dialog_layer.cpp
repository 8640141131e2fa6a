// The dialog layer in the product's own start-up: every module started in the program's order,
// then SetupDialogLayer once, as the main sequence does.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "app/Modules.h"
#include "gen/DialogLayer.h"
#include "gen/MessageDialog.h"
#include "gen/WorkForm.h"
#include "gen/WorkFormStack.h"
#include "gen0/GenLog.h"
#include "gen0/GenOptions.h"
#include "gui/Application.h"
#include "gui/Screen.h"
#include "services/RaiseFilter.h"
#include "tests/support/GuiTest.h"

using namespace guitest;

namespace {
std::string ReadLog() {
  std::ifstream f(ErrorLogPath(), std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// The handlers installed before the layer's; they must run first.
struct Before {
  int created = 0;
  std::vector<std::string> logAtResult;
  void Created(TLuMessageForm*) { ++created; }
} s_before;
void ResultBefore(const std::string&, int) { s_before.logAtResult.push_back(ReadLog()); }

class ProductStartup : public ::testing::Environment {
 public:
  void SetUp() override {
    run.Start();
    Application->SetTitle("モリモVer.２の更新プログラム");
    OnDialogCreated = TDialogCreatedEvent::Bind<&Before::Created>(&s_before);
    OnDialogResult = ResultBefore;
    DebugMode = true;  // as under a debugger: the error log is turned on
    SetupDialogLayer();
    DebugMode = false;
  }
  void TearDown() override { run.Stop(); }
  ModuleRun run{ProgramModules, ProgramModuleCount};
};
const auto* const s_env = ::testing::AddGlobalTestEnvironment(new ProductStartup);

// Keeps a screenshot of the dialog once it has the focus and has painted itself.
bool Screenshot(HWND w, const char* name) {
  return PollUntil([w] { return IsChild(w, FocusOf(w)); }, DefaultTimeout) &&
         RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN) &&
         !SaveScreenshot(name).empty();
}

// Shows text as kind with buttons; the helper thread notes where, keeps a screenshot if named,
// and acts.
int Show(const std::string& text, DialogKind kind, TDialogButtons buttons, const char* caption,
         const char* shot, const Action& act, RECT* at = nullptr) {
  Answerer a(Matching({"", caption}), [&](HWND w) {
    if (at) GetWindowRect(w, at);
    bool acted = (!shot || Screenshot(w, shot)) && act(w);
    // Left open, the dialog is closed with Cancel: the test fails instead of waiting for ever.
    if (!PollUntil([w] { return !IsWindowVisible(w); }, DefaultTimeout))
      PostMessageA(w, WM_CLOSE, 0, 0);
    return acted;
  });
  int r = MessageDialog(text, kind, buttons, 0, 0);
  EXPECT_TRUE(a.Join().acted) << a.Join().failure;
  return r;
}
}  // namespace

TEST(DialogLayer, StandardSettingsFilterAndErrorLog) {
  EXPECT_EQ(DialogScaleNum, 4);
  EXPECT_EQ(DialogScaleDen, 3);
  EXPECT_TRUE(LibraryOptions.InHouseContextMenus && LibraryOptions.EditFirstClick &&
              LibraryOptions.TaskbarProgress && LibraryOptions.WorkFormEditNoCapacity &&
              LibraryOptions.WorkFormEditCentred);
  EXPECT_FALSE(LibraryOptions.UiGothicFace);
  EXPECT_EQ(InstalledRaiseFilter, &RaiseFilter);
  EXPECT_EQ(RaiseFilterThread(), GetCurrentThreadId());
  EXPECT_TRUE(ErrorLogEnabled);
  EXPECT_NE(GenFunc1Instance, nullptr);
}

// The update's two closing messages, each answered with Enter on the focused OK, and a result
// without a name; each entry is written after the handler that was there before has run.
TEST(DialogLayer, ResultsGoToTheErrorLogByteExact) {
  CloseErrorLogCache();
  DeleteFileA(ErrorLogPath().c_str());
  s_before = {};
  RECT at = {};
  EXPECT_EQ(Show("更新処理を完了しました。", DialogKind::Information, ButtonSet({mbOK}), "情報",
                 "dialog_information", PostKeyToFocus(VK_RETURN), &at),
            mrOk);
  EXPECT_EQ(Show("更新処理に失敗しました", DialogKind::Error, ButtonSet({mbOK}), "ｴﾗｰ",
                 "dialog_error", PostKeyToFocus(VK_RETURN)),
            mrOk);
  EXPECT_EQ(Show("すべて置き換えますか？", DialogKind::Confirmation, ButtonSet({mbAll, mbCancel}),
                 "確認", nullptr, PressCaption("すべて(A)")),
            mrAll);
  CloseErrorLogCache();
  const std::string entries[] = {"{\r\nLuDialog\r\n更新処理を完了しました。\r\nmrOk\r\n}\r\n",
                                 "{\r\nLuDialog\r\n更新処理に失敗しました\r\nmrOk\r\n}\r\n",
                                 "{\r\nLuDialog\r\nすべて置き換えますか？\r\nmr(8)\r\n}\r\n"};
  const std::string log = ReadLog();
  ASSERT_EQ(s_before.logAtResult.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NE(log.find(entries[i]), std::string::npos) << i;
    EXPECT_EQ(s_before.logAtResult[i].find(entries[i]), std::string::npos) << i;
  }
  EXPECT_EQ(s_before.created, 3);
  // No work form: the dialog stays centred on the screen.
  EXPECT_EQ(at.left, Screen->Width() / 2 - (at.right - at.left) / 2);
  EXPECT_EQ(at.top, Screen->Height() / 2 - (at.bottom - at.top) / 2);
}

// The current work form, shown partly off the screen: the dialog centres on it, unclamped.
TEST(DialogLayer, CentresOnTheCurrentWorkFormEvenPartlyOffTheScreen) {
  TFormDesc desc;
  desc.Caption = "作業中";
  desc.ClientWidth = 301;
  desc.ClientHeight = 200;
  desc.Left = -151;
  desc.Top = 40;
  auto* form = NewForm<TfrmGenWorkForm>(Application, desc);
  form->Show();
  ASSERT_EQ(CurrentWorkForm(), form);
  RECT r, at = {};
  GetWindowRect(form->Handle(), &r);
  EXPECT_EQ(Show("中央", DialogKind::Information, ButtonSet({mbOK}), "情報", nullptr,
                 PostKeyToFocus(VK_RETURN), &at),
            mrOk);
  EXPECT_EQ(at.left, (r.left + r.right - (at.right - at.left)) / 2);
  EXPECT_EQ(at.top, (r.top + r.bottom - (at.bottom - at.top)) / 2);
  EXPECT_LT(at.left, 0);
  delete form;
}

// Alt+F4 typed on the X server reaches the dialog's thread and is swallowed there: Alt+N then
// answers the dialog. Let through, Alt+F4 would close it with Cancel, and F4 would answer Yes.
TEST(DialogLayer, TypedAltF4ClosesNoDialog) {
  EXPECT_EQ(Show("更新を開始しますか？", DialogKind::Confirmation,
                 ButtonSet({mbYes, mbNo, mbCancel}), "確認", nullptr,
                 [](HWND w) {
                   return TypeOnX(w, "alt+F4") && Screenshot(w, "dialog_confirmation") &&
                          TypeOnX(w, "alt+n");
                 }),
            mrNo);
}

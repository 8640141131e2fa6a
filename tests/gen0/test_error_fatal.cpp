// Message boxes shown from a worker thread, and the ways a failure ends the process, each run
// in a child copy of this executable: the parent answers any box the child shows and reads the
// child's exit code. (A parent that showed the box itself would need a third thread to answer
// it, which qemu-user's Wine does not survive.)
#include <gtest/gtest.h>
#include <windows.h>

#include "gen0/GenError.h"
#include "gen0/GenFatal.h"
#include "gen0/GenModules.h"
#include "gen0/GenTrack.h"
#include "tests/support/ChildProcess.h"

using namespace guitest;

namespace {
void FailingStartup() { throw ELuError("起動できません", "設定 - 時代表"); }
class Probe : public TCComponent {};
const char InvalidRelease[] = "無効なクラスオブジェクトの解放です。ポインタ : 0x";
std::string s_reported;
}  // namespace

// Without a text there is nothing to show; the process must still not look successful.
TEST(ErrorFatal, FatalExitWithoutTextEndsWithFailure) {
  if (IsChild("exit")) FatalExit("");
  Child child;
  ASSERT_TRUE(StartChild("ErrorFatal.FatalExitWithoutTextEndsWithFailure", "exit", child));
  DWORD code = 0;
  EXPECT_EQ(AnswerUntilExit(child, code), "");
  EXPECT_EQ(code, 1u);
}

TEST(ErrorFatal, ModuleStartupFailureEndsWithItsMessage) {
  if (IsChild("module")) {
    const ModuleEntry modules[] = {{"GenFailing", FailingStartup, nullptr}};
    ModuleRun run(modules, 1);
    run.Start();
    ExitProcess(0);  // reached only when the failure went unnoticed
  }
  Child child;
  ASSERT_TRUE(StartChild("ErrorFatal.ModuleStartupFailureEndsWithItsMessage", "module", child));
  DWORD code = 0;
  EXPECT_EQ(AnswerUntilExit(child, code), "起動できません\r\n\r\n設定 - 時代表");
  EXPECT_NE(code, 0u);
  EXPECT_NE(code, DWORD(STILL_ACTIVE));
}

TEST(ErrorFatal, ThreadMessageBoxReturnsTheAnswer) {
  if (IsChild("box"))
    ExitProcess(DWORD(ThreadMessageBox("更新処理を完了しました。", "テスト箱", MB_YESNO)));
  Child child;
  ASSERT_TRUE(StartChild("ErrorFatal.ThreadMessageBoxReturnsTheAnswer", "box", child));
  DWORD code = 0;
  EXPECT_EQ(AnswerUntilExit(child, code, IDNO), "更新処理を完了しました。");
  EXPECT_EQ(code, DWORD(IDNO));
}

// Yes asks for another try of the same close; anything else ends the process at once.
TEST(ErrorFatal, FatalClosePromptYesRetriesNoEndsWithFailure) {
  if (IsChild("close")) ExitProcess(FatalClosePrompt(6, "C:\\morimo\\morimo.exe") ? 7 : 0);
  const std::string text =
      SystemErrorText(6) +
      "\r\n\r\nハンドルを閉じることができません - C:\\morimo\\morimo.exe\r\n\r\n"
      "再試行しますか？（しない場合は強制終了となります）";
  for (int button : {IDYES, IDNO}) {
    Child child;
    ASSERT_TRUE(
        StartChild("ErrorFatal.FatalClosePromptYesRetriesNoEndsWithFailure", "close", child));
    DWORD code = 0;
    EXPECT_EQ(AnswerUntilExit(child, code, button), text);
    EXPECT_EQ(code, button == IDYES ? 7u : 1u);
  }
}

// Retry at the invalid-release prompt raises with the object's slot and the live count given
// back already, so that the shut-down report never meets the freed object.
TEST(ErrorFatal, InvalidReleaseRetryRaisesWithTheSlotGivenBack) {
  if (IsChild("release")) {
    CreateObjectRegistry();
    ReportException = [](const Exception& e) { s_reported = e.Message; };
    {
      Probe p;
      p.Signature = ~ProcessSignature;
    }
    const bool released = g_TCObjectArray->Live == 0 && LiveObjectReport().empty();
    ExitProcess(released && s_reported.starts_with(InvalidRelease) ? 0 : 1);
  }
  Child child;
  ASSERT_TRUE(StartChild("ErrorFatal.InvalidReleaseRetryRaisesWithTheSlotGivenBack", "release",
                         child));
  DWORD code = 1;
  std::string text = AnswerUntilExit(child, code, IDRETRY);
  EXPECT_TRUE(text.starts_with(InvalidRelease) && text.ends_with("\r\n[再試行]で例外")) << text;
  EXPECT_EQ(code, 0u);
}

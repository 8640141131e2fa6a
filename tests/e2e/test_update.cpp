// The real updater, run as a user runs it and answered from outside: in every case the install
// folder ends with a working morimo.exe, the new one after a success and the old one after a
// failure or a cancel, and the messages the user saw are the system's own, byte-exact.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "expand/LzsFormat.h"
#include "tests/e2e/UpdaterDriver.h"
#include "tests/support/GuiTest.h"
#include "tools/lzsPack.h"

using namespace e2e;

namespace {
// Contents that any damage changes: no long runs of one byte, and no 0xFB, so that a file can
// also be stored as one long literal run.
std::string Noise(std::uint32_t seed, std::size_t n) {
  std::string s(n, '\0');
  for (char& c : s) {
    do c = char((seed = seed * 1103515245u + 12345u) >> 24);
    while (std::uint8_t(c) == LzsEscape);
  }
  return s;
}
const std::string Old = "MZ old " + Noise(1, 4000), New = "MZ new " + Noise(2, 9000);

std::string Label(const std::optional<std::string>& bytes) {
  if (!bytes) return "absent";
  if (*bytes == Old) return "old";
  if (*bytes == New) return "new";
  return "other (" + std::to_string(bytes->size()) + " bytes)";
}

const char Done[] = "更新処理を完了しました。";
const char Failed[] = "更新処理に失敗しました";
const char NoFolder[] = "フォルダを指定してください";
const char NotInstalled[] = "モリモVer.２インストール済みフォルダを指定してください";

enum class Lz { Good, Damaged, Truncated, Missing };
enum class Answer { Start, Cancel, Esc, CloseBox, BlankFirst, WrongFirst };

struct Scenario {
  const char* name;
  const char* install;  // folder name under the test's root; null: the default folder
  bool registry;        // ProgramDir names the install folder
  std::optional<std::string> exe, bak;
  bool bakReadOnly = false;
  Lz lz = Lz::Good;
  bool lockExe = false;
  Answer answer = Answer::Start;
  const char* result = nullptr;  // the final dialog's text, or none
  const char* notice = nullptr;  // what the notice window holds, or none
  std::optional<std::string> exeAfter;
};

std::string PackedNew(Lz lz) {
  std::string file = LzsPackFile(New, 0x01D9000000000000ull);
  if (lz == Lz::Damaged) file[file.size() / 2] ^= 0x5A;
  if (lz == Lz::Truncated) file.resize(file.size() - 200);
  return file;
}

class Update : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = FreshFolder("morimo_e2e_install");
    updater_ = FreshFolder("morimo_e2e_updater");
  }
  void TearDown() override {
    RemoveFolder(root_);
    RemoveFolder(updater_);
    RemoveFolder(DefaultInstall());
    SetProgramDir(std::nullopt);
  }
  static std::string DefaultInstall() { return "C:\\Program Files\\MORIMO\\"; }

  // Runs the updater on s from start to end and compares what the user saw and what is left.
  void Run(const Scenario& s) {
    SCOPED_TRACE(s.name);
    std::string folder = s.install ? root_ + s.install + "\\" : DefaultInstall();
    CreateDirectoryA(folder.c_str(), nullptr);
    if (s.exe) PutFile(folder + "morimo.exe", *s.exe);
    if (s.bak) PutFile(folder + "morimo.bak", *s.bak);
    if (s.bakReadOnly) SetFileAttributesA((folder + "morimo.bak").c_str(), FILE_ATTRIBUTE_READONLY);
    // Recorded without its backslash, as installers often do.
    SetProgramDir(s.registry ? std::optional<std::string>(folder.substr(0, folder.size() - 1))
                             : std::nullopt);
    PutUpdater(updater_, s.lz == Lz::Missing ? std::nullopt
                                              : std::optional<std::string>(PackedNew(s.lz)));
    HANDLE lock = s.lockExe ? CreateFileA((folder + "morimo.exe").c_str(), GENERIC_READ, 0,
                                          nullptr, OPEN_EXISTING, 0, nullptr)
                            : INVALID_HANDLE_VALUE;
    {
      Updater u(updater_);
      ASSERT_TRUE(u.Started());
      HWND dialog = u.Window("TfrmDoui", "セットアップ");
      ASSERT_TRUE(dialog);
      EXPECT_EQ(FolderText(dialog), folder.substr(0, folder.size() - 1));
      Answer_(u, dialog, s.answer, folder);
      if (s.result) {
        HWND box = u.Window("", s.result == Done ? "情報" : "ｴﾗｰ");
        ASSERT_TRUE(box);
        EXPECT_EQ(MessageText(box), s.result);
        HWND notice = s.notice ? u.Window("", "お知らせ") : nullptr;
        if (s.notice) {
          ASSERT_TRUE(notice);
          EXPECT_TRUE(guitest::PollUntil(
              [&] { return NoticeText(notice).find(s.notice) != std::string::npos; }, 10000))
              << NoticeText(notice);
        }
        EXPECT_TRUE(Press(box, "OK"));
        // The run ends only once the user has closed the notices.
        if (notice) {
          EXPECT_FALSE(u.Ended(300));
          EXPECT_TRUE(Press(notice, "OK"));
        }
      }
      DWORD code = 1;
      EXPECT_TRUE(u.Ended(30000, &code));
      EXPECT_EQ(code, 0u);
    }
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    EXPECT_EQ(Label(FileBytes(folder + "morimo.exe")), Label(s.exeAfter));
    EXPECT_EQ(Label(FileBytes(folder + "morimo.bak")), "absent");
  }

  // What the user does with the folder dialog.
  void Answer_(Updater& u, HWND dialog, Answer a, const std::string& folder) {
    auto refused = [&](const std::string& text, const char* why) {
      SetFolderText(dialog, text);
      ASSERT_TRUE(Press(dialog, "更新の開始"));
      HWND notice = u.Window("", "お知らせ");
      ASSERT_TRUE(notice);
      EXPECT_TRUE(guitest::PollUntil(
          [&] { return NoticeText(notice) == std::string("\r\n\r\n") + why; }, 10000))
          << NoticeText(notice);
      EXPECT_TRUE(IsWindowVisible(dialog));
      EXPECT_TRUE(Press(notice, "OK"));
      EXPECT_TRUE(guitest::PollUntil([&] { return !IsWindowVisible(notice); }, 10000));
      SetFolderText(dialog, folder.substr(0, folder.size() - 1));
    };
    switch (a) {
      case Answer::BlankFirst:
        refused("   ", NoFolder);
        break;
      case Answer::WrongFirst:
        // Not root_ itself: its subfolder MORIMO matches "morimo.*" as a file without
        // extension would.
        CreateDirectoryA((root_ + "other").c_str(), nullptr);
        refused(root_ + "other", NotInstalled);
        break;
      case Answer::Cancel:
        EXPECT_TRUE(Press(dialog, "中止"));
        return;
      case Answer::Esc:
        EXPECT_TRUE(guitest::PostKey(guitest::FocusOf(dialog), VK_ESCAPE));
        return;
      case Answer::CloseBox:
        EXPECT_TRUE(PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0));
        return;
      case Answer::Start:
        break;
    }
    EXPECT_TRUE(Press(dialog, "更新の開始"));
  }

  std::string root_, updater_;
};
}  // namespace

TEST_F(Update, EveryRunEndsWithAWorkingExecutable) {
  const Scenario scenarios[] = {
      {"success", "MORIMO", true, Old, {}, false, Lz::Good, false, Answer::Start, Done, nullptr,
       New},
      {"a Japanese install folder", "モリモ給与", true, Old, {}, false, Lz::Good, false,
       Answer::Start, Done, nullptr, New},
      {"no registry value: the default folder", nullptr, false, Old, {}, false, Lz::Good, false,
       Answer::Start, Done, nullptr, New},
      {"cancel", "MORIMO", true, Old, {}, false, Lz::Good, false, Answer::Cancel, nullptr,
       nullptr, Old},
      {"Esc", "MORIMO", true, Old, {}, false, Lz::Good, false, Answer::Esc, nullptr, nullptr, Old},
      {"close box", "MORIMO", true, Old, {}, false, Lz::Good, false, Answer::CloseBox, nullptr,
       nullptr, Old},
      {"a blank folder first", "MORIMO", true, Old, {}, false, Lz::Good, false,
       Answer::BlankFirst, Done, nullptr, New},
      {"a folder without morimo.* first", "MORIMO", true, Old, {}, false, Lz::Good, false,
       Answer::WrongFirst, Done, nullptr, New},
      {"missing morimo.exe.lz", "MORIMO", true, Old, {}, false, Lz::Missing, false, Answer::Start,
       Failed, "morimo.exe.lz", Old},
      {"damaged morimo.exe.lz", "MORIMO", true, Old, {}, false, Lz::Damaged, false,
       Answer::Start, Failed, "\r\n\r\n", Old},
      {"truncated morimo.exe.lz", "MORIMO", true, Old, {}, false, Lz::Truncated, false,
       Answer::Start, Failed, "\r\n\r\n", Old},
      {"a locked morimo.exe", "MORIMO", true, Old, {}, false, Lz::Good, true, Answer::Start,
       Failed, "morimo.exe", Old},
      {"a read-only stale morimo.bak", "MORIMO", true, Old, Old, true, Lz::Good, false,
       Answer::Start, Done, nullptr, New},
      {"only morimo.bak", "MORIMO", true, {}, Old, false, Lz::Good, false, Answer::Start, Done,
       nullptr, New},
      {"an interrupted earlier update", "MORIMO", true, "MZ partial", Old, false, Lz::Good, false,
       Answer::Start, Done, nullptr, New},
      {"an interrupted earlier update and a damaged file", "MORIMO", true, "MZ partial", Old,
       false, Lz::Damaged, false, Answer::Start, Failed, "\r\n\r\n", Old},
  };
  for (const Scenario& s : scenarios) {
    Run(s);
    TearDown();
    SetUp();
  }
}

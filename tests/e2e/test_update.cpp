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
// Larger than the small drive holds.
const std::string Big = "MZ big " + Noise(3, 3 << 20);

std::string Label(const std::optional<std::string>& bytes) {
  if (!bytes) return "absent";
  if (*bytes == Old) return "old";
  if (*bytes == New) return "new";
  if (*bytes == Big) return "big";
  return "other (" + std::to_string(bytes->size()) + " bytes)";
}

const char Done[] = "更新処理を完了しました。";
const char Failed[] = "更新処理に失敗しました";
const char NoFolder[] = "フォルダを指定してください";
const char NotInstalled[] = "モリモVer.２インストール済みフォルダを指定してください";

enum class Lz { Good, Damaged, Truncated, Missing, Big, Huge };
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
  const char* drive = nullptr;  // the install folder's drive, if not the temporary folder's
  bool plantDlls = false;       // DLLs named like system ones beside the updater
};

// Data without 0xFB stored as one literal run: a valid file of any size, made at once.
std::string Literal(const std::string& data) {
  TLzsHeader h;
  h.Len = std::int64_t(data.size());
  h.Sum = SumBlock(0, data.data(), h.Len);
  return LzsHeaderBytes(h) + data;
}

std::string PackedNew(Lz lz) {
  if (lz == Lz::Big) return Literal(Big);
  // Long enough to be caught while it expands.
  if (lz == Lz::Huge) return Literal("MZ huge " + Noise(4, 64 << 20));
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
    std::string folder = s.drive     ? std::string(s.drive) + s.install + "\\"
                         : s.install ? root_ + s.install + "\\"
                                     : DefaultInstall();
    CreateDirectoryA(folder.c_str(), nullptr);
    if (s.exe) PutFile(folder + "morimo.exe", *s.exe);
    if (s.bak) PutFile(folder + "morimo.bak", *s.bak);
    if (s.bakReadOnly) SetFileAttributesA((folder + "morimo.bak").c_str(), FILE_ATTRIBUTE_READONLY);
    // Recorded without its backslash, as installers often do.
    SetProgramDir(s.registry ? std::optional<std::string>(folder.substr(0, folder.size() - 1))
                             : std::nullopt);
    PutUpdater(updater_, s.lz == Lz::Missing ? std::nullopt
                                              : std::optional<std::string>(PackedNew(s.lz)));
    if (s.plantDlls) PlantDlls();
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
    if (s.drive) RemoveFolder(folder);
  }

  // Copies every planted DLL beside the updater.
  void PlantDlls() {
    std::string planted = BuiltUpdater();
    planted.resize(planted.rfind("\\bin\\") + 1);
    planted += "planted\\";
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((planted + "*.dll").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do CopyFileA((planted + data.cFileName).c_str(), (updater_ + data.cFileName).c_str(), FALSE);
    while (FindNextFileA(find, &data));
    FindClose(find);
  }
  // The markers that loaded planted DLLs left.
  std::string LoadedMarkers() {
    std::string names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((updater_ + "*.loaded").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names += std::string(data.cFileName) + " ";
    while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
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

  // The old executable installed in MORIMO and recorded, and the updater beside lz; gives the
  // folder with its backslash.
  std::string InstallOld(Lz lz) {
    const std::string folder = root_ + "MORIMO\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    PutFile(folder + "morimo.exe", Old);
    SetProgramDir(folder.substr(0, folder.size() - 1));
    PutUpdater(updater_, PackedNew(lz));
    return folder;
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

// No DLL beside the elevated updater is loaded, whatever its name: the program imports only
// DLLs that the system takes from its own folder, restricts the search at once and loads the
// others from the system folder by full path. Wine prefers its built-in DLLs to those beside a
// program, where Windows takes a DLL that is not a known one from the program's folder first;
// the overrides give the updater Windows' order for such DLLs. Not for version and shlwapi:
// Wine's own shell32 imports them, so Wine takes them from beside the program before its entry
// runs, where on Windows the known DLLs import only known DLLs.
TEST_F(Update, DllsBesideTheUpdaterAreNotLoaded) {
  const char key[] = "Software\\Wine\\AppDefaults\\morimo_update.exe\\DllOverrides";
  HKEY k;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                            nullptr),
            ERROR_SUCCESS);
  for (const char* dll : {"uxtheme", "dwmapi", "lz32", "comctl32", "msimg32", "comdlg32"})
    RegSetValueExA(k, dll, 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
  RegCloseKey(k);
  Run({"planted DLLs", "MORIMO", true, Old, {}, false, Lz::Good, false, Answer::Start, Done,
       nullptr, New, nullptr, true});
  RegDeleteKeyA(HKEY_CURRENT_USER, key);
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\morimo_update.exe");
  EXPECT_EQ(LoadedMarkers(), "");
}

// Killed while it writes the new executable, the updater leaves morimo.bak and a partial
// morimo.exe; the next run puts the old one back first, then updates or fails as usual.
TEST_F(Update, AKilledUpdateIsMendedByTheNextRun) {
  for (Lz next : {Lz::Good, Lz::Damaged}) {
    SCOPED_TRACE(next == Lz::Good ? "run again: good" : "run again: damaged");
    const std::string folder = InstallOld(Lz::Huge);
    {
      Updater u(updater_);
      HWND dialog = u.Window("TfrmDoui", "セットアップ");
      ASSERT_TRUE(dialog);
      ASSERT_TRUE(Press(dialog, "更新の開始"));
      auto exists = [](const std::string& path) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
      };
      ASSERT_TRUE(guitest::PollUntil(
          [&] { return exists(folder + "morimo.bak") && exists(folder + "morimo.exe"); }, 20000,
          1));
      u.Suspend(true);
      u.Kill();
    }
    ASSERT_EQ(Label(FileBytes(folder + "morimo.bak")), "old");
    ASSERT_NE(Label(FileBytes(folder + "morimo.exe")), "old");
    Run({"the next run", "MORIMO", true, {}, {}, false, next, false, Answer::Start,
         next == Lz::Good ? Done : Failed, next == Lz::Good ? nullptr : "\r\n\r\n",
         next == Lz::Good ? New : Old});
    TearDown();
    SetUp();
  }
}

// The install folder on a drive too small for the new executable: the expansion fails, the
// old executable is back and the user reads why. The session maps a 1 MiB tmpfs folder as S:
// when it may mount one.
TEST_F(Update, AFullDiskLeavesTheOldExecutable) {
  if (GetDriveTypeA("S:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no small drive S: mapped";
  Run({"a full disk", "MORIMO", true, Old, {}, false, Lz::Big, false, Answer::Start, Failed,
       "\r\n\r\n", Old, "S:\\"});
}

// On a platform the updater does not support it says so in a plain message box and changes
// nothing. Wine reports the version set for the program under AppDefaults.
TEST_F(Update, AnUnsupportedPlatformIsRefused) {
  const char key[] = "Software\\Wine\\AppDefaults\\morimo_update.exe";
  HKEY k;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(k, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win7"), 5);
  RegCloseKey(k);
  const std::string folder = InstallOld(Lz::Good);
  {
    Updater u(updater_);
    HWND box = u.Window("#32770", "モリモVer.２の更新プログラム");
    EXPECT_TRUE(box);
    EXPECT_EQ(MessageText(box), "本製品はWindows７－６４ビット用またはWindows８用です");
    EXPECT_TRUE(Press(box, "OK"));
    EXPECT_TRUE(u.Ended(30000));
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, key);
  EXPECT_EQ(Label(FileBytes(folder + "morimo.exe")), "old");
  EXPECT_EQ(Label(FileBytes(folder + "morimo.bak")), "absent");
}

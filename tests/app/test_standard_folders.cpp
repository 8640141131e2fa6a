#include <gtest/gtest.h>

#include <shlobj.h>
#include <windows.h>

#include <map>
#include <vector>

#include "app/StandardFolders.h"
#include "gen0/GenError.h"
#include "gen0/GenFile.h"
#include "gen0/GenVersion.h"

namespace {
bool IsFolder(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool EndsInBackslash(const std::string& path) { return !path.empty() && path.back() == '\\'; }

// A shell that knows only the folders of the table; every lookup is recorded.
std::map<int, std::string> shell;
std::vector<int> asked;

std::string FakeLookup(HWND, int csidl) {
  asked.push_back(csidl);
  auto it = shell.find(csidl);
  return it == shell.end() ? std::string() : it->second;
}

class FoldersThroughFakeShell : public ::testing::Test {
protected:
  void SetUp() override {
    shell = {{CSIDL_COMMON_DESKTOPDIRECTORY, "C:\\Users\\Public\\Desktop"},
             {CSIDL_PROGRAM_FILES, "C:\\Program Files (x86)"},
             {CSIDL_COMMON_PROGRAMS, "C:\\ProgramData\\Start Menu\\Programs"},
             {CSIDL_PROGRAMS, "C:\\Users\\u\\Start Menu\\Programs"}};
    asked.clear();
    savedVersion = RawWindowsVersion;
    RawWindowsVersion = 0x23F00206;  // 6.2, NT family
    SpecialFolderLookup = FakeLookup;
    ClearStandardFolders();
  }
  void TearDown() override {
    SpecialFolderLookup = SpecialFolderPath;
    RawWindowsVersion = savedVersion;
    ClearStandardFolders();
  }
  std::string FailureText() {
    try {
      FindStandardFolders();
    } catch (const ELuError& e) {
      return e.Text;
    }
    return "(no failure)";
  }
  std::uint32_t savedVersion = 0;
};
}  // namespace

TEST(StandardFolders, RealShellGivesExistingFolders) {
  ReadWindowsVersion();
  FindStandardFolders();
  for (const std::string* f : {&DesktopFolder, &ProgramFilesFolder, &ProgramsMenuFolder}) {
    EXPECT_TRUE(EndsInBackslash(*f)) << *f;
    EXPECT_TRUE(IsFolder(*f)) << *f;
  }
  EXPECT_EQ(ProductMenuFolder, ProgramsMenuFolder + "モリモVer.２\\");
  ClearStandardFolders();
  EXPECT_EQ(DesktopFolder + ProgramFilesFolder + ProgramsMenuFolder + ProductMenuFolder, "");
}

TEST(StandardFolders, SpecialFolderPathOfAFolderWithoutAPathIsEmpty) {
  EXPECT_EQ(SpecialFolderPath(nullptr, CSIDL_DRIVES), "");
  std::string windows = SpecialFolderPath(nullptr, CSIDL_WINDOWS);
  EXPECT_TRUE(IsFolder(windows)) << windows;
  EXPECT_FALSE(EndsInBackslash(windows));
}

TEST_F(FoldersThroughFakeShell, AllFoldersFromTheShell) {
  FindStandardFolders();
  EXPECT_EQ(DesktopFolder, "C:\\Users\\Public\\Desktop\\");
  EXPECT_EQ(ProgramFilesFolder, "C:\\Program Files (x86)\\");
  EXPECT_EQ(ProgramsMenuFolder, "C:\\ProgramData\\Start Menu\\Programs\\");
  EXPECT_EQ(ProductMenuFolder, "C:\\ProgramData\\Start Menu\\Programs\\モリモVer.２\\");
  EXPECT_EQ(asked, (std::vector<int>{CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_PROGRAM_FILES,
                                     CSIDL_COMMON_PROGRAMS}));
}

TEST_F(FoldersThroughFakeShell, ProgramFilesFallsBackUnderTheWindowsRoot) {
  shell[CSIDL_PROGRAM_FILES] = "   ";
  FindStandardFolders();
  EXPECT_EQ(ProgramFilesFolder, WindowsRoot() + "Program Files\\");
}

TEST_F(FoldersThroughFakeShell, UserProgramsWhenThereIsNoAllUsersFolder) {
  shell.erase(CSIDL_COMMON_PROGRAMS);
  FindStandardFolders();
  EXPECT_EQ(ProgramsMenuFolder, "C:\\Users\\u\\Start Menu\\Programs\\");
}

TEST_F(FoldersThroughFakeShell, Windows95FamilyNeverAsksForAllUsersPrograms) {
  RawWindowsVersion = 0xC0000A04;  // 4.10 with the top bit
  FindStandardFolders();
  EXPECT_EQ(ProgramsMenuFolder, "C:\\Users\\u\\Start Menu\\Programs\\");
  EXPECT_EQ(asked, (std::vector<int>{CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_PROGRAM_FILES,
                                     CSIDL_PROGRAMS}));
}

TEST_F(FoldersThroughFakeShell, NoDesktopSetsNothing) {
  shell.erase(CSIDL_COMMON_DESKTOPDIRECTORY);
  EXPECT_EQ(FailureText(), "デスクトップディレクトリを取得できません");
  EXPECT_EQ(DesktopFolder + ProgramFilesFolder + ProgramsMenuFolder, "");
}

TEST_F(FoldersThroughFakeShell, NoProgramsFolderKeepsTheEarlierFolders) {
  shell.erase(CSIDL_COMMON_PROGRAMS);
  shell[CSIDL_PROGRAMS] = " ";
  EXPECT_EQ(FailureText(), "スタートメニュー プログラムフォルダを取得できません");
  EXPECT_EQ(DesktopFolder, "C:\\Users\\Public\\Desktop\\");
  EXPECT_EQ(ProgramFilesFolder, "C:\\Program Files (x86)\\");
  EXPECT_EQ(ProgramsMenuFolder, "");
}

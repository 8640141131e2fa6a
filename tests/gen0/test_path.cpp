#include <gtest/gtest.h>

#include "gen0/GenPath.h"

namespace {
// 表 is 0x95 0x5C in Shift-JIS: its second byte is a backslash.
const std::string Hyo = "\x95\x5C";

std::string Whole(const PathParts& p) { return p.Root + p.Dir + p.Sep + p.Name + p.Ext; }
}  // namespace

TEST(Path, CharLengthStepsOverDoubleByteCharacters) {
  std::string s = Hyo + "a";
  EXPECT_EQ(CharLength(s.data(), s.data() + s.size()), 2);
  EXPECT_EQ(CharLength(s.data(), s.data() + 1), 1);  // lead byte at the end stands alone
  EXPECT_EQ(CharLength(s.data() + 2, s.data() + 3), 1);
  EXPECT_EQ(CharLength(s.data() + 3, s.data() + 3), 0);
  const char nul[] = "\0a";
  EXPECT_EQ(CharLength(nul, nul + 2), 0);
}

TEST(Path, IsBlank) {
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank("   "));
  EXPECT_FALSE(IsBlank(" a "));
  EXPECT_FALSE(IsBlank("\t"));
}

TEST(Path, AddTrailingSeparator) {
  EXPECT_EQ(AddTrailingSeparator("C:\\A"), "C:\\A\\");
  EXPECT_EQ(AddTrailingSeparator("C:\\A\\"), "C:\\A\\");
  EXPECT_EQ(AddTrailingSeparator("C:"), "C:");
  EXPECT_EQ(AddTrailingSeparator("C:\\A   "), "C:\\A\\");
  EXPECT_EQ(AddTrailingSeparator(""), "");
  EXPECT_EQ(AddTrailingSeparator("C:/A/"), "C:/A/");
  EXPECT_EQ(AddTrailingSeparator("C:\\" + Hyo), "C:\\" + Hyo + "\\");
}

TEST(Path, SplitPathOfAFullPath) {
  PathParts p = SplitPath("C:\\Temp\\upd\\setup.exe");
  EXPECT_EQ(p.Root, "C:\\");
  EXPECT_EQ(p.Dir, "Temp\\upd");
  EXPECT_EQ(p.Sep, "\\");
  EXPECT_EQ(p.Name, "setup");
  EXPECT_EQ(p.Ext, ".exe");
  EXPECT_EQ(p.Drive, "C:");
  EXPECT_EQ(p.RootSep, "\\");
}

TEST(Path, SplitPathOfNamesAndRelativePaths) {
  PathParts p = SplitPath("morimo.exe.lz");
  EXPECT_EQ(p.Root + p.Dir + p.Sep, "");
  EXPECT_EQ(p.Name, "morimo.exe");
  EXPECT_EQ(p.Ext, ".lz");

  p = SplitPath("docs/old/file.txt  ");
  EXPECT_EQ(p.Root, "");
  EXPECT_EQ(p.Dir, "docs\\old");
  EXPECT_EQ(p.Sep, "\\");
  EXPECT_EQ(p.Name, "file");
  EXPECT_EQ(p.Ext, ".txt");

  p = SplitPath("C:\\a.dir\\noext");  // a dot in a folder name never counts
  EXPECT_EQ(p.Dir, "a.dir");
  EXPECT_EQ(p.Name, "noext");
  EXPECT_EQ(p.Ext, "");
}

TEST(Path, SplitPathOfUncAndRootedPaths) {
  PathParts p = SplitPath("\\\\srv\\share\\a\\b.txt");
  EXPECT_EQ(p.Drive, "\\\\srv\\share");
  EXPECT_EQ(p.Root, "\\\\srv\\share\\");
  EXPECT_EQ(p.Dir, "a");
  EXPECT_EQ(p.Name, "b");
  EXPECT_EQ(Whole(p), "\\\\srv\\share\\a\\b.txt");

  p = SplitPath("//srv/share");
  EXPECT_EQ(p.Drive, "\\\\srv\\share");
  EXPECT_EQ(p.RootSep, "");

  p = SplitPath("\\Temp\\x.txt");
  EXPECT_EQ(p.Drive, "\\");
  EXPECT_EQ(p.RootSep, "");
  EXPECT_EQ(p.Dir, "Temp");
  EXPECT_EQ(Whole(p), "\\Temp\\x.txt");

  p = SplitPath("C:");
  EXPECT_EQ(p.Drive, "C:");
  EXPECT_EQ(p.RootSep, "");
  EXPECT_EQ(p.Name, "");
}

TEST(Path, SplitPathNeverCutsADoubleByteCharacter) {
  PathParts p = SplitPath("C:\\" + Hyo + "\\" + Hyo + ".txt");
  EXPECT_EQ(p.Dir, Hyo);
  EXPECT_EQ(p.Name, Hyo);
  EXPECT_EQ(p.Ext, ".txt");
  p = SplitPath("C:\\dir\\" + Hyo);
  EXPECT_EQ(p.Dir, "dir");
  EXPECT_EQ(p.Name, Hyo);
}

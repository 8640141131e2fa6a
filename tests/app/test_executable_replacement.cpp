// The update's file steps on real files: the new executable in place after success, the old
// one after every failure, and no executable ever lost.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/ExecutableReplacement.h"
#include "expand/ExpandFile.h"
#include "gen0/GenError.h"
#include "gen0/GenFile.h"
#include "gen0/GenHooks.h"
#include "tools/lzsPack.h"

namespace {
// Contents that any damage to the compressed file changes: no long runs of one byte.
std::string Noise(std::uint32_t seed, std::size_t n) {
  std::string s(n, '\0');
  for (char& c : s) c = char((seed = seed * 1103515245u + 12345u) >> 24);
  return s;
}
const std::string Old = Noise(1, 3000), New = Noise(2, 8000) + "新しい実行ファイル";

// What a file holds, named: a failed comparison then prints a word, not the bytes.
std::string Label(const std::optional<std::string>& bytes) {
  if (!bytes) return "absent";
  if (*bytes == Old) return "old";
  if (*bytes == New) return "new";
  return "other (" + std::to_string(bytes->size()) + " bytes)";
}

std::vector<std::string> g_reported;
void Record(const Exception& e) { g_reported.push_back(e.Message); }

enum class Source { Good, Damaged, Truncated, Missing };

struct Case {
  const char* name;
  std::optional<std::string> exe, bak;
  bool bakReadOnly;
  Source source;
  bool lockExe;
  bool fails;
  std::optional<std::string> exeAfter;
};

class Replacement : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "morimo_replace_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    StartServiceHooks();
    saved_ = ReportException;
    ReportException = Record;
    UseLzsFormat = true;
    RetryTimeout = 600;  // a locked file fails quickly here
  }
  void TearDown() override {
    RetryTimeout = 10000;
    ReportException = saved_;
    StopServiceHooks();
    for (const char* f : {"morimo.exe", "morimo.bak", "morimo.exe.lz"}) {
      SetFileAttributesA((folder_ + f).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((folder_ + f).c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }
  void Put(const char* name, const std::string& bytes) {
    WriteWholeFile(folder_ + name, bytes, 0);
  }
  std::optional<std::string> Read(const char* name) {
    HANDLE h = CreateFileA((folder_ + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    ReadFile(h, bytes.data(), DWORD(bytes.size()), &got, nullptr);
    CloseHandle(h);
    return bytes;
  }
  std::string folder_;
  TReportException saved_ = nullptr;
};
}  // namespace

TEST_F(Replacement, EveryStartEndsWithAWorkingExecutable) {
  std::string packed = LzsPackFile(New, 0x01D0000000000000ull);
  const Case cases[] = {
      {"success", Old, {}, false, Source::Good, false, false, New},
      {"an interrupted update: partial exe and the backup", "途中", Old, false, Source::Good, false,
       false, New},
      {"only the backup", {}, Old, false, Source::Good, false, false, New},
      {"a read-only stale backup", Old, Old, true, Source::Good, false, false, New},
      {"damaged source", Old, {}, false, Source::Damaged, false, true, Old},
      {"truncated source", Old, {}, false, Source::Truncated, false, true, Old},
      {"missing source", Old, {}, false, Source::Missing, false, true, Old},
      {"interrupted, then a damaged source", "途中", Old, false, Source::Damaged, false, true, Old},
      {"locked executable", Old, {}, false, Source::Good, true, true, Old},
      {"nothing installed", {}, {}, false, Source::Good, false, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.exe) Put("morimo.exe", *c.exe);
    if (c.bak) Put("morimo.bak", *c.bak);
    if (c.bakReadOnly) SetFileAttributesA((folder_ + "morimo.bak").c_str(), FILE_ATTRIBUTE_READONLY);
    std::string lz = packed;
    if (c.source == Source::Damaged) lz[lz.size() / 2] ^= 0x5A;
    if (c.source == Source::Truncated) lz.resize(lz.size() - 100);
    if (c.source != Source::Missing) Put("morimo.exe.lz", lz);
    HANDLE lock = c.lockExe ? CreateFileA((folder_ + "morimo.exe").c_str(), GENERIC_READ, 0,
                                          nullptr, OPEN_EXISTING, 0, nullptr)
                            : INVALID_HANDLE_VALUE;
    bool failed = false;
    try {
      ReplaceExecutable(folder_, folder_ + "morimo.exe.lz");
    } catch (const Exception&) {
      failed = true;
    }
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    EXPECT_EQ(failed, c.fails);
    EXPECT_EQ(Label(Read("morimo.exe")), Label(c.exeAfter));
    EXPECT_EQ(Label(Read("morimo.bak")), "absent");
    EXPECT_TRUE(g_reported.empty());
    TearDown();
    SetUp();
  }
  EXPECT_EQ(DoingText, "morimo.exe");
}

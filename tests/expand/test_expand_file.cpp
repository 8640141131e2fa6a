// Expanding real files under Windows: the LZ01 decoder with its checks and stamps, the driver's
// orders of delete and open, the system LZ library and the copy mode.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "expand/ExpandFile.h"
#include "expand/LzsExpandFile.h"
#include "gen0/GenError.h"
#include "tools/lzsPack.h"

namespace {
constexpr std::uint64_t Stamp = 0x01D5'1234'5678'9A00ull;  // a time in 2019

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::uint64_t LastWrite(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA a;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a)) return 0;
  return std::uint64_t(a.ftLastWriteTime.dwHighDateTime) << 32 | a.ftLastWriteTime.dwLowDateTime;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Sample(size_t n) {
  std::string s;
  unsigned x = 12345;
  while (s.size() < n) {
    x = x * 1103515245u + 12345u;
    if (x >> 28 < 6)
      s += "モリモVer.２ 給与計算 ";
    else
      s += char(x >> 16);
  }
  s.resize(n);
  return s;
}

class ExpandTest : public ::testing::Test {
public:
  void SetUp() override {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    dir_ = std::string(tmp) + "morimo_expand_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    src_ = dir_ + "morimo.exe.lz";
    dst_ = dir_ + "morimo.exe";
    UseLzsFormat = true;
  }
  void TearDown() override {
    for (const char* n : {"morimo.exe.lz", "morimo.exe", "plain.txt", "plain.tx_"})
      DeleteFileA((dir_ + n).c_str());
    RemoveDirectoryA(dir_.c_str());
    UseLzsFormat = false;
  }
  void Expand() { LzsExpandFile(AnsiToWide(src_), AnsiToWide(dst_)); }
  std::string Message(void (ExpandTest::*run)()) {
    try {
      (this->*run)();
    } catch (const Exception& e) {
      return e.Message;
    }
    return "(nothing raised)";
  }
  std::string dir_, src_, dst_;
};
}  // namespace

TEST_F(ExpandTest, ExpandsVerifiesAndStamps) {
  // More than one 262144-byte block, so the write and the read-back both continue.
  std::string data = Sample(600000);
  WriteAll(src_, LzsPackFile(data, Stamp));
  Expand();
  EXPECT_EQ(ReadAll(dst_), data);
  EXPECT_EQ(LastWrite(dst_), Stamp);

  WriteAll(src_, LzsPackFile("", Stamp));
  Expand();
  EXPECT_EQ(ReadAll(dst_), "");
  EXPECT_EQ(LastWrite(dst_), Stamp);
}

TEST_F(ExpandTest, BadHeadersNeverTouchTheDestination) {
  WriteAll(dst_, "old");
  std::string file = LzsPackFile("abc", Stamp);
  file[3] = '2';
  WriteAll(src_, file);
  EXPECT_EQ(Message(&ExpandTest::Expand), "データエラー(LZ)");
  WriteAll(src_, LzsPackFile("abc", Stamp).substr(0, 20));
  EXPECT_EQ(Message(&ExpandTest::Expand), "データエラー");
  EXPECT_EQ(ReadAll(dst_), "old");
}

TEST_F(ExpandTest, BadBodiesLeaveWhatWasWritten) {
  std::string data = Sample(5000);
  std::string file = LzsPackFile(data, Stamp);
  file[13] ^= 1;  // Sum
  WriteAll(src_, file);
  EXPECT_EQ(Message(&ExpandTest::Expand), "データエラー\r\n\r\n" + src_);
  EXPECT_EQ(ReadAll(dst_), data);  // complete, but not stamped
  EXPECT_NE(LastWrite(dst_), Stamp);

  WriteAll(src_, LzsPackFile("ab", Stamp) + "\xFB");
  EXPECT_EQ(Message(&ExpandTest::Expand), "データエラー(LZSS)");
  WriteAll(src_, LzsPackFile("ab", Stamp) + "c");  // one byte more than Len
  EXPECT_EQ(Message(&ExpandTest::Expand), "データエラー\r\n\r\n" + src_);

  DeleteFileA(src_.c_str());
  std::string missing = Message(&ExpandTest::Expand);
  EXPECT_NE(missing.find("読み取りのために開くことができません - " + src_), std::string::npos)
      << missing;
}

TEST_F(ExpandTest, DriverOrdersOfDeleteAndOpen) {
  // In-house path: an existing destination is replaced even without deleteFirst.
  WriteAll(dst_, "old");
  WriteAll(src_, LzsPackFile("new", Stamp));
  ExpandFile(src_, dst_, true, false);
  EXPECT_EQ(ReadAll(dst_), "new");
  // ...and with deleteFirst a missing source leaves no destination behind.
  DeleteFileA(src_.c_str());
  EXPECT_THROW(ExpandFile(src_, dst_, true, true), ELastError);
  EXPECT_FALSE(Exists(dst_));

  // System path: a missing source leaves the destination alone; an existing destination
  // without deleteFirst fails at its open.
  UseLzsFormat = false;
  WriteAll(dst_, "old");
  EXPECT_THROW(ExpandFile(src_, dst_, true, true), ELastError);
  EXPECT_EQ(ReadAll(dst_), "old");
  WriteAll(src_, "whatever");
  try {
    ExpandFile(src_, dst_, true, false);
    FAIL();
  } catch (const ELastError& e) {
    EXPECT_EQ(e.ErrorCode, DWORD(ERROR_FILE_EXISTS));
    EXPECT_NE(e.Message.find("書き込みのために開くことが出来ません - " + dst_), std::string::npos);
  }
}

TEST_F(ExpandTest, CopyModeKeepsBytesAndTime) {
  std::string data = Sample(20000);
  WriteAll(src_, data);
  ExpandFile(src_, dst_, false, true);
  EXPECT_EQ(ReadAll(dst_), data);
  EXPECT_EQ(LastWrite(dst_), LastWrite(src_));
}

TEST(LzError, MessagesOfTheLibraryCodes) {
  const std::string line = "次の圧縮ファイルの展開のための前準備に失敗しました - C:\\a.lz";
  RaiseLzError(0, line);
  auto message = [&](int code) {
    try {
      RaiseLzError(code, line);
    } catch (const ELuError& e) {
      return e.Message;
    }
    return std::string("(nothing raised)");
  };
  EXPECT_EQ(message(-8), "認識できない圧縮アルゴリズムです\r\n\r\n" + line);
  EXPECT_EQ(message(-1), "ハンドルが無効です\r\n\r\n" + line);
  EXPECT_EQ(message(-2), "不明なエラーです\r\n\r\n" + line);
  EXPECT_EQ(message(-9), "不明なエラーです\r\n\r\n" + line);
}

// The SZDD file is made by mscompress before this test runs (see the fixture in CMake).
TEST_F(ExpandTest, SystemLibraryExpandsCompressFormat) {
  const char* fixture = getenv("MORIMO_SZDD_DIR");
  ASSERT_NE(fixture, nullptr);
  std::string unix = fixture;
  std::string folder = "Z:" + unix;
  for (char& c : folder)
    if (c == '/') c = '\\';
  std::string original = ReadAll(folder + "\\plain.txt");
  ASSERT_FALSE(original.empty());
  UseLzsFormat = false;
  SystemExpandFile(folder + "\\plain.tx_", dst_, true, true);
  EXPECT_EQ(ReadAll(dst_), original);

  // The same file through the in-house path is not LZ01.
  UseLzsFormat = true;
  try {
    ExpandFile(folder + "\\plain.tx_", dst_, true, true);
    FAIL();
  } catch (const EGTData& e) {
    EXPECT_EQ(e.Message, "データエラー(LZ)");
  }
}

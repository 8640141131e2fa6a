// Registry reads against real keys in the private prefix.
#include <gtest/gtest.h>

#include "gen0/GenAssert.h"
#include "gen0/GenReg.h"

namespace {
const char Root[] = "Software\\MorimoRegTest";

class RegTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Root, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key_, nullptr), ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteTreeA(HKEY_CURRENT_USER, Root);
  }
  void Set(const char* name, DWORD type, const std::string& bytes) {
    ASSERT_EQ(RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             DWORD(bytes.size())), ERROR_SUCCESS);
  }
  std::string Read(const char* name, int acceptExpand = 0, const char* sub = Root) {
    std::string r = "stale";
    ReadRegString(HKEY_CURRENT_USER, sub, name, r, acceptExpand);
    return r;
  }
  HKEY key_ = nullptr;
};
}  // namespace

TEST_F(RegTest, MissingKeyAndValueGiveEmpty) {
  EXPECT_EQ(Read("ProgramDir", 0, "Software\\MorimoRegTest\\NoSuchKey"), "");
  EXPECT_EQ(Read("NoSuchValue"), "");
  Set("Empty", REG_SZ, std::string(1, '\0'));
  EXPECT_EQ(Read("Empty"), "");
}

TEST_F(RegTest, StringsUpToFirstNulAndOfAnyLength) {
  Set("ProgramDir", REG_SZ, std::string("C:\\モリモ\\", 11) + '\0');
  EXPECT_EQ(Read("ProgramDir"), "C:\\モリモ\\");
  Set("Embedded", REG_SZ, std::string("abc\0def\0", 8));
  EXPECT_EQ(Read("Embedded"), "abc");
  // 150 bytes need a second query; 5000 bytes still fit in the second.
  for (size_t n : {89u, 90u, 150u, 5000u}) {
    std::string v(n, 'x');
    Set("Long", REG_SZ, v + '\0');
    EXPECT_EQ(Read("Long"), v) << n;
  }
}

TEST_F(RegTest, OtherTypesGiveEmpty) {
  Set("Expand", REG_EXPAND_SZ, std::string("%ProgramFiles%\\x") + '\0');
  EXPECT_EQ(Read("Expand", 0), "");
  EXPECT_EQ(Read("Expand", 1), "%ProgramFiles%\\x");  // not expanded
  Set("Dword", REG_DWORD, std::string(4, '\1'));
  EXPECT_EQ(Read("Dword"), "");
  Set("Binary", REG_BINARY, "abc");
  EXPECT_EQ(Read("Binary", 1), "");
}

TEST_F(RegTest, AcceptExpandStringOutsideRangeIsAnAssertion) {
  EXPECT_THROW(Read("ProgramDir", 2), EAssertionFailed);
}

TEST_F(RegTest, FailuresRaiseRegistryError) {
  try {
    HKEY k = NoRegKey;
    OpenRegKey(HKEY_CURRENT_USER, "Software\\MorimoRegTest\\Missing", KEY_QUERY_VALUE, false, k);
    FAIL();
  } catch (const ELastError& e) {
    EXPECT_EQ(e.ErrorCode, 2u);
    EXPECT_EQ(e.CallerText, "レジストリ入出力エラー");
    EXPECT_EQ(e.Message, SystemErrorText(2) + "\n\n" + "レジストリ入出力エラー");
  }
  HKEY k = NoRegKey;
  CloseRegKey(k, true);  // the marker is never closed
  EXPECT_EQ(k, NoRegKey);
}

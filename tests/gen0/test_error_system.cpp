// The system's texts and reporting under Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include "gen0/GenError.h"

namespace {
int g_reported = 0;
std::string g_last;
void CountingReport(const Exception& e) {
  ++g_reported;
  g_last = e.Message;
}
}  // namespace

TEST(ErrorSystem, SystemTextsOfWindows) {
  std::string five = SystemErrorText(5);
  ASSERT_FALSE(five.empty());
  EXPECT_NE(five.back(), '.');
  EXPECT_GE(static_cast<unsigned char>(five.back()), 0x21);
  ELastError e(5, "ファイルを削除できません - C:\\x");
  EXPECT_EQ(e.Message, five + "\n\nファイルを削除できません - C:\\x");
  EXPECT_EQ(SystemErrorText(129), "Win32 モードで実行できないアプリケーションです。");
  EXPECT_EQ(SystemErrorText(0xE0001234u), "システムエラー[$E0001234]");
  EXPECT_EQ(SystemErrorText(60000), "システムエラー[No.60000]");
}

TEST(ErrorSystem, RaiseOrReportAndAbort) {
  TReportException saved = ReportException;
  ReportException = CountingReport;
  g_reported = 0;
  RaiseOrReport(false, ELuError("閉じられません"));
  EXPECT_EQ(g_reported, 1);
  EXPECT_EQ(g_last, "閉じられません");
  EXPECT_THROW(RaiseOrReport(true, ELuError("x")), ELuError);
  EXPECT_EQ(g_reported, 1);
  ReportException = saved;
  DefaultReportException(EAbort());  // shows nothing: a box would block this test
}

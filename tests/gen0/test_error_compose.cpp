// Messages of the exception tree, compared as the Shift-JIS bytes the user sees.
#include <gtest/gtest.h>

#include "gen0/GenError.h"

namespace {
const std::string Internal =
    "内部エラーが発生しました。お手数ですが製造元へお問い合わせください。";
}

TEST(ErrorCompose, DetailJoinsWithABlankLine) {
  EXPECT_EQ(ELuError("本文").Message, "本文");
  EXPECT_EQ(ELuError("本文", "詳細").Message, "本文\r\n\r\n詳細");
  EXPECT_EQ(ELuError("", "詳細").Message, "詳細");
  EXPECT_EQ(ELuError("本文", "").Message, "本文");
  ELuInput in("入力", "詳細");
  EXPECT_EQ(in.Text, "入力");
  EXPECT_EQ(in.Detail, "詳細");
  EXPECT_FALSE(in.IsWide);
}

TEST(ErrorCompose, InternalErrorCarriesTheFixedSentence) {
  EXPECT_EQ(ELuInternal().Message, Internal);
  EXPECT_EQ(ELuInternal("引数範囲外 - ClearHandleInfo").Message,
            Internal + "\r\n\r\n引数範囲外 - ClearHandleInfo");
  EXPECT_EQ(ELuInternal("x").Text, Internal);
}

TEST(ErrorCompose, LastErrorJoinsTheSystemTextWithTwoLineFeeds) {
  ELastError zero(0, "ファイルを削除できません - C:\\a");
  EXPECT_EQ(zero.Message, "ファイルを削除できません - C:\\a");
  EXPECT_EQ(zero.CallerText, zero.Message);
  ELastError e(129, "開けません");
  EXPECT_EQ(e.Message, "Win32 モードで実行できないアプリケーションです。\n\n開けません");
  EXPECT_EQ(e.Text, e.Message);
  EXPECT_EQ(e.Detail, "");
  EXPECT_EQ(e.ErrorCode, 129u);
  EXPECT_EQ(e.CallerText, "開けません");
}

TEST(ErrorCompose, WideConstructorsKeepBothForms) {
  ELuError e = ELuError::CreateWide(u"本文", u"詳細");
  EXPECT_TRUE(e.IsWide);
  EXPECT_EQ(e.Message, "本文\r\n\r\n詳細");
  EXPECT_EQ(e.WideText, u"本文");
  EXPECT_EQ(e.WideDetail, u"詳細");
  ELastError l = ELastError::CreateWide(0, u"読み取りのために開くことができません - 表");
  EXPECT_EQ(l.Message, "読み取りのために開くことができません - 表");
  EXPECT_EQ(l.WideCallerText, u"読み取りのために開くことができません - 表");
  ELastError s = ELastError::CreateWide(34, u"x");
  EXPECT_EQ(s.Message, "間違ったディスクがドライブに挿入されています。\r\n\r\nx");
  EXPECT_EQ(AnsiToWide(WideToAnsi(u"モリモVer.２")), u"モリモVer.２");
  EXPECT_EQ(WideToAnsi(u""), "");
}

TEST(ErrorCompose, CloneKeepsTheMeaning) {
  auto c = ELuInternal("d").Clone();
  ASSERT_NE(dynamic_cast<ELuInternal*>(c.get()), nullptr);
  EXPECT_EQ(c->Message, ELuInternal("d").Message);

  auto g = EGTData("データ", "詳細").Clone();
  EXPECT_EQ(dynamic_cast<EGTData*>(g.get()), nullptr);  // a plain ELuError
  ASSERT_NE(dynamic_cast<ELuError*>(g.get()), nullptr);
  EXPECT_EQ(g->Message, "データ\r\n\r\n詳細");

  auto i = ELuInput("t", "d").Clone();
  EXPECT_NE(dynamic_cast<ELuInput*>(i.get()), nullptr);

  auto l = ELastError(193, "x").Clone();
  auto* le = dynamic_cast<ELastError*>(l.get());
  ASSERT_NE(le, nullptr);
  EXPECT_EQ(le->Message, "有効な Win32 アプリケーションではありません。\n\nx");
  EXPECT_EQ(le->CallerText, "x");

  auto w = ELastError::CreateWide(0, u"幅").Clone();
  EXPECT_TRUE(dynamic_cast<ELastError*>(w.get())->IsWide);
}

TEST(ErrorCompose, RaiseThrowsTheDynamicType) {
  std::unique_ptr<ELuException> e = ELuInput("t").Clone();
  EXPECT_THROW(e->Raise(), ELuInput);
}

TEST(SystemErrorText, FixedTableAndFallbacks) {
  EXPECT_EQ(SystemErrorText(0), "");
  EXPECT_EQ(SystemErrorText(190), "このオペレーティング システムでは実行されません。");
  EXPECT_EQ(SystemErrorText(0x800300FBu), "有効な複合ファイルではありません。");
  // Codes that no message table knows.
  EXPECT_EQ(SystemErrorText(0xE0001234u), "システムエラー[$E0001234]");
  EXPECT_EQ(SystemErrorText(65000), "システムエラー[No.65000]");
}

#include <gtest/gtest.h>

#include "gen0/GenHooks.h"

namespace {
// Stands in for the work-form layer's busy cursor.
struct BusyCursor {
  int OnCalls = 0;
  int OffCalls = 0;
  bool Busy = false;
  void On() { ++OnCalls; Busy = true; }
  void Off() { ++OffCalls; Busy = false; }
};

// Stands in for the progress window binding itself.
struct Window {
  int Begun = 0;
  void Begin() { ++Begun; }
};

class ProgressHooks : public ::testing::Test {
protected:
  void SetUp() override {
    StartServiceHooks();
    BusyCursorOn = TDoingProc::Bind<&BusyCursor::On>(&cursor);
    BusyCursorOff = TDoingProc::Bind<&BusyCursor::Off>(&cursor);
  }
  void TearDown() override {
    StopServiceHooks();
    ResetProgress();
  }
  BusyCursor cursor;
};
}  // namespace

TEST_F(ProgressHooks, NestedRangesKeepTheCursorBusyUntilTheLastPopOrEnd) {
  DoingBegin();
  DoingPushRange();
  DoingPushRange();
  DoingPopRange();
  EXPECT_EQ(GenFunc0Instance->NestCount, 1);
  EXPECT_TRUE(cursor.Busy);
  EXPECT_EQ(cursor.OnCalls, 1);
  EXPECT_TRUE(DoingBusy);

  DoingEnd();
  EXPECT_EQ(GenFunc0Instance->NestCount, 0);
  EXPECT_FALSE(cursor.Busy);
  EXPECT_FALSE(DoingBusy);

  DoingPushRange();
  DoingPopRange();
  EXPECT_EQ(cursor.OnCalls, 2);
  EXPECT_FALSE(cursor.Busy);
}

TEST_F(ProgressHooks, PopAndEndWithNothingOpen) {
  DoingPopRange();
  EXPECT_EQ(GenFunc0Instance->NestCount, 0);
  EXPECT_EQ(cursor.OffCalls, 1);

  DoingEnd();
  EXPECT_EQ(cursor.OffCalls, 1);
}

TEST_F(ProgressHooks, BeginForgetsThePreviousRun) {
  DoingTitle = "インストール中です";
  DoingText = "morimo.exe";
  DoingTextW = u"morimo.exe";
  DoingMin = 3;
  DoingMax = 10;
  DoingStep = 4;
  DoingPosition = 7;
  DoingCancelled = true;
  DoingCancelEnabled = true;

  DoingBegin();
  EXPECT_EQ(DoingTitle, "");
  EXPECT_EQ(DoingText, "");
  EXPECT_EQ(DoingTextW, u"");
  EXPECT_EQ(DoingMin, 0);
  EXPECT_EQ(DoingMax, 1);
  EXPECT_EQ(DoingStep, 1);
  EXPECT_EQ(DoingPosition, 0);
  EXPECT_FALSE(DoingCancelled);
  EXPECT_FALSE(DoingCancelEnabled);
  EXPECT_TRUE(DoingBusy);
  EXPECT_EQ(cursor.OffCalls, 1);
}

TEST_F(ProgressHooks, EndDropsTheCancelQuery) {
  struct Query {
    bool Ask() { return true; }
  } query;
  DoingBegin();
  DoingOnCancelQuery = TDoingQuery::Bind<&Query::Ask>(&query);
  DoingEnd();
  EXPECT_FALSE(DoingOnCancelQuery);
}

TEST_F(ProgressHooks, InstallDefaultHooksTakesBackAWindowsHooks) {
  Window window;
  DoingBegin = TDoingProc::Bind<&Window::Begin>(&window);
  DoingBegin();
  EXPECT_EQ(window.Begun, 1);
  EXPECT_FALSE(DoingBusy);

  InstallDefaultHooks();
  DoingBegin();
  EXPECT_EQ(window.Begun, 1);
  EXPECT_TRUE(DoingBusy);
  EXPECT_EQ(DoingBegin.Self, GenFunc0Instance);
}

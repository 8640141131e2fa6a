#include <gtest/gtest.h>

#include "gen0/GenCounter.h"
#include "gen0/GenError.h"
#include "gen0/GenLogFormat.h"

namespace {
std::uint32_t g_highCalls = 0, g_highValue = 0;
void OnHigh(std::uint32_t v) {
  ++g_highCalls;
  g_highValue = v;
}

struct CounterTest : ::testing::Test {
  void SetUp() override {
    ResetCounters();
    g_highCalls = g_highValue = 0;
  }
  void TearDown() override { ResetCounters(); }
};
}  // namespace

TEST_F(CounterTest, OverflowRaisesAndLeavesTheCounter) {
  std::uint32_t c = 0xFFFFFFFEu;
  EXPECT_EQ(NextCount(c), 0xFFFFFFFFu);
  try {
    NextCount(c);
    FAIL();
  } catch (const ELuError& e) {
    EXPECT_EQ(e.Message, "カウンタオーバーフロー。これ以上処理を続けることができません");
  }
  EXPECT_EQ(c, 0xFFFFFFFFu);
  EXPECT_EQ(s_timeMax, 0xFFFFFFFFu);
}

TEST_F(CounterTest, CounterHighFiresOnceWhenReachedOrAlreadyPassed) {
  SetCounterThreshold(true);
  std::uint32_t c = 9999998;
  SetOnCounterHigh(OnHigh);
  NextCount(c);
  EXPECT_EQ(g_highCalls, 0u);
  NextCount(c);
  NextCount(c);
  EXPECT_EQ(g_highCalls, 1u);
  EXPECT_EQ(g_highValue, 10000000u);

  ResetCounters();
  SetCounterThreshold(true);
  c = 20000000;
  NextCount(c);  // passed before anyone listens
  SetOnCounterHigh(OnHigh);
  EXPECT_EQ(g_highCalls, 2u);
  EXPECT_EQ(g_highValue, 20000001u);
  SetOnCounterHigh(OnHigh);
  EXPECT_EQ(g_highCalls, 2u);
}

TEST(LogFormat, EntryAndSignature) {
  EXPECT_EQ(FormatLogEntry({2026, 3, 7, 9, 5, 0}, "ハンドルクローズに失敗"),
            "2026/3/7 09:05:00{\r\nハンドルクローズに失敗\r\n}\r\n");
  // 25500 / 100 = 255: the bytes wrap modulo 256.
  EXPECT_EQ(ComputeProcessSignature(25599), 0x04050607u);
  EXPECT_EQ(ComputeProcessSignature(1000), 0x0F101112u);
}

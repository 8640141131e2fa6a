// Output streams: blocks handed to OnWrite, the unassigned event, the string target's growth.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expand/GenByteIO.h"
#include "gen0/GenError.h"

namespace {
struct TBlocks {
  std::vector<std::string> Written;
  TGenByteOut::TWriteEvent Event() {
    return [this](const std::uint8_t* p, std::int32_t n) {
      Written.emplace_back(reinterpret_cast<const char*>(p), n);
    };
  }
};
}  // namespace

TEST(ByteOut, WritesWholeBuffersOnlyWhenTheNextByteArrives) {
  TBlocks blocks;
  TGenByteOut out;
  out.OnWrite = blocks.Event();
  out.SetBufferSize(0x40000);
  for (int i = 0; i < 0x40000; ++i) out.WriteByte(std::uint8_t(i));
  EXPECT_TRUE(blocks.Written.empty());
  out.WriteByte(0xEE);
  ASSERT_EQ(blocks.Written.size(), 1u);
  EXPECT_EQ(blocks.Written[0].size(), 0x40000u);
  EXPECT_EQ(std::uint8_t(blocks.Written[0][0x3FFFF]), 0xFF);
  out.Flush();
  ASSERT_EQ(blocks.Written.size(), 2u);
  EXPECT_EQ(blocks.Written[1], "\xEE");
  out.Flush();
  EXPECT_EQ(blocks.Written.size(), 2u);
}

TEST(ByteOut, UnassignedEventFailsOnlyWithPendingBytes) {
  TGenByteOut out;
  out.Flush();
  out.WriteByte('a');
  try {
    out.Flush();
    FAIL();
  } catch (const ELuInternal& e) {
    EXPECT_EQ(e.Detail, "TGenByteOut.OnWrite=nil");
  }
  TBlocks blocks;
  out.OnWrite = blocks.Event();
  out.WriteByte('b');
  out.Flush();
  EXPECT_EQ(blocks.Written, std::vector<std::string>{"ab"});
}

TEST(ByteOut, FailedWriteKeepsTheBytesPending) {
  TGenByteOut out;
  bool fail = true;
  std::string seen;
  out.OnWrite = [&](const std::uint8_t* p, std::int32_t n) {
    if (fail) throw ELuError("書き込みに失敗 - x");
    seen.assign(reinterpret_cast<const char*>(p), n);
  };
  out.WriteByte('x');
  EXPECT_THROW(out.Flush(), ELuError);
  fail = false;
  out.WriteByte('y');
  out.Flush();
  EXPECT_EQ(seen, "xy");
}

TEST(ByteOut, SetBufferSizeFlushesFirst) {
  TBlocks blocks;
  TGenByteOut out;
  out.OnWrite = blocks.Event();
  out.WriteByte('1');
  out.SetBufferSize(2);
  EXPECT_EQ(blocks.Written, std::vector<std::string>{"1"});
  for (char c : std::string("abcde")) out.WriteByte(std::uint8_t(c));
  out.Flush();
  EXPECT_EQ(blocks.Written, (std::vector<std::string>{"1", "ab", "cd", "e"}));
}

TEST(ByteOut, DroppingAStreamLosesPendingBytes) {
  TBlocks blocks;
  {
    TGenByteOut out;
    out.OnWrite = blocks.Event();
    out.WriteByte('z');
  }
  EXPECT_TRUE(blocks.Written.empty());
}

TEST(ByteOutString, GrowsByAQuarterAndCountsWhatWasWritten) {
  std::string target;
  TGenByteOutString out(target);
  for (int i = 0; i < 512; ++i) out.WriteByte(std::uint8_t(i));
  out.Flush();
  EXPECT_EQ(target.size(), 641u);
  EXPECT_EQ(out.Count, 512);
  // Room left: no growth.
  for (int i = 0; i < 129; ++i) out.WriteByte('x');
  out.Flush();
  EXPECT_EQ(target.size(), 641u);
  EXPECT_EQ(out.Count, 641);
  out.WriteByte('y');
  out.Flush();
  EXPECT_EQ(target.size(), 642u + 642 / 4 + 1);
  target.resize(out.Count);
  EXPECT_EQ(target.substr(640), "xy");
  EXPECT_EQ(std::uint8_t(target[511]), 0xFF);
}

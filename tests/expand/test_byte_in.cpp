// Input streams: refill sizes, the end of the source, ReadBytes past the buffer, Peek growth.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expand/GenByteIO.h"

namespace {
// A source over a string that records the size of every request.
class TRecordingIn : public TGenByteIn {
public:
  explicit TRecordingIn(std::string data) : FData(std::move(data)) {}
  std::vector<std::int32_t> Requests;

protected:
  std::int32_t ReadSource(std::uint8_t* buffer, std::int32_t count) override {
    Requests.push_back(count);
    std::int32_t n = std::min<std::int32_t>(count, std::int32_t(FData.size() - FAt));
    FData.copy(reinterpret_cast<char*>(buffer), n, FAt);
    FAt += n;
    return n;
  }

private:
  std::string FData;
  std::size_t FAt = 0;
};

std::string Pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = char(i * 7 + i / 256);
  return s;
}
}  // namespace

TEST(ByteIn, EmptySourceEndsOnceAndStaysEnded) {
  TRecordingIn in("");
  EXPECT_FALSE(in.EndReached());
  EXPECT_EQ(in.ReadByte(), -1);
  EXPECT_TRUE(in.EndReached());
  EXPECT_EQ(in.ReadByte(), -1);
  char buf[4];
  EXPECT_EQ(in.ReadBytes(buf, 4), 0);
  EXPECT_EQ(in.Requests, std::vector<std::int32_t>{512});
}

TEST(ByteIn, RefillsWithTheBufferSizeAndCountsDelivery) {
  std::string data = Pattern(600);
  TRecordingIn in(data);
  for (int i = 0; i < 600; ++i) ASSERT_EQ(in.ReadByte(), std::uint8_t(data[i])) << i;
  EXPECT_EQ(in.ReadByte(), -1);
  EXPECT_EQ(in.Requests, (std::vector<std::int32_t>{512, 512, 512}));
  EXPECT_EQ(in.TotalRead(), 600);
  EXPECT_EQ(in.Position(), 600);

  TRecordingIn small(data);
  small.SetBufferSize(64);
  small.ReadByte();
  small.Skip(64);
  EXPECT_EQ(small.Requests, (std::vector<std::int32_t>{64, 64}));
  EXPECT_EQ(small.Position(), 65);
}

TEST(ByteIn, ReadBytesTakesTheRestStraightFromTheSource) {
  std::string data = Pattern(600);
  TRecordingIn in(data);
  char buf[5];
  EXPECT_EQ(in.ReadBytes(buf, 5), 5);
  EXPECT_EQ(std::string(buf, 5), data.substr(0, 5));
  for (int i = 5; i < 8; ++i) EXPECT_EQ(in.ReadByte(), std::uint8_t(data[i]));
  EXPECT_EQ(in.Requests, (std::vector<std::int32_t>{5, 512}));
  EXPECT_EQ(in.TotalRead(), 517);
  EXPECT_EQ(in.Position(), 8);

  // Buffered bytes first, then one request for what is missing; a short source gives a short
  // count without setting EndReached.
  std::vector<char> big(200);
  EXPECT_EQ(in.ReadBytes(big.data(), 200), 200);
  EXPECT_EQ(std::string(big.data(), 200), data.substr(8, 200));
  EXPECT_EQ(in.Requests.size(), 2u);
  std::vector<char> rest(1000);
  EXPECT_EQ(in.ReadBytes(rest.data(), 1000), 392);
  EXPECT_EQ(std::string(rest.data(), 392), data.substr(208));
  EXPECT_EQ(in.Requests.back(), 1000 - (517 - 208));
  EXPECT_FALSE(in.EndReached());
}

TEST(ByteIn, PeekFillsBehindTheDataAndConsumesNothing) {
  const char two[] = {'\x11', '\x22'};
  TGenByteInMem in;
  in.SetSource(two, 2);
  std::int32_t available = -1;
  const std::uint8_t* p = in.Peek(4, 0, &available);
  EXPECT_EQ(available, 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(p), 4), std::string("\x11\x22\0\0", 4));
  EXPECT_FALSE(in.EndReached());
  EXPECT_EQ(in.Position(), 0);
  EXPECT_EQ(in.ReadByte(), 0x11);
  in.Skip(5);
  EXPECT_EQ(in.ReadByte(), -1);

  TGenByteInMem none;
  none.SetSource(two, 0);
  none.Peek(3, 0xAA, &available);
  EXPECT_EQ(available, 0);
  EXPECT_TRUE(none.EndReached());
}

TEST(ByteIn, PeekGrowsTheBufferToTwiceTheRequest) {
  std::string data = Pattern(3000);
  TRecordingIn in(data);
  in.ReadByte();
  in.Skip(9);
  std::int32_t available = 0;
  const std::uint8_t* p = in.Peek(600, 0, &available);
  // 502 bytes were held; the buffer becomes 1200 and the source fills the rest.
  EXPECT_EQ(in.Requests, (std::vector<std::int32_t>{512, 1200 - 502}));
  EXPECT_EQ(available, 1200);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(p), 600), data.substr(10, 600));
  in.Skip(1200);
  EXPECT_EQ(in.ReadByte(), std::uint8_t(data[1210]));
  EXPECT_EQ(in.Requests.back(), 1200);
  // Enough bytes held: no request at all.
  in.Peek(16, 0);
  EXPECT_EQ(in.Requests.size(), 3u);
}

TEST(ByteIn, ResetForgetsTheBufferAndTheCounts) {
  std::string data = Pattern(100);
  TGenByteInMem in;
  in.SetSource(data.data(), 100);
  in.Skip(100);
  EXPECT_EQ(in.ReadByte(), -1);
  in.SetSource(data.data() + 50, 50);
  EXPECT_FALSE(in.EndReached());
  EXPECT_EQ(in.TotalRead(), 0);
  EXPECT_EQ(in.ReadByte(), std::uint8_t(data[50]));
  EXPECT_EQ(in.Position(), 1);
  EXPECT_EQ(in.TotalRead(), 50);
}

// The fast decode core and the lane checksum against the reference decoder, on both paths, over
// input and output buffers of many sizes: every edge of the fast paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "expand/LzsDecode.h"
#include "expand/LzsVector.h"
#include "tests/expand/LzsReference.h"

namespace {
using Bytes = std::string;

// Both paths where the machine has both.
std::vector<bool> Paths() {
  std::vector<bool> paths{false};
  if (LzsVectorPath) paths.push_back(true);
  return paths;
}

struct PathGuard {
  bool Saved = LzsVectorPath;
  ~PathGuard() { LzsVectorPath = Saved; }
};

// Literals that hold no escape byte, different at every position.
Bytes Literals(std::size_t n, unsigned seed = 1) {
  Bytes s;
  for (std::size_t i = 0; i < n; ++i) {
    seed = seed * 1103515245u + 12345u;
    char c = char(seed >> 16);
    s += c == '\xFB' ? 'x' : c;
  }
  return s;
}

Bytes Match(unsigned length, unsigned index) {
  return {'\xFB', char((length - 4) << 4 | index >> 8), char(index & 0xFF)};
}

// A match `back` positions behind the output position `at`.
Bytes MatchBack(unsigned length, std::size_t at, unsigned back) {
  return Match(length, unsigned(at - back) & 4095);
}

TLzsReference Core(const Bytes& body, std::int32_t inBlock, std::int32_t outBlock) {
  TGenByteInMem in;
  in.SetBufferSize(inBlock);
  in.SetSource(body.data(), std::int32_t(body.size()));
  TGenByteOut out;
  out.SetBufferSize(outBlock);
  TLzsReference r{{}, 0, {}};
  out.OnWrite = [&](const std::uint8_t* p, std::int32_t n) {
    r.Output.append(reinterpret_cast<const char*>(p), std::size_t(n));
  };
  try {
    LzsDecodeBody(in, out);
    out.Flush();
  } catch (const EGTData& e) {
    r.Error = e.Message;
  }
  r.Flushed = std::int64_t(r.Output.size());
  return r;
}

// A source over a string whose request number FailAt raises, as a file read that fails does.
class TFailingSource : public TGenByteIn {
public:
  TFailingSource(const Bytes& data, int failAt) : Data(data), FailAt(failAt) {}

protected:
  std::int32_t ReadSource(std::uint8_t* buffer, std::int32_t count) override {
    if (++Requests == FailAt) throw EGTData("読み込みに失敗");
    std::size_t n = std::min(std::size_t(count), Data.size() - At);
    Data.copy(reinterpret_cast<char*>(buffer), n, At);
    At += n;
    return std::int32_t(n);
  }

private:
  const Bytes& Data;
  const int FailAt;
  int Requests = 0;
  std::size_t At = 0;
};

struct Case {
  const char* Name;
  Bytes Body;
};

std::vector<Case> BoundaryBodies(std::int32_t outBlock) {
  const Bytes far = Literals(5000);  // ring index 904, history all in the output buffer
  std::vector<Case> cases = {
      {"run ending at a block edge", Literals(16) + Match(4, 0) + Literals(32) + Match(5, 3)},
      {"runs around block edges", Literals(15) + Match(4, 1) + Literals(17) + "\xFB\xFF" +
                                      Literals(31) + Match(19, 2) + Literals(33)},
      {"escape as the last byte", Literals(40) + "\xFB"},
      {"match cut after its second byte", Literals(40) + "\xFB\x12"},
      {"escaped escape as the last bytes", Literals(40) + "\xFB\xFF"},
      {"escaped escapes only", [] {
         Bytes s;
         for (int i = 0; i < 40; ++i) s += "\xFB\xFF";
         return s;
       }()},
      {"far distances 1, 18, 19, 4096",
       far + MatchBack(19, 5000, 1) + MatchBack(18, 5019, 18) + MatchBack(19, 5037, 19) +
           MatchBack(19, 5056, 4096) + MatchBack(4, 5075, 18) + MatchBack(19, 5079, 17)},
      {"near distances 1, 18, 19, 4096",
       Literals(40) + MatchBack(19, 40, 1) + MatchBack(18, 59, 18) + MatchBack(19, 77, 19) +
           MatchBack(19, 96, 4096)},
      {"indexes 4095 to 0", far + Match(18, 4095) + Match(8, 4090) + Literals(3000) +
                                Match(18, 4095) + Match(4, 4094)},
      {"ring wrapping inside a match", Literals(4090) + MatchBack(19, 4090, 3) +
                                           MatchBack(19, 4109, 4096) + MatchBack(10, 4128, 30)},
      {"initial zeros", Literals(10) + Match(10, 5) + Match(19, 100) + Match(8, 4090) +
                            Match(19, 20) + Match(4, 4095)},
      {"overlapping matches where the window comes to lie in the buffer",
       Literals(4095) + MatchBack(18, 4095, 3) + MatchBack(18, 4113, 17)},
      {"zeros", Bytes("\xFB\xF0\x00", 3) + [] {
         Bytes s;
         for (unsigned at = 19; at < 30000; at += 19) s += MatchBack(19, at, 1);
         return s;
       }()},
  };
  // Every kind of token at random, over several rounds of the window.
  std::mt19937 rng(9);
  Bytes mixed;
  for (int i = 0; i < 5000; ++i) {
    unsigned kind = rng() % 8;
    if (kind < 3) mixed += Literals(1 + rng() % 40, rng());
    else if (kind == 3) mixed += "\xFB\xFF";
    else mixed += Match(4 + rng() % 16, rng() % 3840);
  }
  cases.push_back({"mixed", mixed});
  // Every kind of token after runs of 0 to 70 literals, so at every offset of a block of the
  // escape scan, among them matches whose X or Y byte is an escape byte.
  Bytes offsets = far;
  for (unsigned n = 0; n <= 70; ++n)
    offsets += Literals(n, n) + Match(19, 0xBFB) + Literals(n % 7, n) + "\xFB\xFF" +
               Match(4, 0xFB) + Match(12, 0x4FB) + Match(19, 0xB10) + Literals(n % 3, n);
  cases.push_back({"tokens at every offset", offsets});
  // Output ending exactly at the end of the output buffer, one byte past it, and at the edge
  // of the room that the fast path keeps.
  for (std::int32_t end : {outBlock, outBlock + 1, outBlock - 64, outBlock - 65}) {
    if (end < 200) continue;
    Bytes body = Literals(std::size_t(end) - 190);
    for (std::int32_t at = end - 190; at < end; at += 19) body += MatchBack(19, unsigned(at), 40);
    cases.push_back({"output to the buffer's end", body});
  }
  return cases;
}
}  // namespace

TEST(LzsCore, AgreesWithTheReferenceOnBoundaryBodies) {
  PathGuard guard;
  const std::pair<std::int32_t, std::int32_t> blocks[] = {
      {512, 0x40000}, {512, 512},  {1, 4096 + 65}, {3, 100},
      {17, 8191},     {1000, 1},   {65, 4096 + 65}, {129, 0x40000}};
  for (auto [inBlock, outBlock] : blocks) {
    for (const Case& c : BoundaryBodies(outBlock)) {
      for (bool vector : Paths()) {
        LzsVectorPath = vector;
        SCOPED_TRACE(::testing::Message() << c.Name << ", vector " << vector << ", in "
                                          << inBlock << ", out " << outBlock);
        TLzsReference expected = LzsReferenceBody(c.Body, outBlock);
        TLzsReference got = Core(c.Body, inBlock, outBlock);
        EXPECT_EQ(got.Error, expected.Error);
        if (!expected.Error.empty()) expected.Output.resize(std::size_t(expected.Flushed));
        EXPECT_EQ(got.Output.size(), expected.Output.size());
        EXPECT_TRUE(got.Output == expected.Output);
      }
    }
  }
}

// A read that fails mid-way leaves handed on exactly the blocks that a decoder going byte by
// byte through the bytes read before it would have handed on: the runs take nothing ahead.
TEST(LzsCore, AFailedReadLeavesWhatTheBytesBeforeItGave) {
  PathGuard guard;
  const std::int32_t inBlock = 512, outBlock = 4096 + 65;
  for (const Case& c : BoundaryBodies(outBlock)) {
    int requests = int(c.Body.size() / inBlock) + 1;
    for (int failAt = 1; failAt <= requests; failAt += std::max(1, requests / 7)) {
      TLzsReference before =
          LzsReferenceBody(c.Body.substr(0, std::size_t(failAt - 1) * inBlock), outBlock);
      for (bool vector : Paths()) {
        LzsVectorPath = vector;
        SCOPED_TRACE(::testing::Message() << c.Name << ", request " << failAt << ", vector "
                                          << vector);
        TFailingSource in(c.Body, failAt);
        in.SetBufferSize(inBlock);
        TGenByteOut out;
        out.SetBufferSize(outBlock);
        Bytes handedOn;
        out.OnWrite = [&](const std::uint8_t* p, std::int32_t n) {
          handedOn.append(reinterpret_cast<const char*>(p), std::size_t(n));
        };
        EXPECT_THROW(LzsDecodeBody(in, out), EGTData);
        EXPECT_TRUE(handedOn == before.Output.substr(0, std::size_t(before.Flushed)));
      }
    }
  }
}

TEST(LzsCore, LaneChecksumEqualsTheSerialOne) {
  PathGuard guard;
  std::mt19937 rng(4);
  Bytes data(5000, '\0');
  for (char& c : data) c = char(rng());
  for (bool vector : Paths()) {
    LzsVectorPath = vector;
    for (std::size_t n = 0; n <= 300; ++n)
      ASSERT_EQ(SumBlock(0, data.data(), std::int64_t(n)), LzsReferenceSum(data.substr(0, n)))
          << n << " bytes, vector " << vector;
    // Continued over blocks of whole words, from any offset.
    for (std::size_t split : {4, 128, 132, 1024, 4996}) {
      std::uint32_t sum = SumBlock(SumBlock(0, data.data() + 1, std::int64_t(split)),
                                   data.data() + 1 + split, std::int64_t(4999 - split));
      EXPECT_EQ(sum, LzsReferenceSum(data.substr(1))) << split << ", vector " << vector;
    }
  }
}

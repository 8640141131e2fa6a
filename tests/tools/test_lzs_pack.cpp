// The packer: its files decode back to the input, and no valid body is shorter than its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "expand/LzsDecode.h"
#include "tests/expand/LzsMemory.h"
#include "tools/lzsMatch.h"
#include "tools/lzsPack.h"

namespace {
using Bytes = std::string;

Bytes Unpack(const Bytes& file) { return ExpandInMemory(file, nullptr, u"t.lz"); }

void ExpectRoundTrip(const Bytes& data) {
  Bytes file = LzsPackFile(data, 0x01DB000011112222ull);
  ASSERT_GE(file.size(), std::size_t(LzsHeaderSize));
  EXPECT_TRUE(Unpack(file) == data) << "size " << data.size();
}

// Fewest body bytes over every parse, with every token that the decoder accepts: each of the
// 4096 window indices and 16 lengths is tried against the window as the decoder holds it.
std::size_t ShortestBody(const Bytes& data) {
  const std::size_t n = data.size();
  const auto* d = reinterpret_cast<const std::uint8_t*>(data.data());
  std::vector<std::uint32_t> lengths(n, 0);  // bit L: a match of length L fits at p
  std::uint8_t window[LzsWindowSize] = {};
  for (std::size_t p = 0; p < n; ++p) {
    for (int w = 0; w < LzsWindowSize; ++w) {
      for (int len = 1; len <= LzsMaxMatch && p + len <= n; ++len) {
        if (window[(w + len - 1) & (LzsWindowSize - 1)] != d[p + len - 1]) break;
        int x = (len - 4) << 4 | w >> 8;
        if (len >= LzsMinMatch && x != 0xFF) lengths[p] |= 1u << len;
      }
    }
    window[p & (LzsWindowSize - 1)] = d[p];
  }
  std::vector<std::size_t> best(n + 1, 0);
  for (std::size_t p = n; p-- > 0;) {
    best[p] = best[p + 1] + (d[p] == 0xFB ? 2 : 1);
    for (int len = LzsMinMatch; len <= LzsMaxMatch; ++len)
      if (lengths[p] >> len & 1) best[p] = std::min(best[p], 3 + best[p + len]);
  }
  return best[0];
}

void ExpectOptimal(const Bytes& data) {
  Bytes body = LzsPackBody(data);
  EXPECT_EQ(body.size(), ShortestBody(data)) << ::testing::PrintToString(data);
  EXPECT_TRUE(Unpack(LzsPackFile(data, 0)) == data);
}

Bytes Random(std::mt19937& rng, std::size_t n, const Bytes& alphabet) {
  Bytes s(n, '\0');
  for (char& c : s) c = alphabet[rng() % alphabet.size()];
  return s;
}

Bytes AllBytes() {
  Bytes s;
  for (int i = 0; i < 256; ++i) s += char(i);
  return s;
}
}  // namespace

TEST(LzsPack, HeaderCarriesLengthChecksumAndTime) {
  Bytes file = LzsPackFile("abcdefgh", 0x0102030405060708ull);
  EXPECT_EQ(file.substr(0, 25), Bytes("LZ01\0\x08\0\0\0\0\0\0\0\xA7\xA2\xA1\xA0"
                                      "\x08\x07\x06\x05\x04\x03\x02\x01",
                                      25));
  EXPECT_EQ(file.substr(25), "abcdefgh");
  EXPECT_EQ(LzsPackFile("", 0), LzsHeaderBytes(TLzsHeader{}));
}

TEST(LzsPack, EveryParseOfShortInputsIsNoShorter) {
  const Bytes alphabet("\0a\xFB", 3);
  for (std::size_t n = 0; n <= 5; ++n) {
    std::size_t count = 1;
    for (std::size_t i = 0; i < n; ++i) count *= alphabet.size();
    for (std::size_t k = 0; k < count; ++k) {
      Bytes s;
      for (std::size_t i = 0, v = k; i < n; ++i, v /= alphabet.size())
        s += alphabet[v % alphabet.size()];
      ExpectOptimal(s);
      if (HasFailure()) return;
    }
  }
  std::mt19937 rng(7);
  for (int i = 0; i < 150 && !HasFailure(); ++i)
    ExpectOptimal(Random(rng, 6 + rng() % 7, Bytes("\0ab\xFB", 4)));
}

TEST(LzsPack, OptimalAcrossTheRingAndTheReservedIndices) {
  std::mt19937 rng(11);
  Bytes noZero = AllBytes().substr(1);
  // At ring index 3840 nineteen zeros exist only at indices 3840 and above, where length 19
  // is reserved: 18 of them and a literal are best.
  Bytes zeros = Random(rng, 3840, noZero) + Bytes(19, '\0');
  EXPECT_EQ(LzsPackBody(zeros).size(), 3840 + std::count(zeros.begin(), zeros.end(), '\xFB') + 4);
  ExpectOptimal(zeros);
  // Copies from just under 4096 back, spans over the ring index, runs and escapes past the
  // first round of the window.
  for (int round = 0; round < 3 && !HasFailure(); ++round) {
    Bytes s = Random(rng, 4200 + rng() % 200, AllBytes());
    for (int i = 0; i < 40; ++i) {
      std::size_t at = 4096 + rng() % (s.size() - 4096);
      std::size_t back = 4070 + rng() % 26;
      std::size_t len = 4 + rng() % 20;
      for (std::size_t k = 0; k < len && at + k < s.size(); ++k) s[at + k] = s[at + k - back];
    }
    s += Bytes(30, '\0') + Bytes(25, '\xFB') + s.substr(s.size() - 4090, 40);
    ExpectOptimal(s);
  }
}

TEST(LzsPack, NineteenBytesFromAnAllowedIndexBehindAReservedOne) {
  // One 19-byte string at `allowed` and again at `reserved` (index 3840 or above, where length
  // 19 cannot be written), then once more at `at`: the newer, reserved copy must not hide the
  // older one while that is still in the window (at - 4096 and after).
  struct {
    std::size_t allowed, reserved, at;
  } cases[] = {{100, 3900, 4150},  {54, 3900, 4150},   {53, 3900, 4150},
               {3000, 3840, 4300}, {3839, 4095, 4200}, {200, 3850, 3870}};
  std::mt19937 rng(13);
  const Bytes noZero = AllBytes().substr(1), key = Random(rng, 19, noZero);
  for (const auto& c : cases) {
    Bytes s = Random(rng, c.at + 19 + 30, noZero);
    s.replace(c.allowed, 19, key);
    s.replace(c.reserved, 19, key);
    s.replace(c.at, 19, key);
    ExpectOptimal(s);
    if (HasFailure()) FAIL() << c.allowed << " " << c.reserved << " " << c.at;
  }
}

TEST(LzsPack, ParseTakesEveryLengthUpToTheLongest) {
  // Over the match finder's lengths, which its own test checks, the cheapest parse tried
  // length by length: every length from 4 to the longest must be open to the packer.
  std::mt19937 rng(23);
  for (int round = 0; round < 40 && !HasFailure(); ++round) {
    // Escape bytes cost two as literals, which makes one length cheaper than its neighbours.
    Bytes s = Random(rng, 64, Bytes("a\xFB\xFB", 3));
    while (s.size() < 3000) {
      if (rng() % 2) {
        s += Random(rng, 1 + rng() % 6, Bytes("ab\xFB\xFB", 4));
      } else {
        std::size_t from = s.size() - 1 - rng() % std::min<std::size_t>(s.size() - 1, 600);
        for (std::size_t n = 4 + rng() % 40; n > 0; --n) s += s[from++];
      }
    }
    const auto* d = reinterpret_cast<const std::uint8_t*>(s.data());
    std::vector<TLzsMatch> matches = LzsLongestMatches(d, s.size());
    std::vector<std::size_t> cost(s.size() + 1, 0);
    for (std::size_t p = s.size(); p-- > 0;) {
      cost[p] = cost[p + 1] + (d[p] == LzsEscape ? 2 : 1);
      for (int len = LzsMinMatch; len <= matches[p].Length; ++len)
        cost[p] = std::min(cost[p], 3 + cost[p + len]);
    }
    Bytes file = LzsPackFile(s, 0);
    EXPECT_EQ(file.size() - LzsHeaderSize, cost[0]) << "round " << round;
    EXPECT_TRUE(Unpack(file) == s) << "round " << round;
  }
}

TEST(LzsPack, RoundTripsGeneratedInputs) {
  std::mt19937 rng(3);
  for (std::size_t n : {0, 1, 3, 4, 5, 18, 19, 20, 4095, 4096, 4097, 262143, 262144, 262145})
    ExpectRoundTrip(Random(rng, n, AllBytes()));
  ExpectRoundTrip(Bytes(100000, '\0'));
  ExpectRoundTrip(Bytes(100000, '\xFB'));
  ExpectRoundTrip(Random(rng, 50000, Bytes("\xFB\xFF\0", 3)));
  Bytes runs;
  while (runs.size() < 300000) runs += Bytes(1 + rng() % 300, char(rng()));
  ExpectRoundTrip(runs);
  Bytes blocks, block = Random(rng, 5000, AllBytes());
  while (blocks.size() < 270000) blocks += block.substr(rng() % 4000, 1 + rng() % 1000);
  ExpectRoundTrip(blocks);
}

TEST(LzsPack, RunsAndRepeatsShrink) {
  // 19 bytes to a match; escapes first have to build up a run in the window.
  EXPECT_EQ(LzsPackBody(Bytes(19000, '\0')).size(), 3000u);
  EXPECT_LE(LzsPackBody(Bytes(19000, '\xFB')).size(), 3020u);
  std::mt19937 rng(5);
  Bytes block = Random(rng, 1000, AllBytes());
  EXPECT_LE(LzsPackBody(block + block + block).size(), 1000 * 1.1 + 2000 * 3 / 19 + 10);
}

TEST(LzsPack, RoundTripsThisProgram) {
  std::ifstream f(::testing::internal::GetArgvs()[0], std::ios::binary);
  ASSERT_TRUE(f) << ::testing::internal::GetArgvs()[0];
  Bytes data(std::istreambuf_iterator<char>(f), {});
  data.resize(std::min<std::size_t>(data.size(), 1 << 20));
  Bytes file = LzsPackFile(data, 0);
  EXPECT_LT(file.size(), data.size());
  EXPECT_TRUE(Unpack(file) == data);
}

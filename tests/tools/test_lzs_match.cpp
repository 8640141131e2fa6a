// The match finder: at every position the longest match the decoder's window allows, checked
// against the window itself, on inputs built where the near distances meet the trees.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "expand/LzsFormat.h"
#include "tools/lzsMatch.h"
#include "tools/lzsNearMatch.h"

namespace {
using Bytes = std::string;

// The window as the decoder holds it: every output byte goes to index position mod 4096, and a
// match reads all its bytes before it writes any.
struct TWindow {
  std::uint8_t Held[LzsWindowSize] = {};
  std::size_t Written = 0;

  void Push(char b) { Held[Written++ & (LzsWindowSize - 1)] = std::uint8_t(b); }
  // How many of the next bytes of data, from Written on, a match at index reproduces.
  int Fits(const Bytes& data, int index, int most) const {
    int len = 0;
    while (len < most && Written + len < data.size() &&
           Held[(index + len) & (LzsWindowSize - 1)] == std::uint8_t(data[Written + len]))
      ++len;
    return len;
  }
  int Longest(const Bytes& data) const {
    int best = 0;
    if (Written == data.size()) return 0;
    const std::uint8_t first = std::uint8_t(data[Written]);
    for (int w = 0; w < LzsWindowSize; ++w) {
      if (Held[w] != first) continue;
      int len = Fits(data, w, LzsMaxMatch);
      if (len == LzsMaxMatch && w >= 3840) len = LzsMaxMatch - 1;
      best = std::max(best, len);
    }
    return best < LzsMinMatch ? 0 : best;
  }
};

void ExpectLongestEverywhere(const Bytes& data) {
  auto matches = LzsLongestMatches(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
  ASSERT_EQ(matches.size(), data.size());
  TWindow window;
  for (std::size_t p = 0; p < data.size(); window.Push(data[p++])) {
    const TLzsMatch m = matches[p];
    int length = m.Length < LzsMinMatch ? 0 : m.Length;
    ASSERT_EQ(length, window.Longest(data)) << "at " << p << " of " << data.size();
    if (length) {
      ASSERT_EQ(window.Fits(data, m.Index, length), length) << "at " << p << " index " << m.Index;
      ASSERT_FALSE(length == LzsMaxMatch && m.Index >= 3840) << "at " << p;
    }
  }
}

Bytes Random(std::mt19937& rng, std::size_t n, int alphabet) {
  Bytes s(n, '\0');
  for (char& c : s) c = char(rng() % alphabet);
  return s;
}

// Runs of a short period, so that the newest positions share the key just searched for, then
// far copies of what came before: the far match must be found behind the near ones.
Bytes PeriodicWithCopies(std::mt19937& rng, std::size_t size, int alphabet) {
  Bytes s = Random(rng, 64, alphabet);
  while (s.size() < size) {
    switch (rng() % 3) {
      case 0: {
        Bytes unit = Random(rng, 1 + rng() % 18, alphabet);
        for (std::size_t n = 19 + rng() % 200; n > 0; --n) s += unit[n % unit.size()];
        break;
      }
      case 1: {
        std::size_t back = 19 + rng() % std::min<std::size_t>(s.size() - 19, 4200);
        std::size_t from = s.size() - back;
        for (std::size_t n = 4 + rng() % 40; n > 0; --n) s += s[from++];
        break;
      }
      default:
        s += Random(rng, 1 + rng() % 30, alphabet);
    }
  }
  s.resize(size);
  return s;
}
}  // namespace

TEST(LzsMatch, LongestAtEveryPosition) {
  std::mt19937 rng(17);
  struct {
    const char* what;
    Bytes data;
  } cases[] = {
      {"empty", ""},
      {"shorter than a match", "abc"},
      {"zeros", Bytes(4500, '\0')},
      {"escape bytes", Bytes(600, '\xFB')},
      {"two letters", Random(rng, 3000, 2)},
      {"periodic runs and far copies", PeriodicWithCopies(rng, 9000, 4)},
      {"periodic runs over all bytes", PeriodicWithCopies(rng, 5000, 256)},
      {"a 19-byte period, just far enough for the trees", [&] {
         Bytes unit = Random(rng, 19, 256), s;
         while (s.size() < 5000) s += unit;
         return s;
       }()},
      {"period 20 with one byte changed now and then", [&] {
         Bytes unit = Random(rng, 20, 256), s;
         while (s.size() < 5000) s += s.size() % 700 == 0 ? Bytes(1, char(rng())) : unit;
         return s;
       }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectLongestEverywhere(c.data);
    if (HasFatalFailure()) return;
  }
}

TEST(LzsMatch, NearDistancesAcrossTheRing) {
  // A distance below 19 reads its first d bytes from d back and the rest from what the ring
  // index held, 4096 further back.
  std::mt19937 rng(19);
  const std::size_t p = LzsWindowSize + 300;
  for (int d = 1; d <= 18; ++d) {
    Bytes s = Random(rng, p + 40, 256);
    for (int k = 0; k < LzsMaxMatch; ++k) s[p + k] = k < d ? s[p - d + k] : s[p - 4096 + k - d];
    std::vector<std::uint8_t> E(LzsWindowSize + s.size() + 32, 0);
    std::copy(s.begin(), s.end(), E.begin() + LzsWindowSize);
    std::vector<TLzsMatch> near(s.size());
    LzsNearMatches(E.data(), LzsWindowSize, std::int32_t(LzsWindowSize + s.size()), near.data());
    EXPECT_EQ(near[p].Length, LzsMaxMatch) << "distance " << d;
    TWindow window;
    for (std::size_t k = 0; k < p; ++k) window.Push(s[k]);
    EXPECT_EQ(window.Fits(s, near[p].Index, LzsMaxMatch), LzsMaxMatch) << "distance " << d;
  }
}

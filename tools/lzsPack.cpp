#include "tools/lzsPack.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "tools/lzsMatch.h"

namespace {
void PutLittleEndian(std::string& out, std::uint64_t v, int count) {
  for (int i = 0; i < count; ++i) out += char(v >> (8 * i) & 0xFF);
}

constexpr int MatchCost = 3;
int LiteralCost(std::uint8_t b) { return b == LzsEscape ? 2 : 1; }
}  // namespace

std::string LzsHeaderBytes(const TLzsHeader& header) {
  std::string out(reinterpret_cast<const char*>(LzsMagic), sizeof LzsMagic);
  PutLittleEndian(out, std::uint64_t(header.Len), 8);
  PutLittleEndian(out, header.Sum, 4);
  PutLittleEndian(out, header.FileTime, 8);
  return out;
}

std::string LzsPackBody(const std::string& data) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
  const std::size_t n = data.size();
  // Each position's longest match; the parse below puts its chosen step in place of the
  // length, which only that position needs.
  std::vector<TLzsMatch> matches = LzsLongestMatches(bytes, n);
  // Cheapest encoding of each suffix; the window depends on the data alone, not on the parse.
  // A match of any length from 4 to the longest may start at p, so the choice is the cheapest
  // suffix from p + 4 on to p + longest: a range of at most 16, taken as the cheaper of two
  // overlapping ranges of a power of two. least[k] holds, for each of the next positions q,
  // the cheapest suffix from q to q + 2^k - 1 as cost << 32 | position, the nearer of equals.
  constexpr std::size_t Kept = 32;  // positions p to p + 19 and the ones the ranges reach
  constexpr int Levels = 5;
  constexpr std::uint64_t Beyond = ~std::uint64_t(0);
  std::uint64_t least[Levels][Kept];
  for (auto& level : least) std::fill(std::begin(level), std::end(level), Beyond);
  for (auto& level : least) level[n % Kept] = std::uint64_t(n);  // cost 0 at the end
  auto costAt = [&](std::size_t q) { return std::uint32_t(least[0][q % Kept] >> 32); };
  for (std::size_t p = n; p-- > 0;) {
    std::uint32_t best = costAt(p + 1) + LiteralCost(bytes[p]);
    std::size_t step = 1;
    if (int longest = matches[p].Length; longest >= LzsMinMatch) {
      std::size_t from = p + LzsMinMatch, to = p + std::size_t(longest);
      int k = 31 - __builtin_clz(unsigned(to - from + 1));
      std::uint64_t m = std::min(least[k][from % Kept], least[k][(to + 1 - (1u << k)) % Kept]);
      if (std::uint32_t c = std::uint32_t(m >> 32) + MatchCost; c < best) {
        best = c;
        step = std::uint32_t(m) - p;
      }
    }
    least[0][p % Kept] = std::uint64_t(best) << 32 | std::uint32_t(p);
    for (int k = 1; k < Levels; ++k)
      least[k][p % Kept] = std::min(least[k - 1][p % Kept], least[k - 1][(p + (1u << (k - 1))) % Kept]);
    matches[p].Length = std::uint8_t(step);
  }
  const std::uint32_t total = costAt(0);
  // Every token is written as four bytes, of which one to three are kept.
  std::string body(total + 3, '\0');
  char* out = body.data();
  for (std::size_t p = 0; p < n;) {
    const TLzsMatch m = matches[p];
    const std::uint8_t b = bytes[p];
    std::uint32_t token = m.Length == 1 ? b | std::uint32_t(LzsLiteralEscape) << 8
                                        : LzsEscape | std::uint32_t(m.Length - LzsMinMatch) << 12 |
                                              std::uint32_t(m.Index >> 8) << 8 |
                                              std::uint32_t(m.Index & 0xFF) << 16;
    std::memcpy(out, &token, sizeof token);
    out += m.Length == 1 ? LiteralCost(b) : MatchCost;
    p += m.Length;
  }
  body.resize(total);
  return body;
}

std::string LzsPackFile(const std::string& data, std::uint64_t fileTime) {
  TLzsHeader header;
  header.Len = std::int64_t(data.size());
  header.Sum = SumBlock(0, data.data(), std::int64_t(data.size()));
  header.FileTime = fileTime;
  return LzsHeaderBytes(header) + LzsPackBody(data);
}

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
// The lesser without a branch: which one it is is as good as random.
std::uint64_t Least(std::uint64_t a, std::uint64_t b) {
  return a ^ ((a ^ b) & (std::uint64_t(0) - std::uint64_t(b < a)));
}
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
  // A match of any length from 4 to the longest may start at p, so its best is the cheapest
  // suffix from p + 4 to p + longest: at most 16 of them, covered by four overlapping runs of
  // four, or by three single ones. For the next positions q, one[q] holds the cost of the
  // suffix at q as cost << 32 | q, and two[q] and four[q] the least of two and four from q on.
  constexpr std::size_t Kept = 32;  // positions p to p + 19, and more
  constexpr std::uint64_t Beyond = ~std::uint64_t(0);
  std::uint64_t one[Kept], two[Kept], four[Kept];
  for (auto* level : {one, two, four}) std::fill(level, level + Kept, Beyond);
  one[n % Kept] = two[n % Kept] = four[n % Kept] = std::uint64_t(n);  // cost 0 at the end
  auto costAt = [&](std::size_t q) { return std::uint32_t(one[q % Kept] >> 32); };
  for (std::size_t p = n; p-- > 0;) {
    std::uint32_t best = costAt(p + 1) + LiteralCost(bytes[p]);
    std::size_t step = 1;
    if (const std::size_t longest = matches[p].Length; longest >= LzsMinMatch) {
      const std::size_t from = p + LzsMinMatch, to = p + longest;
      const std::uint64_t m =
          to - from >= 3
              ? Least(Least(four[from % Kept], four[std::min(from + 4, to - 3) % Kept]),
                      Least(four[std::min(from + 8, to - 3) % Kept], four[(to - 3) % Kept]))
              : Least(Least(one[from % Kept], one[std::min(from + 1, to) % Kept]), one[to % Kept]);
      if (std::uint32_t c = std::uint32_t(m >> 32) + MatchCost; c < best) {
        best = c;
        step = std::uint32_t(m) - p;
      }
    }
    const std::size_t at = p % Kept;
    one[at] = std::uint64_t(best) << 32 | std::uint32_t(p);
    two[at] = Least(one[at], one[(p + 1) % Kept]);
    four[at] = Least(two[at], two[(p + 2) % Kept]);
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

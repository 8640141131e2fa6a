#include "tools/lzsPack.h"

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
  std::vector<TLzsMatch> matches = LzsLongestMatches(bytes, n);
  // Cheapest encoding of each suffix; the window depends on the data alone, not on the parse.
  std::vector<std::uint32_t> cost(n + 1, 0);
  std::vector<std::uint8_t> step(n, 1);
  for (std::size_t p = n; p-- > 0;) {
    std::uint32_t best = cost[p + 1] + LiteralCost(bytes[p]);
    std::uint8_t bestStep = 1;
    for (int len = LzsMinMatch; len <= matches[p].Length; ++len) {
      std::uint32_t c = MatchCost + cost[p + len];
      if (c < best) {
        best = c;
        bestStep = std::uint8_t(len);
      }
    }
    cost[p] = best;
    step[p] = bestStep;
  }
  std::string body;
  body.reserve(cost[0]);
  for (std::size_t p = 0; p < n; p += step[p]) {
    if (step[p] == 1) {
      body += char(bytes[p]);
      if (bytes[p] == LzsEscape) body += char(LzsLiteralEscape);
    } else {
      int index = matches[p].Index;
      body += char(LzsEscape);
      body += char((step[p] - LzsMinMatch) << 4 | index >> 8);
      body += char(index & 0xFF);
    }
  }
  return body;
}

std::string LzsPackFile(const std::string& data, std::uint64_t fileTime) {
  TLzsHeader header;
  header.Len = std::int64_t(data.size());
  header.Sum = SumBlock(0, data.data(), std::int64_t(data.size()));
  header.FileTime = fileTime;
  return LzsHeaderBytes(header) + LzsPackBody(data);
}

// The decode core and the checksum of the 32-bit Windows program, both paths beside the code
// before the SSE2 work and memcpy.
//   bench_decode NAME=FILE.lz ...
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "bench/DecodeSpeed.h"
#include "bench/OldDecode.h"
#include "expand/LzsVector.h"
#include "gen0/GenError.h"

namespace {
double MBs(std::size_t bytes, double s) { return double(bytes) / 1e6 / s; }

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

volatile std::uint32_t Sink;

// Both paths of the current code beside the old code, side by side.
void ThreeWays(const char* label, std::size_t bytes, const std::function<void()>& current,
               const std::function<void()>& old) {
  const bool vector = LzsVectorPath;
  std::vector<std::function<void()>> runs = {[&] { LzsVectorPath = false; current(); }, old};
  if (vector) runs.push_back([&] { LzsVectorPath = true; current(); });
  std::vector<double> s = Race(runs, ShortBenchRuns);
  LzsVectorPath = vector;
  std::printf("  %-10s SSE2 %8.1f MB/s    portable %8.1f MB/s    old %8.1f MB/s\n", label,
              vector ? MBs(bytes, s[2]) : 0.0, MBs(bytes, s[0]), MBs(bytes, s[1]));
}
}  // namespace

int main(int argc, char** argv) {
  std::printf("processor with SSE2: %s\n", LzsVectorPath ? "yes" : "no");
  try {
    for (int i = 1; i < argc; ++i) {
      std::string arg = argv[i];
      std::size_t eq = arg.find('=');
      std::string name = arg.substr(0, eq), file = ReadAll(arg.substr(eq + 1));
      std::string data = DecodeAll(file, LzsDecodeBody);
      std::string copy(data.size(), '\0');
      double copyS =
          Race({[&] { std::memcpy(copy.data(), data.data(), data.size()); }}, ShortBenchRuns)[0];
      std::printf("%s (%zu bytes)    memcpy %8.1f MB/s\n", name.c_str(), data.size(),
                  MBs(data.size(), copyS));
      ThreeWays("decode", data.size(), [&] { DecodeChecked(file, LzsDecodeBody, SumBlock); },
                [&] { DecodeChecked(file, OldDecodeBody, OldSumBlock); });
      if (i == 1)
        ThreeWays("checksum", data.size(), [&] { Sink = SumInBlocks(data, SumBlock); },
                  [&] { Sink = SumInBlocks(data, OldSumBlock); });
    }
  } catch (const Exception& e) {
    std::printf("failed: %s\n", e.Message.c_str());
    return 1;
  }
  return 0;
}

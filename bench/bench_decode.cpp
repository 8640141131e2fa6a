// The decode core and the checksum of the 32-bit Windows program, both paths beside the code
// before the SSE2 work and memcpy.
//   bench_decode NAME=FILE.lz ...
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

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

// Both paths of the current code, then the old code.
template <class F>
void ThreeWays(const char* label, std::size_t bytes, F seconds) {
  bool vector = LzsVectorPath;
  double sse2 = vector ? seconds(true) : 0;
  LzsVectorPath = false;
  double portable = seconds(true);
  LzsVectorPath = vector;
  double old = seconds(false);
  std::printf("  %-10s SSE2 %8.1f MB/s    portable %8.1f MB/s    old %8.1f MB/s\n", label,
              vector ? MBs(bytes, sse2) : 0.0, MBs(bytes, portable), MBs(bytes, old));
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
      double copyS = BestSeconds([&] { std::memcpy(copy.data(), data.data(), data.size()); });
      std::printf("%s (%zu bytes)    memcpy %8.1f MB/s\n", name.c_str(), data.size(),
                  MBs(data.size(), copyS));
      ThreeWays("decode", data.size(), [&](bool current) {
        return current ? DecodeSeconds(file, LzsDecodeBody, SumBlock)
                       : DecodeSeconds(file, OldDecodeBody, OldSumBlock);
      });
      if (i == 1)
        ThreeWays("checksum", data.size(), [&](bool current) {
          return SumSeconds(data, current ? SumBlock : OldSumBlock);
        });
    }
  } catch (const Exception& e) {
    std::printf("failed: %s\n", e.Message.c_str());
    return 1;
  }
  return 0;
}

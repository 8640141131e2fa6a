// The checksum, packing and the decode core on large inputs, natively: each beside memcpy and
// beside the code before this work, with mscompress and gzip -9 for scale. Figures are of CPU
// time (BenchClock.h).
//   bench_lzs NAME=FILE ...
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "bench/BenchClock.h"
#include "bench/DecodeSpeed.h"
#include "bench/ExactOptimum.h"
#include "bench/OldDecode.h"
#include "bench/OldPack.h"
#include "expand/LzsVector.h"
#include "tools/lzsPack.h"

namespace {
double MBs(size_t bytes, double s) { return double(bytes) / 1e6 / s; }

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// CPU time of the finished child processes.
double ChildrenSeconds() {
  rusage r;
  getrusage(RUSAGE_CHILDREN, &r);
  return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
         double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

void ExternalTool(const char* label, const std::string& command, const std::string& output,
                  size_t inputSize) {
  double t = ChildrenSeconds();
  if (std::system(command.c_str()) != 0) {
    std::printf("  %-22s failed\n", label);
    return;
  }
  double s = ChildrenSeconds() - t;
  std::ifstream f(output, std::ios::binary | std::ios::ate);
  std::printf("  %-22s %8.1f MB/s  %10lld bytes (%.1f%%)\n", label, MBs(inputSize, s),
              (long long)f.tellg(), 100.0 * double(f.tellg()) / double(inputSize));
}

// The current code on both paths, the old code and memcpy, side by side.
std::vector<double> FourWays(const std::string& data, const std::function<void()>& current,
                             const std::function<void()>& old) {
  const bool vector = LzsVectorPath;
  std::string copy(data.size(), '\0');
  std::vector<double> s = Race({[&] { LzsVectorPath = vector; current(); },
                                [&] { LzsVectorPath = false; current(); }, old,
                                [&] { std::memcpy(copy.data(), data.data(), data.size()); }},
                               ShortBenchRuns);
  LzsVectorPath = vector;
  for (double& t : s) t = MBs(data.size(), t);
  return s;
}

volatile std::uint32_t Sink;

void Checksum(const std::string& data) {
  std::vector<double> r = FourWays(data, [&] { Sink = SumInBlocks(data, SumBlock); },
                                   [&] { Sink = SumInBlocks(data, OldSumBlock); });
  std::printf("checksum           %8.1f MB/s    portable %8.1f MB/s    old %8.1f MB/s    "
              "memcpy %8.1f MB/s\n", r[0], r[1], r[2], r[3]);
}

void Input(const std::string& name, const std::string& data) {
  std::printf("%s (%zu bytes)\n", name.c_str(), data.size());
  std::string packed, oldBody;
  std::vector<double> pack = Race({[&] { packed = LzsPackFile(data, 0); },
                                   [&] {
                                     Sink = OldSumBlock(0, data.data(), std::int64_t(data.size()));
                                     oldBody = OldPackBody(data);
                                   }},
                                  2);
  std::size_t body = packed.size() - LzsHeaderSize, optimum = ExactShortestBody(data);
  std::printf("  %-22s %8.1f MB/s    old %8.1f MB/s    %zu bytes (%.1f%%), %+.2f%% over the "
              "exact optimum (old %+.2f%%)\n",
              "lzs pack", MBs(data.size(), pack[0]), MBs(data.size(), pack[1]), packed.size(),
              100.0 * double(packed.size()) / double(data.size()),
              100.0 * (double(body) - double(optimum)) / double(optimum),
              100.0 * (double(oldBody.size()) - double(optimum)) / double(optimum));

  std::vector<double> r = FourWays(data, [&] { DecodeChecked(packed, LzsDecodeBody, SumBlock); },
                                   [&] { DecodeChecked(packed, OldDecodeBody, OldSumBlock); });
  std::printf("  %-22s %8.1f MB/s    portable %8.1f MB/s    old %8.1f MB/s    memcpy %8.1f MB/s\n",
              "decode with checksum", r[0], r[1], r[2], r[3]);
  if (DecodeAll(packed, LzsDecodeBody) != data) std::printf("  DECODE MISMATCH\n");

  std::string tmp = "/tmp/morimo_bench_" + name;
  std::ofstream(tmp, std::ios::binary) << data;
  ExternalTool("mscompress", "rm -f " + tmp + "_ && mscompress " + tmp, tmp + "_", data.size());
  ExternalTool("gzip -9", "gzip -9 -c " + tmp + " > " + tmp + ".gz", tmp + ".gz", data.size());
  std::remove(tmp.c_str());
  std::remove((tmp + "_").c_str());
  std::remove((tmp + ".gz").c_str());
}
}  // namespace

int main(int argc, char** argv) {
  std::printf("decode core: %s path; figures in MB/s of output\n",
              LzsVectorPath ? "SSE2" : "portable");
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    size_t eq = arg.find('=');
    std::string name = arg.substr(0, eq), path = arg.substr(eq + 1);
    std::string data = ReadAll(path);
    if (data.empty()) {
      std::printf("%s: cannot read %s\n", name.c_str(), path.c_str());
      continue;
    }
    if (i == 1) Checksum(data);
    Input(name, data);
  }
}

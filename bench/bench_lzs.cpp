// Packing and the decode core on large inputs, beside memcpy, mscompress and gzip -9.
//   bench_lzs NAME=FILE ...   (each file is repeated up to 16 MiB)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <time.h>

#include "expand/LzsDecode.h"
#include "tools/lzsPack.h"

namespace {
constexpr size_t Size = 16u << 20;
// <chrono> cannot be compiled with the Shift-JIS execution character set: the POSIX clock.
struct Clock {
  static double now() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
  }
};

double Seconds(double start) { return Clock::now() - start; }
double MBs(size_t bytes, double s) { return bytes / 1e6 / s; }

std::string Repeated(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  std::string one = s.str(), all;
  if (one.empty()) return all;
  while (all.size() < Size) all += one;
  all.resize(Size);
  return all;
}

// Best of three runs of f.
template <class F>
double Best(F f) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    auto t = Clock::now();
    f();
    best = std::min(best, Seconds(t));
  }
  return best;
}

void ExternalTool(const char* label, const std::string& command, const std::string& output,
                  size_t inputSize) {
  auto t = Clock::now();
  if (std::system(command.c_str()) != 0) {
    std::printf("  %-10s failed\n", label);
    return;
  }
  double s = Seconds(t);
  std::ifstream f(output, std::ios::binary | std::ios::ate);
  std::printf("  %-10s %8.1f MB/s  %10lld bytes (%.1f%%)\n", label, MBs(inputSize, s),
              (long long)f.tellg(), 100.0 * double(f.tellg()) / inputSize);
}
}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    size_t eq = arg.find('=');
    std::string name = arg.substr(0, eq), path = arg.substr(eq + 1);
    std::string data = Repeated(path);
    if (data.empty()) {
      std::printf("%s: cannot read %s\n", name.c_str(), path.c_str());
      continue;
    }
    std::printf("%s (%zu bytes)\n", name.c_str(), data.size());

    auto t = Clock::now();
    std::string packed = LzsPackFile(data, 0);
    double packS = Seconds(t);
    std::printf("  %-10s %8.1f MB/s  %10zu bytes (%.1f%%)\n", "lzs pack", MBs(data.size(), packS),
                packed.size(), 100.0 * packed.size() / data.size());

    std::string out(data.size(), '\0');
    double decodeS = Best([&] {
      TGenByteInMem in;
      in.SetSource(packed.data(), std::int32_t(packed.size()));
      TLzsHeader h = LzsReadHeader(in);
      size_t at = 0;
      TGenByteOut o;
      o.SetBufferSize(0x40000);
      o.OnWrite = [&](const std::uint8_t* p, std::int32_t n) {
        std::memcpy(out.data() + at, p, size_t(n));
        at += size_t(n);
      };
      LzsDecodeBody(in, o);
      o.Flush();
      LzsCheck(h, std::int64_t(at), SumBlock(0, out.data(), std::int64_t(at)), u"bench");
    });
    std::string copy(data.size(), '\0');
    double memcpyS = Best([&] { std::memcpy(copy.data(), data.data(), data.size()); });
    std::printf("  %-10s %8.1f MB/s output (with checksum)   memcpy %8.1f MB/s\n", "decode",
                MBs(data.size(), decodeS), MBs(data.size(), memcpyS));
    if (out != data) std::printf("  DECODE MISMATCH\n");

    std::string tmp = "/tmp/morimo_bench_" + name;
    std::ofstream(tmp, std::ios::binary) << data;
    ExternalTool("mscompress", "rm -f " + tmp + "_ && mscompress " + tmp, tmp + "_", data.size());
    ExternalTool("gzip -9", "gzip -9 -c " + tmp + " > " + tmp + ".gz", tmp + ".gz", data.size());
    std::remove(tmp.c_str());
    std::remove((tmp + "_").c_str());
    std::remove((tmp + ".gz").c_str());
  }
}

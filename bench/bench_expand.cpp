// ExpandFile on a large LZ01 file beside CopyFileA of the expanded data and the system LZ
// library on an SZDD file of the same data. Wall times, best of three.
//   bench_expand FILE.lz FILE.xx_ FILE.expanded OUTFOLDER
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "expand/ExpandFile.h"
#include "gen0/GenError.h"

namespace {
template <class F>
double BestMs(F f) {
  double best = 1e12;
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  for (int i = 0; i < 3; ++i) {
    LARGE_INTEGER a, b;
    QueryPerformanceCounter(&a);
    f();
    QueryPerformanceCounter(&b);
    best = std::min(best, double(b.QuadPart - a.QuadPart) * 1000.0 / double(freq.QuadPart));
  }
  return best;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: bench_expand FILE.lz FILE.xx_ FILE.expanded OUTFOLDER\n");
    return 2;
  }
  std::string lz = argv[1], szdd = argv[2], plain = argv[3], folder = argv[4];
  std::string out = folder + "\\bench_out.bin";
  try {
    UseLzsFormat = true;
    double expand = BestMs([&] { ExpandFile(lz, out, true, true); });
    double copy = BestMs([&] {
      DeleteFileA(out.c_str());
      CopyFileA(plain.c_str(), out.c_str(), FALSE);
    });
    UseLzsFormat = false;
    double system = BestMs([&] { SystemExpandFile(szdd, out, true, true); });
    DeleteFileA(out.c_str());
    std::printf("ExpandFile (LZ01)      %9.1f ms  (%.2fx CopyFileA)\n", expand, expand / copy);
    std::printf("CopyFileA              %9.1f ms\n", copy);
    std::printf("lz32 LZRead (SZDD)     %9.1f ms  (%.2fx ExpandFile)\n", system, system / expand);
  } catch (const Exception& e) {
    std::fprintf(stderr, "failed: %s\n", e.Message.c_str());
    return 1;
  }
  return 0;
}

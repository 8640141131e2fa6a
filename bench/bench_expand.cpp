// ExpandFile on a large LZ01 file, where its time goes, beside the honest peer (CopyFileA of the
// expanded data followed by FlushFileBuffers, since the expansion flushes too) and beside the
// system LZ library on an SZDD file of the same data. Wall times, best of five, taken in turn.
//   bench_expand FILE.lz FILE.xx_ FILE.expanded OUTFOLDER
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "expand/ExpandFile.h"
#include "expand/LzsExpansion.h"
#include "gen0/GenError.h"

namespace {

void Expand(const std::string& lz, const std::string& out) {
  UseLzsFormat = true;
  ExpandFile(lz, out, true, true);
}

void CopyAndFlush(const std::string& plain, const std::string& out) {
  DeleteFileA(out.c_str());
  CopyFileA(plain.c_str(), out.c_str(), FALSE);
  HANDLE h = CreateFileA(out.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  FlushFileBuffers(h);
  CloseHandle(h);
}

void Copy(const std::string& plain, const std::string& out) {
  DeleteFileA(out.c_str());
  CopyFileA(plain.c_str(), out.c_str(), FALSE);
}

void SystemLz(const std::string& szdd, const std::string& out) {
  UseLzsFormat = false;
  SystemExpandFile(szdd, out, true, true);
}

// The steps of the expansion one by one, each the best of five; the rest of the whole
// (deleting the old destination, opening and closing) is what the steps leave.
void Steps(const std::string& lz, const std::string& out, double whole) {
  double decode = 1e12, verify = 1e12, stamp = 1e12, flush = 1e12;
  for (int i = 0; i < BenchRuns; ++i) {
    DeleteFileA(out.c_str());
    TLzsExpansion x;
    double t0 = Now();
    x.Decode(AnsiToWide(lz), AnsiToWide(out));
    double t1 = Now();
    x.Verify();
    double t2 = Now();
    x.Stamp();
    double t3 = Now();
    x.Flush();
    double t4 = Now();
    decode = std::min(decode, t1 - t0);
    verify = std::min(verify, t2 - t1);
    stamp = std::min(stamp, t3 - t2);
    flush = std::min(flush, t4 - t3);
  }
  std::printf("  decode and write            %9.1f ms\n", 1000 * decode);
  std::printf("  read-back and checksum      %9.1f ms\n", 1000 * verify);
  std::printf("  stamp                       %9.1f ms\n", 1000 * stamp);
  std::printf("  flush                       %9.1f ms\n", 1000 * flush);
  std::printf("  delete, open, close         %9.1f ms\n",
              whole - 1000 * (decode + verify + stamp + flush));
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
    std::vector<double> ms = Race({[&] { Expand(lz, out); }, [&] { CopyAndFlush(plain, out); },
                                   [&] { Copy(plain, out); }, [&] { SystemLz(szdd, out); }});
    for (double& t : ms) t *= 1000;
    double expand = ms[0], copy = ms[1], copyOnly = ms[2], system = ms[3];
    std::printf("ExpandFile (LZ01)             %9.1f ms  (%.2fx CopyFileA + flush)\n", expand,
                expand / copy);
    Steps(lz, out, expand);
    std::printf("CopyFileA + FlushFileBuffers  %9.1f ms\n", copy);
    std::printf("CopyFileA alone               %9.1f ms\n", copyOnly);
    std::printf("lz32 LZRead (SZDD)            %9.1f ms  (%.2fx ExpandFile)\n", system,
                system / expand);
    DeleteFileA(out.c_str());
  } catch (const Exception& e) {
    std::fprintf(stderr, "failed: %s\n", e.Message.c_str());
    return 1;
  }
  return 0;
}

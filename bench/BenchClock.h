// Seconds for the benchmarks. On the host they are the CPU time of the calling thread: the
// machine is shared, and what is measured runs on one thread without waiting. Under Windows
// they are wall-clock seconds. (<chrono> does not compile with the Shift-JIS execution
// character set.)
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#ifdef _WIN32
#include <windows.h>
inline double Now() {
  LARGE_INTEGER frequency, t;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) / double(frequency.QuadPart);
}
// Wall-clock time needs more tries to find a quiet moment.
constexpr int BenchRuns = 5;
#else
#include <time.h>
inline double Now() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}
constexpr int BenchRuns = 3;
#endif

// Runs that take milliseconds, as one decode of 16 MiB does: many rounds are cheap, and the best
// of them is taken in a quiet moment of a shared machine.
constexpr int ShortBenchRuns = 15;

// Runs the functions in turn, `rounds` times over, and gives the best seconds of each: under a
// changing load, figures that are to be compared are taken side by side.
inline std::vector<double> Race(const std::vector<std::function<void()>>& runs,
                                int rounds = BenchRuns) {
  std::vector<double> best(runs.size(), 1e12);
  for (int r = 0; r < rounds; ++r)
    for (std::size_t i = 0; i < runs.size(); ++i) {
      double t = Now();
      runs[i]();
      best[i] = std::min(best[i], Now() - t);
    }
  return best;
}

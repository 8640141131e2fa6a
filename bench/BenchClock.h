// Seconds for the benchmarks. On the host they are the CPU time of the calling thread: the
// machine is shared, and what is measured runs on one thread without waiting. Under Windows
// they are wall-clock seconds. (<chrono> does not compile with the Shift-JIS execution
// character set.)
#pragma once

#include <algorithm>

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

// Best of `runs` runs of f, in seconds.
template <class F>
double BestSeconds(F f, int runs = BenchRuns) {
  double best = 1e12;
  for (int i = 0; i < runs; ++i) {
    double t = Now();
    f();
    best = std::min(best, Now() - t);
  }
  return best;
}

// Wall-clock seconds for the benchmarks, on the host and under Windows. (<chrono> does not
// compile with the Shift-JIS execution character set.)
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
#else
#include <time.h>
inline double Now() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}
#endif

// Best of `runs` runs of f, in seconds.
template <class F>
double BestSeconds(F f, int runs = 3) {
  double best = 1e12;
  for (int i = 0; i < runs; ++i) {
    double t = Now();
    f();
    best = std::min(best, Now() - t);
  }
  return best;
}

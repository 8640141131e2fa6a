#include "expand/LzsVector.h"

#if LZS_HAVE_SSE2_PATH
#include <cpuid.h>
#endif

namespace {
bool CpuHasSse2() {
#if LZS_HAVE_SSE2_PATH
  unsigned a, b, c, d;
  return __get_cpuid(1, &a, &b, &c, &d) && (d & bit_SSE2) != 0;
#else
  return false;
#endif
}
}  // namespace

bool LzsVectorPath = CpuHasSse2();

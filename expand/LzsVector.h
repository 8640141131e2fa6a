// The decode core and the checksum each have an SSE2 path and a portable path that give the
// same results. The 32-bit program also runs on processors without SSE2, so the choice is made
// at run time.
#pragma once

// True when the SSE2 paths are taken: set from cpuid at start; tests switch it to run both.
extern bool LzsVectorPath;

#if defined(__i386__) || defined(__x86_64__)
#define LZS_HAVE_SSE2_PATH 1
// Entry points of the SSE2 paths: the stack of a 32-bit Windows caller is only 4-byte aligned.
#define LZS_SSE2 __attribute__((target("sse2"), force_align_arg_pointer))
#else
#define LZS_HAVE_SSE2_PATH 0
#endif

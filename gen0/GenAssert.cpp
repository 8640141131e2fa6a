#include "gen0/GenAssert.h"

#include <cstdio>

namespace {
std::string AssertionText(const char* message, const char* file, int line) {
  char buf[600];
  std::snprintf(buf, sizeof buf, "%s (%s, %d 行)", message, file, line);
  return buf;
}
}  // namespace

EAssertionFailed::EAssertionFailed(const char* message, const char* file, int line)
    : Exception(AssertionText(message, file, line)) {}

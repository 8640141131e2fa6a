// The runtime's assertion: a failed check raises EAssertionFailed with the message, the source
// path and the line, as "%s (%s, %d 行)".
#pragma once

#include "gen0/GenError.h"

class EAssertionFailed : public Exception {
public:
  EAssertionFailed(const char* message, const char* file, int line);
  [[noreturn]] void Raise() const override { throw *this; }
};

#define GEN_ASSERT(cond) \
  ((cond) ? void(0) : throw EAssertionFailed("Assertion failure", __FILE__, __LINE__))

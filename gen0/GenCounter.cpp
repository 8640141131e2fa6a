#include "gen0/GenCounter.h"

#include "gen0/GenError.h"

std::uint32_t s_timeMax = 0;

namespace {
std::uint32_t s_threshold = 0xBFFFFFFEu;
TCounterHighProc s_onCounterHigh = nullptr;
bool s_counterHighCalled = false;

void CheckCounterHigh() {
  if (s_onCounterHigh && !s_counterHighCalled && s_timeMax >= s_threshold) {
    s_counterHighCalled = true;
    s_onCounterHigh(s_timeMax);
  }
}
}  // namespace

void SetOnCounterHigh(TCounterHighProc proc) {
  s_onCounterHigh = proc;
  CheckCounterHigh();
}

void SetCounterThreshold(bool debugMode) { s_threshold = debugMode ? 10000000u : 0xBFFFFFFEu; }

std::uint32_t NextCount(std::uint32_t& counter) {
  if (counter == 0xFFFFFFFFu)
    throw ELuError("カウンタオーバーフロー。これ以上処理を続けることができません");
  ++counter;
  if (counter > s_timeMax) {
    s_timeMax = counter;
    CheckCounterHigh();
  }
  return counter;
}

void ResetCounters() {
  s_timeMax = 0;
  s_threshold = 0xBFFFFFFEu;
  s_onCounterHigh = nullptr;
  s_counterHighCalled = false;
}

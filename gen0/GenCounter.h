// Sequence counters and the watch on their highest value.
#pragma once

#include <cstdint>

// Highest value any sequence counter has reached.
extern std::uint32_t s_timeMax;

// Called once in the process, with s_timeMax, the first time it reaches the threshold while set.
using TCounterHighProc = void (*)(std::uint32_t highest);
void SetOnCounterHigh(TCounterHighProc proc);
// 10000000 in debug mode, 0xBFFFFFFE otherwise; fixed at start-up.
void SetCounterThreshold(bool debugMode);

// Adds 1 to counter and returns it; a counter at 0xFFFFFFFF raises and stays unchanged.
std::uint32_t NextCount(std::uint32_t& counter);

// Back to the state at load; for the base library's shut-down and for tests.
void ResetCounters();

// The entry format of both logs and the process signature of tracked objects.
#pragma once

#include <cstdint>
#include <string>

struct LogTime {
  unsigned Year, Month, Day, Hour, Minute, Second;
};

// "%u/%u/%u %.2u:%.2u:%.2u" then "{", CR LF, the text, CR LF, "}", CR LF.
std::string FormatLogEntry(const LogTime& time, const std::string& text);

// From GetTickCount / 100: with b its low byte, the bytes b+5, b+6, b+7, b+8 from the top.
std::uint32_t ComputeProcessSignature(std::uint32_t tickCount);

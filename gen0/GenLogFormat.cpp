#include "gen0/GenLogFormat.h"

#include <cstdio>

std::string FormatLogEntry(const LogTime& t, const std::string& text) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%u/%u/%u %.2u:%.2u:%.2u", t.Year, t.Month, t.Day, t.Hour,
                t.Minute, t.Second);
  return std::string(stamp) + "{\r\n" + text + "\r\n}\r\n";
}

std::uint32_t ComputeProcessSignature(std::uint32_t tickCount) {
  std::uint32_t b = (tickCount / 100) & 0xFF;
  return ((b + 5) & 0xFF) << 24 | ((b + 6) & 0xFF) << 16 | ((b + 7) & 0xFF) << 8 | ((b + 8) & 0xFF);
}

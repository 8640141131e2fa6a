// The platform gate: every 64-bit Windows, a 32-bit one from version 6.2 on; the probe is
// asked only from version 4.10 on.
#include <gtest/gtest.h>

#include "app/PlatformGate.h"

namespace {
int g_probes = 0;
bool Wow64() { return ++g_probes, true; }
bool Native32() { return ++g_probes, false; }
}  // namespace

TEST(PlatformGate, SixtyFourBitOrWindows8) {
  const struct {
    const char* name;
    std::uint32_t version;
    bool (*probe)();
    bool accepted;
    int probes;
  } cases[] = {
      {"Windows 7 32-bit", 0x0601, Native32, false, 1},
      {"Windows 7 64-bit", 0x0601, Wow64, true, 1},
      {"Vista 64-bit, below 6.1", 0x0600, Wow64, true, 1},
      {"Windows 8 32-bit", 0x0602, Native32, true, 1},
      {"4.10 without the probe's answer", 0x040A, Native32, false, 1},
      {"below 4.10: never probed", 0x0400, Wow64, false, 0},
  };
  for (const auto& c : cases) {
    g_probes = 0;
    EXPECT_EQ(PlatformAccepted(c.version, c.probe), c.accepted) << c.name;
    EXPECT_EQ(g_probes, c.probes) << c.name;
  }
  EXPECT_NO_THROW(IsWow64());  // here the system answers
}

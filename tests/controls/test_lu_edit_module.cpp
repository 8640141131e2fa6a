// The edit field's module start-up: the era table written to the current user's registry byte
// for byte, the era list read back up to the first missing or empty value, the wheel message.
#include <gtest/gtest.h>

#include "controls/LuEditModule.h"

namespace {
// The era names as the Shift-JIS bytes that the registry must hold.
const std::vector<std::string> Eras = {
    "M=1868/01/01\x96\xbe\x8e\xa1", "T=1912/07/30\x91\xe5\x90\xb3", "S=1926/12/25\x8f\xba\x98\x61",
    "H=1989/01/08\x95\xbd\x90\xac", "R=2019/05/01\x97\xdf\x98\x61"};

void SetValue(const char* name, const std::string& data) {
  RegSetKeyValueA(HKEY_CURRENT_USER, WarekiKey, name, REG_SZ, data.c_str(), DWORD(data.size() + 1));
}

// The value's type and bytes as stored, terminating NUL included.
std::pair<DWORD, std::string> Stored(const std::string& name) {
  char data[64] = {};
  DWORD type = 0, size = sizeof data;
  RegGetValueA(HKEY_CURRENT_USER, WarekiKey, name.c_str(), RRF_RT_ANY, &type, data, &size);
  return {type, std::string(data, size)};
}
}  // namespace

TEST(EraTable, StoredAtStartUpAndReadUpToTheFirstGap) {
  RegDeleteTreeA(HKEY_CURRENT_USER, WarekiKey);
  EXPECT_TRUE(ReadWarekiList().empty());
  SetValue("1", "X=1900/01/01");
  SetValue("6", "N=2100/01/01新元号");
  LuEditStartup();
  for (std::size_t i = 0; i < Eras.size(); ++i)
    EXPECT_EQ(Stored(std::to_string(i + 1)), std::make_pair(DWORD(REG_SZ), Eras[i] + '\0'));
  std::vector<std::string> list = Eras;
  list.push_back("N=2100/01/01新元号");
  EXPECT_EQ(WarekiList(), list);
  EXPECT_EQ(MsWheelRollMsg, RegisterWindowMessageW(L"MSWHEEL_ROLLMSG"));
  LuEditShutdown();
  EXPECT_TRUE(WarekiList().empty());

  // Value, new data (null: deleted), the list's length then.
  const std::tuple<const char*, const char*, std::size_t> gaps[] = {
      {"3", nullptr, 2}, {"4", "", 3}, {"1", nullptr, 0}};
  for (auto [name, data, count] : gaps) {
    StoreWarekiTable();
    if (data)
      SetValue(name, data);
    else
      RegDeleteKeyValueA(HKEY_CURRENT_USER, WarekiKey, name);
    EXPECT_EQ(ReadWarekiList().size(), count) << name;
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, WarekiKey);
}

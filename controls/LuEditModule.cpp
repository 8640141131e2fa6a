#include "controls/LuEditModule.h"

#include "controls/FloatDDButton.h"
#include "gen0/GenReg.h"

UINT MsWheelRollMsg = 0;

namespace {
std::vector<std::string> s_warekiList;

struct TEraValue {
  const char* Name;
  const char* Data;
};
const TEraValue WarekiTable[] = {
    {"1", "M=1868/01/01明治"}, {"2", "T=1912/07/30大正"}, {"3", "S=1926/12/25昭和"},
    {"4", "H=1989/01/08平成"}, {"5", "R=2019/05/01令和"},
};
}  // namespace

void StoreWarekiTable() {
  HKEY key = NoRegKey;
  CheckRegResult(true, RegCreateKeyExA(HKEY_CURRENT_USER, WarekiKey, 0, nullptr, 0, KEY_SET_VALUE,
                                       nullptr, &key, nullptr));
  try {
    for (const TEraValue& v : WarekiTable) {
      const std::string data = v.Data;
      CheckRegResult(true, RegSetValueExA(key, v.Name, 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(data.c_str()),
                                          DWORD(data.size() + 1)));
    }
  } catch (...) {
    CloseRegKey(key, false);
    throw;
  }
  CloseRegKey(key, true);
}

std::vector<std::string> ReadWarekiList() {
  std::vector<std::string> list;
  HKEY key = NoRegKey;
  if (!OpenRegKey(HKEY_CURRENT_USER, WarekiKey, KEY_QUERY_VALUE, true, key)) return list;
  try {
    for (char name = '1'; name <= '9'; ++name) {
      DWORD type = 0;
      std::string data;
      if (!QueryRegValue(key, std::string(1, name), type, data)) break;
      data.resize(data.find('\0') == std::string::npos ? data.size() : data.find('\0'));
      if (data.empty()) break;
      list.push_back(data);
    }
  } catch (...) {
    CloseRegKey(key, false);
    throw;
  }
  CloseRegKey(key, true);
  return list;
}

const std::vector<std::string>& WarekiList() { return s_warekiList; }

void LuEditStartup() {
  StoreWarekiTable();
  s_warekiList = ReadWarekiList();
  MsWheelRollMsg = RegisterWindowMessageW(L"MSWHEEL_ROLLMSG");
}

void LuEditShutdown() {
  FreeFloatDDButton();
  s_warekiList.clear();
  s_warekiList.shrink_to_fit();
}

// The resources that windres puts into the programs: the updater's icon, manifest and version,
// and the dialogs' button glyphs.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "gui/WideText.h"

namespace {
std::string Resource(const wchar_t* name, const wchar_t* type) {
  HRSRC r = FindResourceW(nullptr, name, type);
  if (!r) return {};
  auto* p = static_cast<const char*>(LockResource(LoadResource(nullptr, r)));
  return std::string(p, SizeofResource(nullptr, r));
}

std::string VersionString(const char* field) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD size = GetFileVersionInfoSizeW(path, nullptr);
  std::vector<char> data(size);
  if (!size || !GetFileVersionInfoW(path, 0, size, data.data())) return {};
  std::wstring key = L"\\StringFileInfo\\041104B0\\" + Widen(field);
  wchar_t* value = nullptr;
  UINT n = 0;
  if (!VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &n)) return {};
  return Narrow(std::wstring(value, n > 0 ? n - 1 : 0));
}
}  // namespace

TEST(Resources, IconManifestAndVersionOfTheUpdater) {
  EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"), nullptr);
  std::string manifest = Resource(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  for (const char* part : {"level=\"requireAdministrator\"",
                           "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
                           "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
                           ">true</dpiAware>"})
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  EXPECT_EQ(VersionString("FileDescription"), "モリモVer.２の更新プログラム");
  EXPECT_EQ(VersionString("ProductName"), "モリモVer.２");
  EXPECT_EQ(VersionString("OriginalFilename"), "morimo_update.exe");
}

TEST(Resources, EveryGlyphHoldsANormalAndADisabledPicture) {
  for (const char* name : {"BBYES", "BBNO", "BBOK", "BBCANCEL", "BBABORT", "BBRETRY", "BBIGNORE",
                           "BBALL", "BBHELP"}) {
    SCOPED_TRACE(name);
    HBITMAP b = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0,
                                                0, LR_CREATEDIBSECTION));
    ASSERT_NE(b, nullptr);
    BITMAP bm = {};
    GetObjectA(b, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 32);
    EXPECT_EQ(bm.bmHeight, 16);
    DeleteObject(b);
  }
}

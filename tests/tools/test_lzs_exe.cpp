// lzs.exe end to end under Windows: exit codes, and a pack that the product expands exactly.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

namespace {
std::string Folder() {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string s = exe;
  return s.substr(0, s.find_last_of('\\') + 1);
}

DWORD RunLzs(const std::string& args) {
  std::string cmd = "\"" + Folder() + "lzs.exe\" " + args;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return 0xFFFFFFFF;
  WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 0xFFFFFFFE;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

std::uint64_t LastWrite(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA a = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a);
  return std::uint64_t(a.ftLastWriteTime.dwHighDateTime) << 32 | a.ftLastWriteTime.dwLowDateTime;
}
}  // namespace

TEST(LzsExe, PackUnpackAndExitCodes) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string src = Folder() + "lzs.exe";  // a real executable as the data
  std::string lz = std::string(tmp) + "lzs_exe_test.lz";
  std::string out = std::string(tmp) + "lzs_exe_test.out";

  ASSERT_EQ(RunLzs("pack \"" + src + "\" \"" + lz + "\""), 0u);
  EXPECT_LT(ReadAll(lz).size(), ReadAll(src).size());
  ASSERT_EQ(RunLzs("unpack \"" + lz + "\" \"" + out + "\""), 0u);
  EXPECT_EQ(ReadAll(out), ReadAll(src));
  EXPECT_EQ(LastWrite(out), LastWrite(src));
  EXPECT_EQ(RunLzs("info \"" + lz + "\""), 0u);

  EXPECT_EQ(RunLzs("unpack \"" + src + "\" \"" + out + "\""), 1u);  // not LZ01
  EXPECT_EQ(RunLzs("pack onlyone"), 2u);
  DeleteFileA(lz.c_str());
  DeleteFileA(out.c_str());
}

TEST(LzsExe, NeverWritesOverItsSource) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string lz = std::string(tmp) + "lzs_exe_self.lz";
  std::string link = std::string(tmp) + "lzs_exe_link.lz";
  ASSERT_EQ(RunLzs("pack \"" + Folder() + "lzs.exe\" \"" + lz + "\""), 0u);
  std::string before = ReadAll(lz);
  DeleteFileA(link.c_str());
  ASSERT_TRUE(CreateHardLinkA(link.c_str(), lz.c_str(), nullptr));
  for (const char* command : {"unpack", "pack"})
    for (const std::string& destination : {lz, link}) {
      EXPECT_EQ(RunLzs(std::string(command) + " \"" + lz + "\" \"" + destination + "\""), 2u)
          << command << " " << destination;
      EXPECT_TRUE(ReadAll(lz) == before);
    }
  DeleteFileA(link.c_str());
  DeleteFileA(lz.c_str());
}

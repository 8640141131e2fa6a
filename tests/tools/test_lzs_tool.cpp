// The lzs command line on the host: exit codes, messages in UTF-8, times kept across a round trip.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {
std::string Dir() { return ::testing::TempDir(); }

std::string Program() { return std::string(std::getenv("MORIMO_BINARY_DIR")) + "/bin/lzs"; }

int Lzs(const std::string& args) {
  std::string command = Program() + " " + args + " >" + Dir() + "lzs.out 2>" + Dir() + "lzs.err";
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Read(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// The tool speaks UTF-8 on the terminal; our narrow literals are Shift-JIS.
std::string Utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct timespec MTime(const std::string& path) {
  struct stat st {};
  stat(path.c_str(), &st);
  return st.st_mtim;
}
}  // namespace

TEST(LzsTool, PackAndUnpackKeepBytesAndTime) {
  std::string src = Dir() + "tool.src", lz = Dir() + "tool.lz", out = Dir() + "tool.out";
  std::string data;
  for (int i = 0; i < 20000; ++i) data += char(i % 7 == 0 ? 0xFB : i / 13);
  Write(src, data);
  struct timespec times[2] = {{0, UTIME_OMIT}, {1234567890, 123456789}};
  ASSERT_EQ(utimensat(AT_FDCWD, src.c_str(), times, 0), 0);
  ASSERT_EQ(Lzs("pack " + src + " " + lz), 0);
  ASSERT_EQ(Lzs("unpack " + lz + " " + out), 0);
  EXPECT_TRUE(Read(out) == data);
  // FILETIME keeps 100 ns steps.
  EXPECT_EQ(MTime(out).tv_sec, 1234567890);
  EXPECT_EQ(MTime(out).tv_nsec, 123456700);

  ASSERT_EQ(Lzs("info " + lz), 0);
  std::string info = Read(Dir() + "lzs.out");
  EXPECT_NE(info.find("Len      20000\n"), std::string::npos) << info;
  EXPECT_NE(info.find("2009-02-13 23:31:30 UTC"), std::string::npos) << info;
  EXPECT_NE(info.find("Body     " + std::to_string(Read(lz).size() - 25)), std::string::npos);
}

TEST(LzsTool, DataErrorsGiveTheProductsMessages) {
  std::string lz = Dir() + "bad.lz", out = Dir() + "bad.out";
  Write(out, "kept");
  Write(lz, std::string("LZ02\0", 5) + std::string(20, '\0'));
  EXPECT_EQ(Lzs("unpack " + lz + " " + out), 1);
  EXPECT_EQ(Read(Dir() + "lzs.err"), Utf8(u8"データエラー(LZ)\n"));
  EXPECT_EQ(Read(out), "kept");

  Write(lz, std::string("LZ01\0", 5) + std::string(15, '\0'));
  EXPECT_EQ(Lzs("unpack " + lz + " " + out), 1);
  EXPECT_EQ(Read(Dir() + "lzs.err"), Utf8(u8"データエラー\n"));

  std::string header("LZ01\0\3\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 25);
  Write(lz, header + "ab\xFB\x12");
  EXPECT_EQ(Lzs("unpack " + lz + " " + out), 1);
  EXPECT_EQ(Read(Dir() + "lzs.err"), Utf8(u8"データエラー(LZSS)\n"));

  // Wrong checksum: the expanded bytes stay, the message names the source.
  Write(lz, header + "abc");
  EXPECT_EQ(Lzs("unpack " + lz + " " + out), 1);
  EXPECT_EQ(Read(Dir() + "lzs.err"), Utf8(u8"データエラー\r\n\r\n") + lz + "\n");
  EXPECT_EQ(Read(out), "abc");

  EXPECT_EQ(Lzs("unpack " + Dir() + "missing.lz " + out), 1);
  EXPECT_EQ(Read(Dir() + "lzs.err"),
            Utf8(u8"読み取りのために開くことができません - ") + Dir() + "missing.lz\n");
}

TEST(LzsTool, UsageErrors) {
  for (const char* args : {"", "pack a", "unpack a b c", "info", "frob a b"}) {
    EXPECT_EQ(Lzs(args), 2) << args;
    EXPECT_EQ(Read(Dir() + "lzs.err").rfind("usage: lzs", 0), 0u);
  }
}

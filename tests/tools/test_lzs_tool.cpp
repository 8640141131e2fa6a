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

namespace {
std::string Header(std::uint64_t fileTime, const std::string& data) {
  std::string h("LZ01", 5);
  for (int i = 0; i < 8; ++i) h += char(data.size() >> (8 * i));
  std::uint32_t sum = 0;  // data of at most 4 bytes: one word
  for (std::size_t i = 0; i < data.size(); ++i)
    sum |= std::uint32_t(std::uint8_t(data[i])) << (8 * i);
  for (int i = 0; i < 4; ++i) h += char(sum >> (8 * i));
  for (int i = 0; i < 8; ++i) h += char(fileTime >> (8 * i));
  return h + data;
}
}  // namespace

TEST(LzsTool, NeverWritesOverItsSource) {
  std::string lz = Dir() + "self.lz", link = Dir() + "self-link.lz";
  const std::string file = Header(0, "abc");
  for (const char* command : {"unpack", "pack"}) {
    for (const std::string& destination : {lz, link}) {
      Write(lz, file);
      std::remove(link.c_str());
      ASSERT_EQ(::link(lz.c_str(), link.c_str()), 0);
      EXPECT_EQ(Lzs(std::string(command) + " " + lz + " " + destination), 2) << destination;
      EXPECT_EQ(Read(Dir() + "lzs.err"),
                "lzs: the destination is the source file: " + destination + "\n");
      EXPECT_TRUE(Read(lz) == file);
    }
  }
}

TEST(LzsTool, TimesBeyondFileTimeAreRefusedAlike) {
  std::string lz = Dir() + "late.lz", out = Dir() + "late.out";
  // From 2^63 on a FILETIME is no time; up to 2^63 + 116444736000000000 the step to the
  // host's epoch overflowed.
  for (std::uint64_t t : {std::uint64_t(1) << 63, (std::uint64_t(1) << 63) + 116444735999999999u,
                          ~std::uint64_t(0)}) {
    Write(lz, Header(t, "abc"));
    EXPECT_EQ(Lzs("info " + lz), 0) << t;
    EXPECT_NE(Read(Dir() + "lzs.out").find("FileTime not a valid time"), std::string::npos)
        << Read(Dir() + "lzs.out");
    EXPECT_EQ(Lzs("unpack " + lz + " " + out), 1) << t;
    EXPECT_EQ(Read(Dir() + "lzs.err"), Utf8(u8"ファイルの時刻を設定できません - ") + out + "\n");
    EXPECT_EQ(Read(out), "abc");
  }
}

TEST(LzsTool, MessagesNameEveryPath) {
  // A missing file is an open failure, also for pack, which reads the time of its source.
  EXPECT_EQ(Lzs("pack " + Dir() + "missing.src " + Dir() + "x.lz"), 1);
  EXPECT_EQ(Read(Dir() + "lzs.err"),
            Utf8(u8"読み取りのために開くことができません - ") + Dir() + "missing.src\n");
  // Bytes that are no UTF-8, or that the messages' code page cannot show, appear escaped.
  const std::pair<std::string, std::string> names[] = {
      {"bad\xFF\xFE.lz", "bad\\xFF\\xFE.lz"},
      {"caf\xC3\xA9.lz", "caf\\xC3\\xA9.lz"},
      {"cut\xE3\x81.lz", "cut\\xE3\\x81.lz"},
      {Utf8(u8"更新.lz"), Utf8(u8"更新.lz")}};
  for (const auto& [name, shown] : names) {
    EXPECT_EQ(Lzs("unpack '" + Dir() + name + "' " + Dir() + "x.out"), 1);
    EXPECT_EQ(Read(Dir() + "lzs.err"),
              Utf8(u8"読み取りのために開くことができません - ") + Dir() + shown + "\n");
  }
}

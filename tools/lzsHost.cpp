#include "tools/lzsHost.h"

#include <fcntl.h>
#include <cstdint>
#include <iconv.h>
#include <sys/stat.h>

namespace {
// Seconds from 1601-01-01 to 1970-01-01, in FILETIME's 100-nanosecond units.
constexpr std::int64_t UnixEpoch = 116444736000000000LL;
constexpr std::int64_t TicksPerSecond = 10000000;

bool Convert(const char* to, const char* from, const std::string& in, std::string& out) {
  iconv_t cd = iconv_open(to, from);
  if (cd == iconv_t(-1)) return false;
  out.assign(in.size() * 4 + 8, '\0');
  char* src = const_cast<char*>(in.data());
  char* dst = out.data();
  size_t inLeft = in.size(), outLeft = out.size();
  size_t r = iconv(cd, &src, &inLeft, &dst, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return r != size_t(-1);
}

// Bytes of a UTF-8 sequence by its first byte; 0 for a byte that starts none.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

[[noreturn]] void Fail(const char16_t* text, const std::string& path) {
  throw ELastError::CreateWide(0, text + HostPathText(path));
}
}  // namespace

WideString HostPathText(const std::string& path) {
  WideString text;
  std::string wide, ansi;
  for (size_t at = 0; at < path.size();) {
    size_t n = SequenceLength(static_cast<unsigned char>(path[at]));
    std::string sequence = path.substr(at, n);
    bool valid = n != 0 && Convert("UTF-16LE", "UTF-8", sequence, wide);
    if (valid && Convert("CP932", "UTF-8", sequence, ansi)) {
      for (size_t i = 0; i + 1 < wide.size(); i += 2)
        text += char16_t(std::uint8_t(wide[i]) | std::uint8_t(wide[i + 1]) << 8);
      at += n;
      continue;
    }
    // A byte that starts no valid sequence is escaped alone; a character that the messages'
    // code page lacks, byte by byte.
    size_t escaped = valid ? n : 1;
    for (size_t i = 0; i < escaped; ++i) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(path[at + i]));
      for (const char* p = hex; *p; ++p) text += char16_t(*p);
    }
    at += escaped;
  }
  return text;
}

std::string HostMessage(const std::string& ansi) {
  std::string utf8;
  return Convert("UTF-8", "CP932", ansi, utf8) ? utf8 : ansi;
}

std::string HostReadFile(const std::string& path, std::uint64_t* fileTime) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) Fail(u"読み取りのために開くことができません - ", path);
  struct stat st;
  if (fstat(fileno(f), &st) != 0) {
    std::fclose(f);
    Fail(u"ファイルの時刻を取得できません - ", path);
  }
  *fileTime = std::uint64_t(std::int64_t(st.st_mtim.tv_sec) * TicksPerSecond +
                            st.st_mtim.tv_nsec / 100 + UnixEpoch);
  std::string data;
  char block[65536];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, f)) > 0) data.append(block, n);
  bool failed = std::ferror(f);
  std::fclose(f);
  if (failed) Fail(u"読み込みに失敗 - ", path);
  return data;
}

bool HostUnixTime(std::uint64_t fileTime, std::int64_t* seconds, long* nanoseconds) {
  if (fileTime > std::uint64_t(INT64_MAX)) return false;
  // Whole seconds first: the ticks before the Unix epoch would not fit a signed difference.
  std::int64_t s = std::int64_t(fileTime / TicksPerSecond) - UnixEpoch / TicksPerSecond;
  if (s != std::int64_t(time_t(s))) return false;
  *seconds = s;
  *nanoseconds = long(fileTime % TicksPerSecond) * 100;
  return true;
}

void HostSetFileTime(const std::string& path, std::uint64_t fileTime) {
  std::int64_t seconds;
  long nanoseconds;
  if (!HostUnixTime(fileTime, &seconds, &nanoseconds))
    Fail(u"ファイルの時刻を設定できません - ", path);
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = time_t(seconds);
  times[1].tv_nsec = nanoseconds;
  if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
    Fail(u"ファイルの時刻を設定できません - ", path);
}

bool HostSameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

THostInFile::THostInFile(const std::string& path)
    : FPath(path), FFile(std::fopen(path.c_str(), "rb")) {
  struct stat st;
  if (!FFile || fstat(fileno(FFile), &st) != 0) {
    if (FFile) std::fclose(FFile);
    Fail(u"読み取りのために開くことができません - ", path);
  }
  FSize = st.st_size;
}

THostInFile::~THostInFile() { std::fclose(FFile); }

std::int32_t THostInFile::ReadSource(std::uint8_t* buffer, std::int32_t count) {
  size_t n = std::fread(buffer, 1, size_t(count), FFile);
  if (n == 0 && std::ferror(FFile)) Fail(u"読み込みに失敗 - ", FPath);
  return std::int32_t(n);
}

THostOutFile::THostOutFile(const std::string& path)
    : FPath(path), FFile(std::fopen(path.c_str(), "wb")) {
  if (!FFile) Fail(u"書き込みのために開くことができません - ", path);
}

THostOutFile::~THostOutFile() {
  if (FFile) std::fclose(FFile);
}

void THostOutFile::Write(const void* data, std::size_t count) {
  if (count && std::fwrite(data, 1, count, FFile) != count) Fail(u"書き込みに失敗 - ", FPath);
}

void THostOutFile::Close() {
  std::FILE* f = FFile;
  FFile = nullptr;
  if (f && std::fclose(f) != 0) Fail(u"書き込みに失敗 - ", FPath);
}

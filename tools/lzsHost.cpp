#include "tools/lzsHost.h"

#include <fcntl.h>
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

[[noreturn]] void Fail(const char16_t* text, const std::string& path) {
  throw ELastError::CreateWide(0, text + HostWide(path));
}
}  // namespace

WideString HostWide(const std::string& path) {
  std::string bytes;
  if (!Convert("UTF-16LE", "UTF-8", path, bytes)) bytes.clear();
  WideString w(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < w.size(); ++i)
    w[i] = char16_t(std::uint8_t(bytes[2 * i]) | std::uint8_t(bytes[2 * i + 1]) << 8);
  return w;
}

std::string HostMessage(const std::string& ansi) {
  std::string utf8;
  return Convert("UTF-8", "CP932", ansi, utf8) ? utf8 : ansi;
}

std::string HostReadFile(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) Fail(u"読み取りのために開くことができません - ", path);
  std::string data;
  char block[65536];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, f)) > 0) data.append(block, n);
  bool failed = std::ferror(f);
  std::fclose(f);
  if (failed) Fail(u"読み込みに失敗 - ", path);
  return data;
}

std::uint64_t HostFileTime(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) Fail(u"ファイルの時刻を取得できません - ", path);
  return std::uint64_t(std::int64_t(st.st_mtim.tv_sec) * TicksPerSecond +
                       st.st_mtim.tv_nsec / 100 + UnixEpoch);
}

void HostSetFileTime(const std::string& path, std::uint64_t fileTime) {
  std::int64_t ticks = std::int64_t(fileTime) - UnixEpoch;
  std::int64_t seconds = ticks / TicksPerSecond, rest = ticks % TicksPerSecond;
  if (rest < 0) {
    rest += TicksPerSecond;
    --seconds;
  }
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = time_t(seconds);
  times[1].tv_nsec = long(rest * 100);
  if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
    Fail(u"ファイルの時刻を設定できません - ", path);
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

#include "tools/lzsCommands.h"

#include <cinttypes>
#include <cstdio>
#include <ctime>

#include "expand/LzsDecode.h"
#include "tools/lzsHost.h"
#include "tools/lzsPack.h"

void LzsPackCommand(const std::string& source, const std::string& destination) {
  std::uint64_t fileTime;
  std::string data = HostReadFile(source, &fileTime);
  std::string packed = LzsPackFile(data, fileTime);
  THostOutFile out(destination);
  out.Write(packed.data(), packed.size());
  out.Close();
}

void LzsUnpackCommand(const std::string& source, const std::string& destination) {
  THostInFile in(source);
  TLzsHeader header = LzsReadHeader(in);
  THostOutFile file(destination);
  // The checksum runs over the blocks as they are written, as a read-back would see them.
  std::uint32_t sum = 0;
  std::int64_t length = 0;
  TGenByteOut out;
  out.SetBufferSize(0x40000);
  out.OnWrite = [&](const std::uint8_t* data, std::int32_t count) {
    file.Write(data, std::size_t(count));
    sum = SumBlock(sum, data, count);
    length += count;
  };
  LzsDecodeBody(in, out);
  out.Flush();
  file.Close();
  LzsCheck(header, length, sum, HostPathText(source));
  HostSetFileTime(destination, header.FileTime);
}

namespace {
std::string UtcText(std::uint64_t fileTime) {
  std::int64_t seconds;
  long nanoseconds;
  std::tm tm{};
  char buf[64];
  if (!HostUnixTime(fileTime, &seconds, &nanoseconds)) return "not a valid time";
  std::time_t t = std::time_t(seconds);
  if (!gmtime_r(&t, &tm) || !std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S UTC", &tm))
    return "not a valid time";
  return buf;
}
}  // namespace

std::string LzsInfoText(const std::string& source) {
  THostInFile in(source);
  TLzsHeader header = LzsReadHeader(in);
  std::int64_t body = in.Size() - LzsHeaderSize;
  char buf[512];
  std::snprintf(buf, sizeof buf,
                "Len      %" PRId64 "\nSum      0x%08" PRIX32
                "\nFileTime %s (0x%016" PRIX64 ")\nBody     %" PRId64 "\nRatio    %.1f%%\n",
                header.Len, header.Sum, UtcText(header.FileTime).c_str(), header.FileTime, body,
                header.Len > 0 ? 100.0 * double(body) / double(header.Len) : 0.0);
  return buf;
}

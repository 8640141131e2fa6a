// The lzs tool's files on the host: whole-file reads, a destination written in blocks, last-write
// times as Windows FILETIME values, and messages turned from Shift-JIS into UTF-8 for the
// terminal. Failures raise the base library's exceptions with its file texts.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "expand/GenByteIO.h"
#include "gen0/GenError.h"

// A path for the messages: UTF-8 characters that the messages' code page can show stay, every
// other byte shows as \xNN, so that no path vanishes from a message.
WideString HostPathText(const std::string& path);
// The file's bytes and its last-write time, from one open.
std::string HostReadFile(const std::string& path, std::uint64_t* fileTime);
// A FILETIME as the host's time; false for what is no time (2^63 and above) or does not fit.
bool HostUnixTime(std::uint64_t fileTime, std::int64_t* seconds, long* nanoseconds);
// Refuses, with the text of a failed set, a time that HostUnixTime refuses.
void HostSetFileTime(const std::string& path, std::uint64_t fileTime);
// Both paths name one existing file, whatever its names (hard links included).
bool HostSameFile(const std::string& a, const std::string& b);
std::string HostMessage(const std::string& ansi);

class THostInFile : public TGenByteIn {
public:
  explicit THostInFile(const std::string& path);
  THostInFile(const THostInFile&) = delete;
  THostInFile& operator=(const THostInFile&) = delete;
  ~THostInFile() override;
  std::int64_t Size() const { return FSize; }

protected:
  std::int32_t ReadSource(std::uint8_t* buffer, std::int32_t count) override;

private:
  std::string FPath;
  std::FILE* FFile;
  std::int64_t FSize = 0;
};

class THostOutFile {
public:
  explicit THostOutFile(const std::string& path);
  THostOutFile(const THostOutFile&) = delete;
  THostOutFile& operator=(const THostOutFile&) = delete;
  ~THostOutFile();
  void Write(const void* data, std::size_t count);
  void Close();

private:
  std::string FPath;
  std::FILE* FFile;
};

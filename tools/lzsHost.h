// The lzs tool's files on the host: whole-file reads, a destination written in blocks, last-write
// times as Windows FILETIME values, and messages turned from Shift-JIS into UTF-8 for the
// terminal. Failures raise the base library's exceptions with its file texts.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "expand/GenByteIO.h"
#include "gen0/GenError.h"

WideString HostWide(const std::string& path);
std::string HostReadFile(const std::string& path);
std::uint64_t HostFileTime(const std::string& path);
void HostSetFileTime(const std::string& path, std::uint64_t fileTime);
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

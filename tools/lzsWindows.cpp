// lzs for Windows: packs through the product's file layer and unpacks with the product's own
// LzsExpandFile, so the vendor sees exactly the checks and messages the updater applies.
//   lzs pack SRC DST | lzs unpack SRC DST | lzs info SRC
// Exit 0 done, 1 data or file error (message on stderr in the console's code page), 2 usage or
// a destination that is the source.
#include <windows.h>

#include <cinttypes>
#include <cstdio>
#include <memory>
#include <string>

#include "expand/GenByteIOHandle.h"
#include "expand/LzsDecode.h"
#include "expand/LzsExpandFile.h"
#include "gen0/GenError.h"
#include "gen0/GenFile.h"
#include "tools/lzsPack.h"

namespace {
const char Usage[] = "usage: lzs pack SRC DST | lzs unpack SRC DST | lzs info SRC\n";

// An opened source, registered by name and closed on every way out.
struct SourceFile {
  HANDLE Handle = INVALID_HANDLE_VALUE;
  explicit SourceFile(const std::string& path) {
    Handle = OpenFileRetry(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    SetHandleInfo(Handle, path, KindFile);
  }
  ~SourceFile() { HandleClose(Handle); }
  SourceFile(const SourceFile&) = delete;
  SourceFile& operator=(const SourceFile&) = delete;
};

void Pack(const std::string& source, const std::string& destination) {
  std::string data;
  FILETIME written;
  {
    SourceFile in(source);
    data.resize(size_t(HandleSize64(in.Handle)));
    for (size_t at = 0; at < data.size();) {
      DWORD n = HandleRead(in.Handle, data.data() + at, DWORD(data.size() - at));
      if (n == 0) break;
      at += n;
    }
    HandleGetTime(in.Handle, nullptr, nullptr, &written);
  }
  std::uint64_t time = std::uint64_t(written.dwHighDateTime) << 32 | written.dwLowDateTime;
  WriteWholeFile(destination, LzsPackFile(data, time), 0, -1, -1);
}

std::string Info(const std::string& source) {
  SourceFile file(source);
  TGenByteInHandle in;
  in.SetHandle(file.Handle);
  TLzsHeader header = LzsReadHeader(in);
  std::int64_t body = HandleSize64(file.Handle) - LzsHeaderSize;
  FILETIME ft;
  ft.dwLowDateTime = DWORD(header.FileTime);
  ft.dwHighDateTime = DWORD(header.FileTime >> 32);
  SYSTEMTIME st = {};
  char when[64] = "?";
  if (FileTimeToSystemTime(&ft, &st))
    std::snprintf(when, sizeof when, "%04u-%02u-%02u %02u:%02u:%02u UTC", st.wYear, st.wMonth,
                  st.wDay, st.wHour, st.wMinute, st.wSecond);
  char buf[512];
  std::snprintf(buf, sizeof buf,
                "Len      %" PRId64 "\nSum      0x%08" PRIX32
                "\nFileTime %s (0x%016" PRIX64 ")\nBody     %" PRId64 "\nRatio    %.1f%%\n",
                header.Len, header.Sum, when, header.FileTime, body,
                header.Len > 0 ? 100.0 * double(body) / double(header.Len) : 0.0);
  return buf;
}

// Both paths name one existing file (same volume, same file index), whatever its names.
bool SameFile(const std::string& a, const std::string& b) {
  auto identify = [](const std::string& path, BY_HANDLE_FILE_INFORMATION* info) {
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool known = GetFileInformationByHandle(h, info) != 0;
    CloseHandle(h);
    return known;
  };
  BY_HANDLE_FILE_INFORMATION ia, ib;
  return identify(a, &ia) && identify(b, &ib) &&
         ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

// The message in the console's code page; redirected output keeps the ANSI bytes.
void PrintError(const std::string& ansi) {
  std::string text = ansi;
  UINT cp = GetConsoleOutputCP();
  if (cp != 0 && cp != GetACP()) {
    try {
      WideString w = AnsiToWide(ansi);
      int n = WideCharToMultiByte(cp, 0, reinterpret_cast<const wchar_t*>(w.data()), int(w.size()),
                                  nullptr, 0, nullptr, nullptr);
      std::string out(size_t(n > 0 ? n : 0), '\0');
      if (n > 0 && WideCharToMultiByte(cp, 0, reinterpret_cast<const wchar_t*>(w.data()),
                                       int(w.size()), out.data(), n, nullptr, nullptr) == n)
        text = out;
    } catch (const Exception&) {
    }
  }
  std::fprintf(stderr, "%s\n", text.c_str());
}
}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  // Writing the destination would destroy the source before it is read through.
  if ((command == "pack" || command == "unpack") && argc == 4 && SameFile(argv[2], argv[3])) {
    std::fprintf(stderr, "lzs: the destination is the source file: %s\n", argv[3]);
    return 2;
  }
  try {
    if (command == "pack" && argc == 4) {
      Pack(argv[2], argv[3]);
    } else if (command == "unpack" && argc == 4) {
      LzsExpandFile(AnsiToWide(argv[2]), AnsiToWide(argv[3]));
    } else if (command == "info" && argc == 3) {
      std::fputs(Info(argv[2]).c_str(), stdout);
    } else {
      std::fputs(Usage, stderr);
      return 2;
    }
  } catch (const Exception& e) {
    PrintError(e.Message);
    return 1;
  } catch (const std::bad_alloc&) {
    std::fputs("out of memory\n", stderr);
    return 1;
  }
  return 0;
}

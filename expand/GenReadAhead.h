// Reading a source ahead of a stream's small requests, in large blocks that cost one system
// call each, as if every request were still one read of its own size. When a large read fails,
// the request during which it failed and every later one read for themselves again, from where
// that request starts: a failure comes with the same request, and the same error, as it would
// without reading ahead, and nothing handed out before it changes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

// The source offers:
//   bool TryRead(void* buffer, std::uint32_t count, std::uint32_t* done): one read; a failure
//     is kept, not raised;
//   std::uint32_t Read(void* buffer, std::uint32_t count): one read that raises on failure;
//   bool Rewind(std::int64_t position): the next read starts at position, counted from where
//     the first one started;
//   RaiseKeptFailure(): raises the kept failure as Read would have.
class TGenReadAhead {
public:
  explicit TGenReadAhead(std::uint32_t block) : FBlock(block) {}

  // Starts over; without reading ahead (every request reads for itself) if ahead is false.
  void Reset(bool ahead) {
    FPos = FEnd = 0;
    FPosition = 0;
    FDirect = !ahead;
  }

  template <class Source>
  std::int32_t Read(Source& source, std::uint8_t* buffer, std::int32_t count) {
    std::int32_t done = 0;
    while (!FDirect && done < count) {
      if (FPos == FEnd) {
        if (FStorage.size() != FBlock) FStorage.assign(FBlock, '\0');
        std::uint32_t n = 0;
        if (!source.TryRead(FStorage.data(), FBlock, &n)) {
          if (!source.Rewind(FPosition)) source.RaiseKeptFailure();
          FDirect = true;
          break;
        }
        FPos = 0;
        FEnd = n;
        if (n == 0) break;
      }
      std::uint32_t n = std::min(std::uint32_t(count - done), FEnd - FPos);
      std::memcpy(buffer + done, FStorage.data() + FPos, n);
      FPos += n;
      done += std::int32_t(n);
    }
    if (FDirect) done = std::int32_t(source.Read(buffer, std::uint32_t(count)));
    FPosition += done;
    return done;
  }

private:
  const std::uint32_t FBlock;
  std::string FStorage;
  std::uint32_t FPos = 0, FEnd = 0;
  std::int64_t FPosition = 0;  // bytes handed out
  bool FDirect = true;
};

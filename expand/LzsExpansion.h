// The steps of LzsExpandFile, apart so that a benchmark can time each one. They run in this
// order; freeing the object frees the streams and then closes the source and the destination.
#pragma once

#include <windows.h>

#include <memory>

#include "expand/GenByteIOHandle.h"
#include "expand/LzsFormat.h"
#include "gen0/GenError.h"

class TLzsExpansion {
public:
  TLzsExpansion() = default;
  TLzsExpansion(const TLzsExpansion&) = delete;
  TLzsExpansion& operator=(const TLzsExpansion&) = delete;

  // Opens the source, checks its header, and only then creates the destination and decodes
  // into it; the last bytes are written and the file pointer is back at the start.
  void Decode(const WideString& source, const WideString& destination);
  // Reads the destination back: its length and checksum against the header.
  void Verify();
  // The header's last-write time.
  void Stamp();
  void Flush();

private:
  struct Handles {
    HANDLE Source = INVALID_HANDLE_VALUE;
    HANDLE Destination = INVALID_HANDLE_VALUE;
    ~Handles();
  };
  // Declared in this order so that every way out frees the streams (pending output is
  // dropped, never written) before the handles close.
  Handles FFiles;
  std::unique_ptr<TGenByteInHandle> FIn;
  std::unique_ptr<TGenByteOutHandle> FOut;
  WideString FSource;
  TLzsHeader FHeader;
};

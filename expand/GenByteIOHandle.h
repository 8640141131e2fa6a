// Byte streams over file handles that the caller owns: the streams never open or close them.
#pragma once

#include <windows.h>

#include "expand/GenByteIO.h"
#include "expand/GenReadAhead.h"

// Reads its handle ahead in 64 KiB blocks; every refill of the stream's buffer behaves as one
// read of the buffer's size, also when a read fails.
class TGenByteInHandle : public TGenByteIn {
public:
  // Attaches a handle (INVALID_HANDLE_VALUE: no source) and starts over.
  void SetHandle(HANDLE handle);

protected:
  std::int32_t ReadSource(std::uint8_t* buffer, std::int32_t count) override;

private:
  HANDLE FHandle = INVALID_HANDLE_VALUE;
  std::int64_t FOrigin = 0;
  TGenReadAhead FAhead{0x10000};
};

// Writes to its handle in blocks of 262144 bytes. Pending bytes are lost unless the user
// flushes or attaches another handle before freeing the stream.
class TGenByteOutHandle : public TGenByteOut {
public:
  TGenByteOutHandle();
  // Flushes to the previous handle, then attaches this one; INVALID_HANDLE_VALUE is how the
  // last bytes are pushed out before the file is closed.
  void SetHandle(HANDLE handle);

private:
  HANDLE FHandle = nullptr;
};

// Small buffered byte streams: an input side that hands out bytes from some source and an
// output side that collects bytes and passes them on in blocks. Neither opens nor closes files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class TGenByteIn {
public:
  TGenByteIn() = default;
  TGenByteIn(const TGenByteIn&) = delete;
  TGenByteIn& operator=(const TGenByteIn&) = delete;
  virtual ~TGenByteIn() = default;

  // The next byte 0..255, or -1 at the end of the source.
  int ReadByte() {
    if (FPos != FEnd) return *FPos++;
    return Refill();
  }
  // Buffered bytes first, then one call of the source straight into buffer.
  std::int32_t ReadBytes(void* buffer, std::int32_t count);
  // count contiguous bytes at the read position, of which *available are real data and the
  // rest hold fill. Consumes nothing.
  const std::uint8_t* Peek(std::int32_t count, std::uint8_t fill,
                           std::int32_t* available = nullptr);
  void Skip(std::int32_t count);
  // Bytes consumed since the last Reset.
  std::int64_t Position() const { return FTotalRead - (FEnd - FPos); }
  void Reset();
  // Takes effect at the next refill.
  void SetBufferSize(std::int32_t n) { FBufferSize = n; }

  bool EndReached() const { return FEndReached; }
  std::int64_t TotalRead() const { return FTotalRead; }

  // The buffered bytes not yet read, for a reader that takes many at once and then hands back
  // how far it got. Such a reader may load (never use) up to LoadSlack bytes past BufferEnd,
  // so that it can work in whole blocks.
  static constexpr std::int32_t LoadSlack = 64;
  const std::uint8_t* BufferPos() const { return FPos; }
  const std::uint8_t* BufferEnd() const { return FEnd; }
  void Consume(const std::uint8_t* pos) { FPos = const_cast<std::uint8_t*>(pos); }

protected:
  // Places up to count bytes into buffer; 0 when the source has nothing more.
  virtual std::int32_t ReadSource(std::uint8_t* buffer, std::int32_t count) = 0;

private:
  int Refill();
  std::int32_t CountedRead(std::uint8_t* buffer, std::int32_t count);
  std::uint8_t* Start() { return reinterpret_cast<std::uint8_t*>(FStorage.data()); }
  // The storage holds the buffer and LoadSlack bytes behind it.
  std::int32_t Capacity() const {
    return FStorage.empty() ? 0 : std::int32_t(FStorage.size()) - LoadSlack;
  }
  void SetCapacity(std::int32_t n) { FStorage.resize(std::size_t(n) + LoadSlack); }

  std::string FStorage;
  std::uint8_t* FPos = nullptr;
  std::uint8_t* FEnd = nullptr;
  bool FEndReached = false;
  std::int32_t FBufferSize = 512;
  std::int64_t FTotalRead = 0;
};

class TGenByteInMem : public TGenByteIn {
public:
  void SetSource(const void* data, std::int32_t count);

protected:
  std::int32_t ReadSource(std::uint8_t* buffer, std::int32_t count) override;

private:
  const std::uint8_t* FSource = nullptr;
  std::int32_t FRemaining = 0;
};

class TGenByteOut {
public:
  using TWriteEvent = std::function<void(const std::uint8_t* data, std::int32_t count)>;

  TGenByteOut() { SetBufferSize(512); }
  TGenByteOut(const TGenByteOut&) = delete;
  TGenByteOut& operator=(const TGenByteOut&) = delete;
  virtual ~TGenByteOut() = default;

  void WriteByte(std::uint8_t b) {
    if (FPos == FEnd) Flush();
    *FPos++ = b;
  }
  // Hands the pending bytes to OnWrite; they stay pending if it raises.
  void Flush();
  // The free room of the buffer, for a writer that fills many bytes at once and then hands
  // back how far it got.
  std::uint8_t* BufferPos() const { return FPos; }
  std::uint8_t* BufferEnd() const { return FEnd; }
  void Advance(std::uint8_t* pos) { FPos = pos; }
  // Flushes, then starts over with an empty buffer of n bytes.
  void SetBufferSize(std::int32_t n);

  TWriteEvent OnWrite;

private:
  std::string FStorage;
  std::uint8_t* FStart = nullptr;
  std::uint8_t* FPos = nullptr;
  std::uint8_t* FEnd = nullptr;
};

// Appends to a string owned by the user, who sets Count before writing and cuts Target to
// Count when done; Target grows by a quarter beyond what is needed.
class TGenByteOutString : public TGenByteOut {
public:
  explicit TGenByteOutString(std::string& target);

  std::string& Target;
  std::int32_t Count = 0;

private:
  void Append(const std::uint8_t* data, std::int32_t n);
};

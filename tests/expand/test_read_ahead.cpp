// Reading ahead hands out what requests of the stream's own sizes would have read, and where a
// read fails, the same request fails at the same place, with everything before it handed out.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "expand/GenReadAhead.h"

namespace {
struct FailedRead {
  std::size_t At;
};

// A source whose reads fail when they touch the bad byte.
struct Source {
  std::string Data;
  std::size_t Bad;
  std::size_t Pos = 0;
  int Reads = 0;

  std::uint32_t Take(void* buffer, std::uint32_t count) {
    std::size_t n = std::min<std::size_t>(count, Data.size() - Pos);
    std::memcpy(buffer, Data.data() + Pos, n);
    Pos += n;
    return std::uint32_t(n);
  }
  bool Touches(std::uint32_t count) const {
    return Bad >= Pos && Bad < Pos + std::min<std::size_t>(count, Data.size() - Pos);
  }
  bool TryRead(void* buffer, std::uint32_t count, std::uint32_t* done) {
    ++Reads;
    if (Touches(count)) return false;
    *done = Take(buffer, count);
    return true;
  }
  std::uint32_t Read(void* buffer, std::uint32_t count) {
    ++Reads;
    if (Touches(count)) throw FailedRead{Pos};
    return Take(buffer, count);
  }
  bool Rewind(std::int64_t position) {
    Pos = std::size_t(position);
    return true;
  }
  [[noreturn]] void RaiseKeptFailure() { throw FailedRead{std::size_t(-1)}; }
};

// The bytes handed out, the request that failed and where.
struct Outcome {
  std::string Bytes;
  int FailedRequest = -1;
  std::size_t FailedAt = 0;
  bool operator==(const Outcome&) const = default;
};

template <class ReadOne>
Outcome Requests(ReadOne read) {
  Outcome r;
  const int sizes[] = {5, 8, 4, 8};
  try {
    for (int i = 0;; ++i) {
      std::uint8_t buffer[512];
      std::int32_t n = read(buffer, i < 4 ? sizes[i] : 37 + i % 3 * 220);
      if (n == 0) return r;
      r.Bytes.append(reinterpret_cast<char*>(buffer), std::size_t(n));
      r.FailedRequest = i + 1;
    }
  } catch (const FailedRead& e) {
    r.FailedAt = e.At;
  }
  return r;
}
}  // namespace

TEST(ReadAhead, SameBytesAndSameFailuresAsReadsOfTheRequestsSizes) {
  std::string data;
  for (int i = 0; i < 3000; ++i) data += char(i * 7 + i / 256);
  for (std::size_t bad = 0; bad <= data.size(); bad += 13) {
    Source plain{data, bad}, ahead{data, bad};
    Outcome expected = Requests([&](std::uint8_t* b, std::int32_t n) {
      return std::int32_t(plain.Read(b, std::uint32_t(n)));
    });
    TGenReadAhead reader(256);
    reader.Reset(true);
    Outcome got = Requests([&](std::uint8_t* b, std::int32_t n) { return reader.Read(ahead, b, n); });
    EXPECT_TRUE(got == expected) << "bad byte " << bad;
    if (bad == data.size()) {  // nothing failed
      EXPECT_LE(ahead.Reads, 3000 / 256 + 2);
    }
  }
}

// An LZ01 decoder written straight from the format's tables, one byte at a time through the
// 4096-byte ring, for comparison with the fast decode core. It also models the output stream's
// blocks, so that a failure can be checked for what the destination would already hold.
#pragma once

#include <cstdint>
#include <string>

#include "gen0/GenError.h"

struct TLzsReference {
  std::string Output;     // every byte emitted, up to the failure if there is one
  std::int64_t Flushed;   // bytes an output stream of the given block size had handed on
  std::string Error;      // the message, or empty
};

inline std::uint32_t LzsReferenceSum(const std::string& data) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < data.size(); i += 4) {
    std::uint32_t w = 0;
    for (std::size_t k = 0; k < 4 && i + k < data.size(); ++k)
      w |= std::uint32_t(std::uint8_t(data[i + k])) << (8 * k);
    sum = (sum << 1 | sum >> 31) ^ w;
  }
  return sum;
}

// body: the token stream alone. block: the output stream's buffer size.
inline TLzsReference LzsReferenceBody(const std::string& body, std::int64_t block) {
  TLzsReference r{{}, 0, {}};
  std::uint8_t window[4096] = {};
  unsigned ring = 0;
  std::int64_t pending = 0;
  auto emit = [&](std::uint8_t b) {
    if (pending == block) {
      r.Flushed += pending;
      pending = 0;
    }
    ++pending;
    r.Output += char(b);
    window[ring] = b;
    ring = (ring + 1) % 4096;
  };
  std::size_t at = 0;
  auto next = [&]() -> int { return at < body.size() ? std::uint8_t(body[at++]) : -1; };
  for (int b; (b = next()) != -1;) {
    if (b != 0xFB) {
      emit(std::uint8_t(b));
      continue;
    }
    int x = next();
    if (x == 0xFF) {
      emit(0xFB);
      continue;
    }
    int y = x == -1 ? -1 : next();
    if (y == -1) {
      r.Error = "データエラー(LZSS)";
      return r;
    }
    unsigned length = unsigned(x >> 4) + 4, index = unsigned(x & 0x0F) << 8 | unsigned(y);
    std::uint8_t match[19];
    for (unsigned i = 0; i < length; ++i) match[i] = window[(index + i) % 4096];
    for (unsigned i = 0; i < length; ++i) emit(match[i]);
  }
  return r;
}

// A whole file: the header's checks in their order, the body, then length and checksum.
inline TLzsReference LzsReferenceFile(const std::string& file, std::int64_t block,
                                      const WideString& source) {
  if (file.size() < 5) return {{}, 0, "データエラー"};
  if (file.compare(0, 5, std::string("LZ01\0", 5)) != 0) return {{}, 0, "データエラー(LZ)"};
  if (file.size() < 25) return {{}, 0, "データエラー"};
  auto field = [&](int at, int count) {
    std::uint64_t v = 0;
    for (int i = count - 1; i >= 0; --i) v = v << 8 | std::uint8_t(file[at + i]);
    return v;
  };
  TLzsReference r = LzsReferenceBody(file.substr(25), block);
  if (r.Error.empty() && (std::int64_t(r.Output.size()) != std::int64_t(field(5, 8)) ||
                          LzsReferenceSum(r.Output) != field(13, 4)))
    r.Error = EGTData::CreateWide(u"データエラー", source).Message;
  return r;
}

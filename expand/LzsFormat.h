// The LZ01 compressed file: a 25-byte header (magic, expanded length, checksum, last-write
// time), then tokens over a zero-filled 4096-byte window that is addressed by absolute index.
#pragma once

#include <cstdint>

constexpr std::uint8_t LzsMagic[5] = {'L', 'Z', '0', '1', 0};
constexpr int LzsHeaderSize = 25;
constexpr int LzsWindowSize = 4096;
constexpr std::uint8_t LzsEscape = 0xFB;
// X = 0xFF after the escape stands for a literal 0xFB, so no match has that X.
constexpr std::uint8_t LzsLiteralEscape = 0xFF;
constexpr int LzsMinMatch = 4;
constexpr int LzsMaxMatch = 19;

struct TLzsHeader {
  std::int64_t Len = 0;
  std::uint32_t Sum = 0;
  std::uint64_t FileTime = 0;  // Windows FILETIME, low half in the low 32 bits
};

// One step of the format's checksum: the data as zero-padded little-endian 32-bit words, each
// XORed into the sum rotated left by one. Blocks that continue a sum must be multiples of 4.
std::uint32_t SumBlock(std::uint32_t sum, const void* bytes, std::int64_t count);

// The LZ01 decode core: header checks in order, tokens, the window, the checksum and messages.
#include <gtest/gtest.h>

#include <string>

#include "expand/LzsDecode.h"
#include "tests/expand/LzsMemory.h"

namespace {
using Bytes = std::string;

Bytes Header(std::int64_t len, std::uint32_t sum, std::uint64_t fileTime) {
  Bytes h("LZ01", 5);
  for (int i = 0; i < 8; ++i) h += char(std::uint64_t(len) >> (8 * i));
  for (int i = 0; i < 4; ++i) h += char(sum >> (8 * i));
  for (int i = 0; i < 8; ++i) h += char(fileTime >> (8 * i));
  return h;
}

Bytes DecodeBody(const Bytes& body) {
  TGenByteInMem in;
  in.SetSource(body.data(), std::int32_t(body.size()));
  Bytes target;
  TGenByteOutString out(target);
  LzsDecodeBody(in, out);
  out.Flush();
  target.resize(out.Count);
  return target;
}

Bytes DecodeFile(const Bytes& file, TLzsHeader* header = nullptr) {
  return ExpandInMemory(file, header);
}

std::string MessageOf(const Bytes& file) {
  try {
    DecodeFile(file);
  } catch (const EGTData& e) {
    return e.Message;
  }
  return "no error";
}

std::uint32_t Sum(const Bytes& b) { return SumBlock(0, b.data(), std::int64_t(b.size())); }
}  // namespace

TEST(LzsSum, RotatesAndXorsZeroPaddedWords) {
  EXPECT_EQ(Sum(""), 0u);
  EXPECT_EQ(Sum("abc"), 0x00636261u);
  EXPECT_EQ(Sum("abcd"), 0x64636261u);
  EXPECT_EQ(Sum("abcdefgh"), 0xA0A1A2A7u);
  // A sum continued block by block equals the sum over the whole, for blocks of whole words.
  Bytes data;
  for (int i = 0; i < 1001; ++i) data += char(i * 37);
  std::uint32_t parts = SumBlock(SumBlock(0, data.data(), 512), data.data() + 512, 489);
  EXPECT_EQ(parts, Sum(data));
  EXPECT_EQ(Sum(Bytes("\x80\0\0\0\x01", 5)), 0x00000101u);
}

TEST(LzsDecode, LiteralsAndTheEscapedEscape) {
  EXPECT_EQ(DecodeBody(""), "");
  EXPECT_EQ(DecodeBody("\x41\x42\xFB\xFF\x43"), "\x41\x42\xFB\x43");
  EXPECT_EQ(DecodeBody("\xFB\xFF"), "\xFB");
}

TEST(LzsDecode, MatchesAddressTheZeroFilledWindowByAbsoluteIndex) {
  EXPECT_EQ(DecodeBody(Bytes("\xFB\x00\x00", 3)), Bytes(4, '\0'));
  EXPECT_EQ(DecodeBody(Bytes("ABC\xFB\x00\x00", 6)), Bytes("ABCABC\0", 7));
  // The match reads the window before it emits: position 1 still holds its zero.
  EXPECT_EQ(DecodeBody(Bytes("A\xFB\x00\x00", 4)), Bytes("AA\0\0\0", 5));
  // Length 19 from index 1, X = 0xF0.
  EXPECT_EQ(DecodeBody(Bytes("xyz\xFB\xF0\x01", 6)), Bytes("xyz") + "yz" + Bytes(17, '\0'));
  // Index 0x123, length 5.
  EXPECT_EQ(DecodeBody(Bytes("\xFB\x11\x23", 3)), Bytes(5, '\0'));
}

TEST(LzsDecode, MatchesWrapAroundTheRing) {
  // 4096 literals fill the window; the match at index 4094 reads 4094, 4095, 0 and 1.
  Bytes body, expected;
  for (int i = 0; i < 4096; ++i) {
    char c = char(i % 251 == 0xFB ? 1 : i % 251);
    body += c;
    expected += c;
  }
  body += "\xFB\x0F\xFE";
  expected += expected.substr(4094, 2) + expected.substr(0, 2);
  EXPECT_EQ(DecodeBody(body), expected);
}

TEST(LzsDecode, ASpanOverTheRingIndexCopiesWhatWasThereBefore) {
  // 4100 bytes written, ring index 4; a match at index 2 of length 4 reads positions 2..5, of
  // which 4 and 5 still hold the bytes of the first round.
  Bytes body, out;
  for (int i = 0; i < 4100; ++i) {
    char c = char('a' + i % 20);
    body += c;
    out += c;
  }
  body += Bytes("\xFB\x00\x02", 3);
  Bytes window = out.substr(4096, 4) + out.substr(4, 4092);
  out += window.substr(2, 4);
  EXPECT_EQ(DecodeBody(body), out);
  EXPECT_EQ(out.substr(4100), "stef");
}

TEST(LzsDecode, TokensCutOffByTheEndOfTheFile) {
  for (const Bytes& body :
       {Bytes("\xFB"), Bytes("ab\xFB"), Bytes("\xFB\x12"), Bytes("\xFB\x00", 2)}) {
    try {
      DecodeBody(body);
      ADD_FAILURE() << "no error";
    } catch (const EGTData& e) {
      EXPECT_EQ(e.Message, "データエラー(LZSS)");
      EXPECT_FALSE(e.IsWide);
    }
  }
}

TEST(LzsDecodeFile, HeaderOnlyGivesAnEmptyResult) {
  TLzsHeader h;
  EXPECT_EQ(DecodeFile(Header(0, 0, 0x01D9123456789ABCull), &h), "");
  EXPECT_EQ(h.Len, 0);
  EXPECT_EQ(h.Sum, 0u);
  EXPECT_EQ(h.FileTime, 0x01D9123456789ABCull);
}

TEST(LzsDecodeFile, ReadsTheHeaderFieldsLittleEndian) {
  Bytes data = "ABCABC";
  data += '\0';
  TLzsHeader h;
  Bytes body("ABC\xFB\x00\x00", 6);
  EXPECT_EQ(DecodeFile(Header(7, Sum(data), 0x0102030405060708ull) + body, &h), data);
  EXPECT_EQ(h.Len, 7);
  EXPECT_EQ(h.FileTime, 0x0102030405060708ull);
}

TEST(LzsDecodeFile, HeaderFailuresInTheirOrder) {
  EXPECT_EQ(MessageOf(""), "データエラー");
  EXPECT_EQ(MessageOf("LZ01"), "データエラー");
  EXPECT_EQ(MessageOf(Bytes("LZ02\0", 5) + Bytes(20, '\0')), "データエラー(LZ)");
  EXPECT_EQ(MessageOf(Bytes("LZ01x", 5) + Bytes(20, '\0')), "データエラー(LZ)");
  // Magic right, the header cut at 20 bytes.
  EXPECT_EQ(MessageOf(Header(0, 0, 0).substr(0, 20)), "データエラー");
  EXPECT_EQ(MessageOf(Header(0, 0, 0).substr(0, 24)), "データエラー");
  // A wrong magic wins over a short header.
  EXPECT_EQ(MessageOf("LZ01\1"), "データエラー(LZ)");
}

TEST(LzsDecodeFile, WrongLengthOrChecksumNamesTheSource) {
  const std::string expected = "データエラー\r\n\r\nC:\\更新\\morimo.exe.lz";
  EXPECT_EQ(MessageOf(Header(3, Sum("abd"), 0) + "abc"), expected);
  EXPECT_EQ(MessageOf(Header(2, Sum("abc"), 0) + "abc"), expected);
  EXPECT_EQ(MessageOf(Header(4, Sum("abc"), 0) + "abc"), expected);
  // All 64 bits of the length count.
  EXPECT_EQ(MessageOf(Header(3 + (std::int64_t(1) << 32), Sum("abc"), 0) + "abc"), expected);
  EXPECT_EQ(MessageOf(Header(3, Sum("abc"), 0) + "abc"), "no error");
  try {
    DecodeFile(Header(3, 0, 0) + "abc");
    FAIL();
  } catch (const EGTData& e) {
    EXPECT_TRUE(e.IsWide);
    EXPECT_EQ(e.Text, "データエラー");
    EXPECT_EQ(e.WideDetail, u"C:\\更新\\morimo.exe.lz");
  }
}

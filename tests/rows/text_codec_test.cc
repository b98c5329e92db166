#include "rows/text_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

using ByteVector = std::vector<std::uint8_t>;

Bytes View(const ByteVector& bytes) { return Bytes(bytes.data(), bytes.size()); }

std::string Narrow(const TextDecoder& decoder, const ByteVector& bytes, std::int32_t codePage) {
  std::string out;
  decoder.AppendCodePage(View(bytes), codePage, out);
  return out;
}

std::string Utf16(const ByteVector& bytes) {
  std::string out;
  TextDecoder::AppendUtf16(View(bytes), out);
  return out;
}

TEST(FindCollation, TriesTheFullIdThenItsLow16Bits) {
  const CollationTable table = {
      {872468488, {"SQL_Latin1_General_CP1_CI_AS", 1252}},
      {53256, {"Latin1_General_CI_AS", 1252}},
      {-1224683515, {"SQL_Danish_Pref_CP1_CI_AS", 1252}},
  };
  EXPECT_EQ(FindCollation(table, 872468488)->second.name, "SQL_Latin1_General_CP1_CI_AS");
  // Flag bits above bit 15 that the table does not list: found by the low 16 bits.
  const auto* low = FindCollation(table, 0x0001D008);
  ASSERT_NE(low, nullptr);
  EXPECT_EQ(low->first, 53256);
  // A negative 32-bit id is widened with its sign.
  EXPECT_EQ(FindCollation(table, std::int32_t{-1224683515})->second.name,
            "SQL_Danish_Pref_CP1_CI_AS");
  EXPECT_EQ(FindCollation(table, 0x00010001), nullptr);
}

TEST(TextDecoder, CodePageOfAColumnCollation) {
  const CollationTable table = {
      {53284, {"Chinese_PRC_CI_AS", 936}},
      {53269, {"Cyrillic_General_CI_AS", 1251}},
      {184373, {"Indic_General_90_CI_AS", 0}},
  };
  const TextDecoder decoder(table, 53284);
  EXPECT_EQ(decoder.database_code_page(), 936);
  EXPECT_EQ(decoder.CodePageOf(53269), 1251);
  EXPECT_EQ(decoder.CodePageOf(0), 936);             // no collation: the database's
  EXPECT_EQ(decoder.CodePageOf(0x00FFD015), 1251);   // by its low 16 bits
  EXPECT_EQ(decoder.CodePageOf(184373), 1252);       // Unicode-only collation
  EXPECT_EQ(decoder.CodePageOf(99), 1252);           // unknown
  EXPECT_EQ(decoder.CodePageOf(53269), 1251);        // again, after other look-ups
  EXPECT_EQ(TextDecoder(table, 77).database_code_page(), 1252);
  EXPECT_EQ(TextDecoder().CodePageOf(53269), 1252);  // no table at all
}

TEST(TextDecoder, DecodesEightBitCodePages) {
  struct Case {
    std::int32_t codePage;
    ByteVector bytes;
    std::string text;
  };
  const Case cases[] = {
      {1252, {'c', 'a', 'f', 0xE9, 0x80}, "caf\u00e9\u20ac"},
      {1250, {0x8A, 0xE8}, "\u0160\u010d"},
      {1251, {0xCF, 0xF0, 0xE8, 0xE2, 0xE5, 0xF2}, "Привет"},
      {1253, {0xE1}, "\u03b1"},
      {1255, {0xF9, 0xEC, 0xE5, 0xED}, "שלום"},
      {1258, {'c', 0xE2}, "c\u00e2"},  // the last letter waits for a combining mark
      {874, {0xA1}, "\u0e01"},
      {932, {0x82, 0xA0, 0x83, 0x41}, "あア"},
      {936, {0xC4, 0xE3, 0xBA, 0xC3}, "你好"},
      {949, {0xC7, 0xD1}, "한"},
      {950, {0xA7, 0x41}, "你"},
      {437, {0x82}, "\u00e9"},
      {850, {0x9B}, "\u00f8"},
      {65001, {0xE4, 0xBD, 0xA0}, "你"},
      {4242, {0xE9}, "\u00e9"},  // no converter for it: Windows-1252
      {0, {0xE9}, "\u00e9"},
  };
  TextDecoder decoder;
  for (const Case& c : cases) EXPECT_EQ(Narrow(decoder, c.bytes, c.codePage), c.text) << c.codePage;
}

TEST(TextDecoder, InvalidBytesBecomeReplacementCharacters) {
  struct Case {
    std::int32_t codePage;
    ByteVector bytes;
    std::string text;
  };
  const Case cases[] = {
      {1252, {'a', 0x81, 'b'}, "a\uFFFDb"},      // unassigned in Windows-1252
      {936, {'a', 0xC4}, "a\uFFFD"},             // lead byte without its trail byte
      {936, {0xC4, 0xE3, 0xFF, 'x'}, "你\uFFFDx"},
      {65001, {'a', 0xC3}, "a\uFFFD"},           // cut sequence
      {65001, {0xC0, 0xAF}, "\uFFFD\uFFFD"},     // overlong "/"
      {65001, {0xED, 0xA0, 0x80}, "\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
      {65001, {0xF4, 0x90, 0x80, 0x80}, "\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
  };
  TextDecoder decoder;
  for (const Case& c : cases) EXPECT_EQ(Narrow(decoder, c.bytes, c.codePage), c.text) << c.codePage;
}

TEST(TextDecoder, LongTextIsAppendedToWhatTheOutputHolds) {
  ByteVector bytes;
  std::string expected;
  for (int i = 0; i < 3000; ++i) {
    bytes.insert(bytes.end(), {0xC4, 0xE3, 'x'});
    expected += "你x";
  }
  TextDecoder decoder;
  std::string out = "prefix:";
  decoder.AppendCodePage(View(bytes), 936, out);
  EXPECT_EQ(out, "prefix:" + expected);
}

TEST(TextDecoder, AsciiNeedsNoCodePage) {
  const CollationTable table = {{53284, {"Chinese_PRC_CI_AS", 936}}};
  const TextDecoder decoder(table, 53284);
  std::string out;
  decoder.AppendNarrow(View({'a', 'b', 0x00, 'c'}), 53284, out);
  EXPECT_EQ(out, std::string("ab\0c", 4));
}

TEST(TextDecoder, Utf16) {
  struct Case {
    ByteVector bytes;
    std::string text;
  };
  const Case cases[] = {
      {{0x41, 0x00, 0xE9, 0x00, 0x60, 0x4F}, "A\u00e9你"},
      {{0x3D, 0xD8, 0x00, 0xDE}, "😀"},
      {{0x3D, 0xD8}, "\uFFFD"},                     // high surrogate at the end
      {{0x3D, 0xD8, 0x41, 0x00}, "\uFFFDA"},        // high surrogate, no low one
      {{0x00, 0xDE, 0x41, 0x00}, "\uFFFDA"},        // low surrogate alone
      {{0x41, 0x00, 0x42}, "A"},                    // odd last byte
      {{}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf16(c.bytes), c.text);
}

TEST(CutAtZero, StopsAtTheFirstZeroByteOrUnit) {
  const ByteVector narrow = {'a', 'b', 0, 'c'};
  EXPECT_EQ(CutAtZeroByte(View(narrow)).size(), 2u);
  EXPECT_EQ(CutAtZeroByte(Bytes()).size(), 0u);
  // 0x00 0x41 is the second half of 'A' and the first of 'A': not a zero unit.
  const ByteVector wide = {0x41, 0x00, 0x41, 0x00, 0x00, 0x00, 0x42, 0x00};
  EXPECT_EQ(CutAtZeroUnit(View(wide)).size(), 4u);
  const ByteVector noZero = {0x41, 0x00, 0x42};
  EXPECT_EQ(CutAtZeroUnit(View(noZero)).size(), 3u);
}

}  // namespace
}  // namespace corvane

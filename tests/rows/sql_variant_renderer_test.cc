#include <gtest/gtest.h>

#include <fstream>
#include <limits>

#include "rows/value_renderer.h"
#include "tests/support/page_bytes.h"
#include "tests/support/value_bytes.h"

namespace corvane {
namespace {

using testing::ByteVector;
using testing::BytesOf;
using testing::Concat;
using testing::LittleEndian;
using testing::TextBytes;

std::string RenderVariant(const ByteVector& bytes, const TextDecoder& decoder) {
  testing::ExactBytes exact(bytes);
  ValueSlot slot;
  slot.availableLength = static_cast<std::int64_t>(bytes.size());
  return RenderSqlVariant(static_cast<int>(bytes.size()), slot, exact.data(), decoder);
}

std::string RenderVariant(const ByteVector& bytes) {
  TextDecoder decoder;
  return RenderVariant(bytes, decoder);
}

ByteVector Variant(std::uint8_t baseType, const ByteVector& rest) {
  return Concat({{baseType, 0x01}, rest});
}

// varchar/nvarchar header after the two type bytes: maximum length, collation id.
ByteVector StringHeader(std::int32_t collationId) {
  return Concat({LittleEndian(8000, 2), BytesOf(collationId)});
}

TEST(RenderSqlVariant, EveryBaseType) {
  struct Case {
    ByteVector bytes;
    std::string text;
  };
  const Case cases[] = {
      {{0x38, 0x01, 0x2A, 0x00, 0x00, 0x00}, "42"},
      {Variant(48, {0xFF}), "255"},
      {Variant(52, BytesOf<std::int16_t>(-2)), "-2"},
      {Variant(127, BytesOf<std::int64_t>(-1)), "-1"},
      {Variant(104, {0x02}), "True"},
      {Variant(104, {0x00}), "False"},
      {Variant(60, BytesOf<std::int64_t>(-12345)), "-1.2345"},
      {Variant(122, BytesOf<std::int32_t>(10000)), "1.0000"},
      {Variant(62, BytesOf(1.5)), "1.5"},
      {Variant(62, BytesOf(std::numeric_limits<double>::infinity())), "inf"},
      {Variant(59, BytesOf(0.00001f)), "1e-05"},
      {Variant(59, BytesOf(-std::numeric_limits<float>::infinity())), "-inf"},
      {Variant(36, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC,
                    0xDD, 0xEE, 0xFF}),
       "33221100-5544-7766-8899-AABBCCDDEEFF"},
      {Variant(40, LittleEndian(738954, 3)), "2024-03-10"},
      {Variant(41, Concat({{7}, LittleEndian(36000ULL * 10'000'000 + 50, 5)})), "10:00:00.0000050"},
      {Variant(42, Concat({{0}, LittleEndian(3661, 3), LittleEndian(738954, 3)})),
       "2024-03-10 01:01:01"},
      {Variant(43, Concat({{0}, LittleEndian(37800, 3), LittleEndian(738954, 3),
                           BytesOf<std::int16_t>(-90)})),
       "2024-03-10 09:00:00 -1:30"},
      {Variant(58, Concat({LittleEndian(61, 2), LittleEndian(0, 2)})), "1900-01-01 01:01:00"},
      {Variant(61, Concat({BytesOf<std::int32_t>(300), BytesOf<std::int32_t>(1)})),
       "1900-01-02 00:00:01"},
      {Variant(106, Concat({{5, 2, 1}, LittleEndian(1234, 4)})), "12.34"},
      {Variant(108, Concat({{5, 2, 0}, LittleEndian(5, 4)})), "-0.05"},
      // Binary values show as hexadecimal, zero bytes included.
      {Variant(165, Concat({LittleEndian(8000, 2), {0x00, 0x01, 0xAB}})), "0x0001AB"},
      {Variant(173, Concat({LittleEndian(4, 2), {0x41, 0x42}})), "0x4142"},
      {Variant(167, Concat({StringHeader(0), TextBytes("abc")})), "abc"},
      {Variant(175, Concat({StringHeader(0), TextBytes(std::string("ab\0c", 4))})), "ab"},
      {Variant(231, Concat({StringHeader(0), {0x41, 0x00, 0x60, 0x4F}})), "A你"},
      {Variant(239, Concat({StringHeader(0), {0x41, 0x00, 0x00, 0x00, 0x42, 0x00}})), "A"},
      {Variant(240, {0x58, 0x0F}), "0x580F"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RenderVariant(c.bytes), c.text) << "base type " << int{c.bytes[0]};
  }
}

TEST(RenderSqlVariant, WrongLengthOrUnknownTypeIsEmpty) {
  const ByteVector cases[] = {
      {0x38, 0x01, 0x2A, 0x00, 0x00},             // int one byte short
      {0x38, 0x01, 0x2A, 0x00, 0x00, 0x00, 0x00},  // and one too long
      Variant(36, ByteVector(15, 0)),
      Variant(40, ByteVector(2, 0)),
      Variant(41, {}),
      Variant(106, {5, 2}),
      Variant(167, StringHeader(0)),
      Variant(231, StringHeader(0)),
      Variant(240, {}),
      Variant(99, {1, 2, 3, 4}),
      {0x38},
  };
  for (const ByteVector& bytes : cases) EXPECT_EQ(RenderVariant(bytes), "");
}

TEST(RenderSqlVariant, NeverReadsPastTheAvailableBytes) {
  const ByteVector bytes = {0x38, 0x01, 0x2A, 0x00, 0x00, 0x00};
  testing::ExactBytes exact(bytes);
  TextDecoder decoder;
  ValueSlot slot;
  slot.availableLength = 5;
  EXPECT_EQ(RenderSqlVariant(6, slot, exact.data(), decoder), "");
  slot.availableLength = 6;
  EXPECT_EQ(RenderSqlVariant(0, slot, exact.data(), decoder), "");
  EXPECT_EQ(RenderSqlVariant(6, slot, nullptr, decoder), "");
}

TEST(RenderSqlVariant, VarcharUsesTheValueOwnCollation) {
  const CollationTable collations = {
      {53284, {"Chinese_PRC_CI_AS", 936}},
      {53269, {"Cyrillic_General_CI_AS", 1251}},
  };
  const TextDecoder decoder(collations, 53269);
  const ByteVector gbk = {0xC4, 0xE3, 0xBA, 0xC3};
  EXPECT_EQ(RenderVariant(Variant(167, Concat({StringHeader(53284), gbk})), decoder), "你好");
  // Collation 0: the database's code page.
  EXPECT_EQ(RenderVariant(Variant(167, Concat({StringHeader(0), {0xE0}})), decoder), "а");
}

ByteVector ReadCorpus(const std::string& path, std::streamoff offset, std::size_t count) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(offset);
  ByteVector bytes(count);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
  return bytes;
}

// Extended-property values of real files: an int (page 158, record at 832)
// and an nvarchar description (page 121, record at 96), both as stored.
TEST(RenderSqlVariantCorpus, ExtendedPropertyValues) {
  const std::string cms = testing::CorpusFile("sql2005-subsoniccms");
  const std::string shop = testing::CorpusFile("sql2008-aspnetdb-webshop");
  if (cms.empty() || shop.empty()) GTEST_SKIP() << "corpus not present";
  EXPECT_EQ(RenderVariant(ReadCorpus(cms, 158 * 8192 + 832 + 86, 6)), "1");
  EXPECT_EQ(RenderVariant(ReadCorpus(shop, 0xF2092, 60)), "Percentage - 1; Fixed - 0;");
}

}  // namespace
}  // namespace corvane

#include "rows/value_renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "tests/support/page_bytes.h"
#include "tests/support/value_bytes.h"

namespace corvane {
namespace {

using testing::ByteVector;
using testing::BytesOf;
using testing::Column;
using testing::Concat;
using testing::LittleEndian;
using testing::Render;
using testing::RenderOptions;
using testing::TextBytes;

struct Case {
  ColumnDescriptor column;
  ByteVector bytes;
  std::string text;
};

void ExpectRendered(const std::vector<Case>& cases, const TextDecoder& decoder) {
  for (const Case& c : cases) {
    EXPECT_EQ(Render(c.column, c.bytes, decoder), c.text) << c.column.typeText;
  }
}

void ExpectRendered(const std::vector<Case>& cases) {
  TextDecoder decoder;
  ExpectRendered(cases, decoder);
}

constexpr std::int64_t kDaysBefore1900 = 693595;
constexpr std::uint64_t kTicksPerDay = 300ULL * 24 * 3600;

ByteVector DateTimeBytes(std::int64_t ticks, std::int64_t daysSince1900) {
  return Concat({LittleEndian(static_cast<std::uint64_t>(ticks), 4),
                 LittleEndian(static_cast<std::uint64_t>(daysSince1900), 4)});
}

// datetimeoffset(scale): time units, 3-byte day number, signed minutes.
ByteVector OffsetBytes(std::uint64_t units, int timeBytes, std::uint32_t days, std::int16_t offset) {
  return Concat({LittleEndian(units, timeBytes), LittleEndian(days, 3), BytesOf(offset)});
}

std::uint64_t Units(int hours, int minutes, int seconds) {
  return static_cast<std::uint64_t>(hours * 3600 + minutes * 60 + seconds);
}

// 2024-03-10 as days since 0001-01-01.
constexpr std::uint32_t kMarch10th2024 = 738954;

TEST(RenderValue, Integers) {
  ExpectRendered({
      {Column(kTypeBigInt, "bigint(8)"), ByteVector(8, 0xFF), "-1"},
      {Column(kTypeBigInt, "bigint(8)"), BytesOf(std::numeric_limits<std::int64_t>::min()),
       "-9223372036854775808"},
      {Column(kTypeInt, "int(4)"), BytesOf<std::int32_t>(2147483647), "2147483647"},
      {Column(kTypeInt, "int(4)"), BytesOf<std::int32_t>(-42), "-42"},
      {Column(kTypeSmallInt, "smallint(2)"), BytesOf<std::int16_t>(-32768), "-32768"},
      {Column(kTypeTinyInt, "tinyint(1)"), {0xFF}, "255"},
  });
}

TEST(RenderValue, BitColumnsShareOneStoredByte) {
  // Nine bit columns: eight read byte 0 (0x05), the ninth starts byte 1.
  const ByteVector stored = {0x05, 0x01};
  testing::ExactBytes exact(stored);
  const ColumnDescriptor column = Column(kTypeBit, "bit(1)");
  const char* expected[] = {"True", "False", "True", "False", "False",
                            "False", "False", "False", "True"};
  TextDecoder decoder;
  BitCursor cursor;
  std::int64_t position = 0;
  for (int k = 0; k < 9; ++k) {
    ValueSlot slot = MakeValueSlot(column, kTypeBit, &cursor);
    const bool startsByte = k % 8 == 0;
    EXPECT_EQ(slot.width, startsByte ? 1 : 0) << k;
    slot.availableLength = static_cast<std::int64_t>(stored.size()) - position;
    EXPECT_EQ(RenderValue(slot, exact.data() + position, column, decoder), expected[k]) << k;
    EXPECT_EQ(slot.size, startsByte ? 1 : 0) << k;
    EXPECT_EQ(cursor.byteTaken, startsByte) << k;
    position += slot.size;
  }
  EXPECT_EQ(position, 2);
}

TEST(RenderValue, BitWithoutCursorIsEmpty) {
  const ColumnDescriptor column = Column(kTypeBit, "bit(1)");
  ValueSlot slot = MakeValueSlot(column, kTypeBit, nullptr);
  const std::uint8_t byte = 1;
  slot.availableLength = 1;
  TextDecoder decoder;
  EXPECT_EQ(RenderValue(slot, &byte, column, decoder), "");
}

TEST(RenderValue, BinaryValuesAreUpperCaseHex) {
  ExpectRendered({
      {Column(kTypeBinary, "binary(2)"), {0x01, 0x02}, "0x0102"},
      {Column(kTypeBinary, "binary(3)"), {0x0A, 0xBC, 0xFF}, "0x0ABCFF"},
      {Column(kTypeTimestamp, "timestamp(8)"), LittleEndian(0xD107000000000000ULL, 8),
       "0x00000000000007D1"},
      {Column(kTypeVarBinary, "varbinary(10)"), {0xAB, 0xCD}, "ABCD"},
      {Column(kTypeClr, "hierarchyid(892)"), {0x58}, "58"},
      {Column(kTypeUniqueIdentifier, "uniqueidentifier(16)"),
       {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE,
        0xFF},
       "33221100-5544-7766-8899-AABBCCDDEEFF"},
      {Column(kTypeRowLocator, "(8)"),
       Concat({BytesOf<std::int32_t>(1234), BytesOf<std::uint16_t>(1), BytesOf<std::uint16_t>(5)}),
       "1234/1/5"},
  });
}

TEST(RenderValue, DatesAndTimes) {
  const auto date = Column(kTypeDate, "date(3)");
  const auto time7 = Column(kTypeTime, "time(5)", 16, 7);
  const auto time0 = Column(kTypeTime, "time(3)", 8, 0);
  const auto datetime = Column(kTypeDateTime, "datetime(8)");
  const auto small = Column(kTypeSmallDateTime, "smalldatetime(4)");
  const auto dt2 = Column(kTypeDateTime2, "datetime2(8)", 27, 7);
  const auto dt2s2 = Column(kTypeDateTime2, "datetime2(6)", 22, 2);
  ExpectRendered({
      {date, LittleEndian(0, 3), "0001-01-01"},
      {date, LittleEndian(kMarch10th2024, 3), "2024-03-10"},
      {date, LittleEndian(738944, 3), "2024-02-29"},
      {date, LittleEndian(3652058, 3), "9999-12-31"},
      {date, LittleEndian(3652059, 3), " "},
      {datetime, DateTimeBytes(0, 0), "1900-01-01 00:00:00"},
      {datetime, DateTimeBytes(kTicksPerDay - 1, 0), "1900-01-01 23:59:59"},
      {datetime, DateTimeBytes(kTicksPerDay, 0), " "},
      {datetime, DateTimeBytes(-300, 0), " "},
      {datetime, DateTimeBytes(0, -73048), "1753-01-01 00:00:00"},  // 1700-01-01
      {datetime, DateTimeBytes(0, -kDaysBefore1900 - 1), " "},      // before year 1
      {datetime, DateTimeBytes(300 * 3661 + 299, 45000), "2023-03-17 01:01:01"},
      {small, Concat({LittleEndian(1439, 2), LittleEndian(0, 2)}), "1900-01-01 23:59:00"},
      {small, Concat({LittleEndian(1440, 2), LittleEndian(0, 2)}), " "},
      {time7, LittleEndian(Units(10, 0, 0) * 10'000'000 + 50, 5), "10:00:00.0000050"},
      {time0, LittleEndian(Units(23, 59, 59), 3), "23:59:59"},
      {time0, LittleEndian(Units(24, 0, 0), 3), " "},
      {dt2, Concat({LittleEndian(Units(13, 5, 9) * 10'000'000 + 1234567, 5),
                    LittleEndian(kMarch10th2024, 3)}),
       "2024-03-10 13:05:09.1234567"},
      {dt2s2, Concat({LittleEndian(Units(0, 0, 1) * 100 + 5, 3), LittleEndian(0, 3)}),
       "0001-01-01 00:00:01.05"},
  });
}

TEST(RenderValue, TimeAtTheEndOfTheFixedDataReadsOnlyItsSize) {
  // time(0) occupies 3 bytes although its slot's data length is 5.
  EXPECT_EQ(Render(Column(kTypeTime, "time(3)", 8, 0), LittleEndian(Units(1, 2, 3), 3)),
            "01:02:03");
}

TEST(RenderValue, DateTimeOffsetShowsLocalTimeAndSignedOffset) {
  const auto dto0 = Column(kTypeDateTimeOffset, "datetimeoffset(8)", 26, 0);
  const auto dto7 = Column(kTypeDateTimeOffset, "datetimeoffset(10)", 34, 7);
  ExpectRendered({
      {dto0, OffsetBytes(Units(10, 15, 0), 3, kMarch10th2024, 330), "2024-03-10 15:45:00 +5:30"},
      {dto0, OffsetBytes(Units(10, 15, 0), 3, kMarch10th2024, -330), "2024-03-10 04:45:00 -5:30"},
      {dto0, OffsetBytes(Units(23, 30, 0), 3, kMarch10th2024, 60), "2024-03-11 00:30:00 +1:0"},
      {dto0, OffsetBytes(Units(0, 10, 0), 3, kMarch10th2024, -60), "2024-03-09 23:10:00 -1:0"},
      {dto0, OffsetBytes(Units(12, 0, 0), 3, kMarch10th2024, 0), "2024-03-10 12:00:00 +0:0"},
      {dto0, OffsetBytes(Units(0, 10, 0), 3, 0, -60), " "},  // before 0001-01-01
      {dto0, OffsetBytes(Units(24, 0, 0), 3, 0, 0), " "},
      {dto7, OffsetBytes(Units(8, 0, 0) * 10'000'000 + 1, 5, kMarch10th2024, -480),
       "2024-03-10 00:00:00.0000001  -8:0"},
  });
}

TEST(RenderValue, Money) {
  const auto money = Column(kTypeMoney, "money(8)");
  const auto small = Column(kTypeSmallMoney, "smallmoney(4)");
  ExpectRendered({
      {money, BytesOf<std::int64_t>(12345), "1.2345"},
      {money, BytesOf<std::int64_t>(0), "0.0000"},
      {money, BytesOf<std::int64_t>(123), "0.0123"},
      {money, BytesOf<std::int64_t>(-12345), "-1.2345"},
      {money, BytesOf(std::numeric_limits<std::int64_t>::min()), "-922337203685477.5808"},
      {small, BytesOf<std::int32_t>(10000), "1.0000"},
      {small, BytesOf<std::int32_t>(-1), "-0.0001"},
      {small, BytesOf<std::int32_t>(-2147483648), "-214748.3648"},
  });
}

TEST(RenderValue, FloatAndReal) {
  const auto f = Column(kTypeFloat, "float(8)");
  const auto r = Column(kTypeReal, "real(4)");
  const double inf = std::numeric_limits<double>::infinity();
  ExpectRendered({
      {f, BytesOf(1.5), "1.5"},
      {f, BytesOf(-0.25), "-0.25"},
      {f, BytesOf(2e14), "200000000000000"},
      {f, BytesOf(0.0), "0"},
      {f, BytesOf(0.1), "0.1"},
      {f, BytesOf(1.0 / 3), "0.333333333333333"},
      {f, BytesOf(123456.789), "123456.789"},
      {f, BytesOf(1e16), "10000000000000000"},
      {f, BytesOf(1e-5), "0.00001"},
      {f, BytesOf(inf), "0"},
      {f, BytesOf(std::nan("")), "0"},
      {r, BytesOf(1.5f), "1.5"},
      {r, BytesOf(0.00001f), "1e-05"},  // a small real keeps its value
      {r, BytesOf(123456789.0f), "1.23457e+08"},
      {r, BytesOf(100000.0f), "100000"},
      {r, BytesOf(-2.5f), "-2.5"},
      {r, BytesOf(std::numeric_limits<float>::infinity()), "0"},
  });
}

TEST(RenderValue, CompressedFloatKeepsOnlyItsHighOrderBytes) {
  // 1.5 is 3F F8 00 .. 00 (big-endian); the record keeps F8 3F.
  RenderOptions options;
  options.compressed = true;
  options.dataLength = 2;
  EXPECT_EQ(Render(Column(kTypeFloat, "float(8)"), {0xF8, 0x3F}, options), "1.5");
}

ByteVector DecimalBytes(std::uint8_t sign, unsigned __int128 magnitude, int width) {
  ByteVector bytes = {sign};
  for (int i = 0; i < width; ++i) bytes.push_back(static_cast<std::uint8_t>(magnitude >> (8 * i)));
  return bytes;
}

TEST(RenderValue, Decimal) {
  const auto d52 = Column(kTypeDecimal, "decimal(5)", 5, 2);
  const auto d32 = Column(kTypeDecimal, "decimal(5)", 3, 2);
  unsigned __int128 nines38 = 1;
  for (int i = 0; i < 38; ++i) nines38 *= 10;
  nines38 -= 1;
  ExpectRendered({
      {d52, DecimalBytes(1, 1234, 4), "12.34"},
      {d52, DecimalBytes(0, 5, 4), "-0.05"},
      {d52, DecimalBytes(1, 0, 4), "0.00"},
      {d32, DecimalBytes(1, 12345, 4), "123"},
      {d32, DecimalBytes(1, 123456, 4), ""},
      {Column(kTypeNumeric, "numeric(5)", 5, 2), DecimalBytes(1, 1234, 4), "12.34"},
      {Column(kTypeDecimal, "decimal(9)", 10, 0), DecimalBytes(1, 1234567890, 8), "1234567890"},
      {Column(kTypeDecimal, "decimal(13)", 28, 4), DecimalBytes(1, static_cast<unsigned __int128>(1) << 64, 12),
       "1844674407370955.1616"},
      {Column(kTypeDecimal, "decimal(17)", 38, 0), DecimalBytes(1, nines38, 16),
       "99999999999999999999999999999999999999"},
      {Column(kTypeDecimal, "decimal(17)", 38, 10), DecimalBytes(0, nines38 / 10, 16),
       "-999999999999999999999999999.9999999999"},
  });
}

CollationTable SampleCollations() {
  return {
      {53256, {"Latin1_General_CI_AS", 1252}},
      {872468488, {"SQL_Latin1_General_CP1_CI_AS", 1252}},
      {53284, {"Chinese_PRC_CI_AS", 936}},
      {53251, {"Chinese_Taiwan_Stroke_CI_AS", 950}},
      {53264, {"Japanese_CI_AS", 932}},
      {53269, {"Cyrillic_General_CI_AS", 1251}},
  };
}

TEST(RenderValue, EightBitTextUsesTheColumnCollation) {
  const CollationTable collations = SampleCollations();
  const TextDecoder decoder(collations, 53269);  // database: Cyrillic
  const ByteVector privet = {0xCF, 0xF0, 0xE8, 0xE2, 0xE5, 0xF2};
  ExpectRendered(
      {
          {Column(kTypeChar, "char(10)"), TextBytes(std::string("abc\0\0\0\0\0\0\0", 10)), "abc"},
          {Column(kTypeVarChar, "varchar(10)", 0, 0, 53256), {'c', 'a', 'f', 0xE9}, "caf\u00e9"},
          {Column(kTypeVarChar, "varchar(10)", 0, 0, 53284), {0xC4, 0xE3, 0xBA, 0xC3}, "你好"},
          {Column(kTypeText, "text(16)", 0, 0, 53251), {0xA7, 0x41}, "你"},
          {Column(kTypeVarChar, "varchar(10)", 0, 0, 53264), {0x82, 0xA0}, "あ"},
          {Column(kTypeVarChar, "varchar(10)", 0, 0, 0), privet, "Привет"},  // database's
          {Column(kTypeVarChar, "varchar(10)", 0, 0, 12345), {0xE9}, "\u00e9"},  // unknown: 1252
          {Column(kTypeVarChar, "varchar(10)", 0, 0, 53284), {'a', 0xC4}, "a\uFFFD"},
      },
      decoder);
}

TEST(RenderValue, UnicodeText) {
  ExpectRendered({
      {Column(kTypeNChar, "nchar(4)"), {0x41, 0x00, 0x42, 0x00}, "AB"},
      {Column(kTypeNChar, "nchar(8)"), {0x41, 0x00, 0x00, 0x00, 0x42, 0x00, 0x20, 0x00}, "A"},
      {Column(kTypeNVarChar, "nvarchar(8)"), {0x60, 0x4F, 0x3D, 0xD8, 0x00, 0xDE}, "你😀"},
      {Column(kTypeNVarChar, "nvarchar(8)"), {0x3D, 0xD8, 0x41, 0x00}, "\uFFFDA"},
      {Column(kTypeNVarChar, "nvarchar(8)"), {0x41, 0x00, 0x42}, "A"},
      // ntext holds UTF-16 whatever its characters are.
      {Column(kTypeNText, "ntext(16)"), {0x2D, 0x4E, 0x87, 0x65}, "中文"},
  });
}

TEST(RenderValue, CompressedNVarCharDropsAnOddLastByte) {
  RenderOptions options;
  options.compressed = true;
  EXPECT_EQ(Render(Column(kTypeNVarChar, "nvarchar(8)"), {0x41, 0x00, 0x42, 0x00, 0x10}, options),
            "AB");
}

TEST(RenderValue, SqlVariantOfDefinitionRowsSkipsItsLastEightBytes) {
  const auto variant = Column(kTypeSqlVariant, "sql_variant(8016)");
  const ByteVector tail(8, 0x01);
  ExpectRendered({
      {variant, Concat({{0x41, 0x00, 0x42, 0x00}, tail}), "AB"},
      {variant, Concat({TextBytes("abc"), tail}), "abc"},
      {variant, tail, ""},
  });
}

TEST(RenderValue, TypesWithoutTextForm) {
  const ByteVector bytes = {0x41, 0x42, 0x43, 0x44};
  for (ColumnTypeCode code : {kTypeNVarCharAlias, kTypeImage, kTypeHierarchyId, kTypeGeometry, 35, 99}) {
    EXPECT_EQ(Render(Column(code, "x(4)"), bytes), "") << code;
  }
  EXPECT_EQ(Render(Column(kTypeXml, "xml(-1)"), bytes), " ");
}

TEST(RenderValue, TruncatedValueIsEmptyAndNeverReadsPastItsBytes) {
  struct Case {
    ColumnDescriptor column;
    std::int64_t dataLength;  // as the decoder's entry claims it; -1: the slot's own
    std::int64_t available;   // what the record really holds
  };
  const Case cases[] = {
      {Column(kTypeBigInt, "bigint(8)"), -1, 7},
      {Column(kTypeInt, "int(4)"), -1, 3},
      {Column(kTypeSmallInt, "smallint(2)"), -1, 1},
      {Column(kTypeTinyInt, "tinyint(1)"), -1, 0},
      {Column(kTypeBinary, "binary(4)"), -1, 3},
      {Column(kTypeChar, "char(4)"), -1, 3},
      {Column(kTypeNChar, "nchar(4)"), 4, 3},
      {Column(kTypeUniqueIdentifier, "uniqueidentifier(16)"), -1, 15},
      {Column(kTypeRowLocator, "(8)"), -1, 7},
      {Column(kTypeTimestamp, "timestamp(8)"), -1, 7},
      {Column(kTypeDateTime, "datetime(8)"), -1, 7},
      {Column(kTypeSmallDateTime, "smalldatetime(4)"), -1, 3},
      {Column(kTypeDate, "date(3)"), -1, 2},
      {Column(kTypeTime, "time(5)", 16, 7), -1, 4},
      {Column(kTypeDateTime2, "datetime2(8)", 27, 7), -1, 7},
      {Column(kTypeDateTimeOffset, "datetimeoffset(10)", 34, 7), -1, 9},
      {Column(kTypeMoney, "money(8)"), -1, 7},
      {Column(kTypeSmallMoney, "smallmoney(4)"), -1, 3},
      {Column(kTypeFloat, "float(8)"), -1, 7},
      {Column(kTypeReal, "real(4)"), -1, 3},
      {Column(kTypeDecimal, "decimal(5)", 5, 2), -1, 4},
      {Column(kTypeNumeric, "numeric(17)", 38, 2), -1, 16},
      {Column(kTypeVarChar, "varchar(10)"), 10, 4},
      {Column(kTypeNVarChar, "nvarchar(20)"), 10, 4},
      {Column(kTypeVarBinary, "varbinary(10)"), 10, 4},
      {Column(kTypeText, "text(16)"), 10, 4},
      {Column(kTypeNText, "ntext(16)"), 10, 4},
      {Column(kTypeClr, "geography(-1)"), 10, 4},
      {Column(kTypeXml, "xml(-1)"), 10, 4},
      {Column(kTypeSqlVariant, "sql_variant(8016)"), 20, 11},
  };
  for (const Case& c : cases) {
    RenderOptions options;
    options.dataLength = c.dataLength;
    options.availableLength = c.available;
    const ByteVector bytes(static_cast<std::size_t>(c.available), 0x41);
    EXPECT_EQ(Render(c.column, bytes, options), "") << c.column.typeText;
  }
}

TEST(RenderValue, VariableValueEndsAtItsDataLength) {
  RenderOptions options;
  options.dataLength = 3;
  EXPECT_EQ(Render(Column(kTypeVarChar, "varchar(10)"), TextBytes("abcdef"), options), "abc");
  EXPECT_EQ(Render(Column(kTypeVarBinary, "varbinary(10)"), {1, 2, 3, 4}, options), "010203");
}

TEST(RenderValue, NoBytesGiveEmptyText) {
  const ColumnDescriptor column = Column(kTypeInt, "int(4)");
  TextDecoder decoder;
  ValueSlot slot = MakeValueSlot(column, kTypeInt, nullptr);
  slot.availableLength = 4;
  EXPECT_EQ(RenderValue(slot, nullptr, column, decoder), "");
  EXPECT_EQ(Render(Column(kTypeVarChar, "varchar(10)"), {}), "");
}

TEST(RenderValue, FillsTheSizeFromTypeText) {
  const std::pair<std::string, std::int32_t> cases[] = {
      {"int(4)", 4}, {"varbinary(-1)", -1}, {"(8)", 8}, {"int", 0}, {"a)b(4", 0}, {"n(x)", 0}};
  TextDecoder decoder;
  for (const auto& [typeText, size] : cases) {
    const ColumnDescriptor column = Column(kTypeInt, typeText);
    ValueSlot slot = MakeValueSlot(column, kTypeInt, nullptr);
    const ByteVector bytes(4, 0);
    slot.availableLength = 4;
    RenderValue(slot, bytes.data(), column, decoder);
    EXPECT_EQ(slot.size, size) << typeText;
  }
}

TEST(RenderValue, DamagedDescriptorsStayWithinTheValue) {
  const ByteVector zeros(17, 0);
  ExpectRendered({
      {Column(kTypeTime, "time(5)", 16, 200), LittleEndian(1, 5), " "},
      {Column(kTypeDateTimeOffset, "datetimeoffset(10)", 34, 9), ByteVector(10, 0), " "},
      {Column(kTypeDateTimeOffset, "datetimeoffset(12)", 34, 0), ByteVector(12, 0), " "},
      {Column(kTypeDateTime2, "datetime2(12)", 27, 0), ByteVector(12, 0xFF), "0001-01-01 00:00:00"},
      {Column(kTypeDecimal, "decimal(17)", 255, 255), zeros, "-0." + std::string(255, '0')},
      {Column(kTypeDecimal, "decimal(17)", 0, 0), zeros, "-0"},
  });
}

// Real bytes: the user name column of the first row of a table in a
// Chinese_PRC_CI_AS database, stored in code page 936.
TEST(RenderValueCorpus, ChineseVarcharOfARealFile) {
  const std::string path = testing::CorpusFile("sql2008r2-ku-cn");
  if (path.empty()) GTEST_SKIP() << "corpus not present";
  std::ifstream in(path, std::ios::binary);
  in.seekg(0x9E081);
  ByteVector bytes(6);
  in.read(reinterpret_cast<char*>(bytes.data()), 6);
  const CollationTable collations = SampleCollations();
  const TextDecoder decoder(collations, 0x0000D024);  // the boot page's collation
  EXPECT_EQ(Render(Column(kTypeVarChar, "varchar(50)"), bytes, decoder), "管理员");
}

}  // namespace
}  // namespace corvane

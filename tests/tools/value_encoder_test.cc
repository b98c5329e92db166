#include "tools/mdfgen/value_encoder.h"

#include <gtest/gtest.h>

namespace corvane::mdfgen {
namespace {

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string s;
  for (auto b : bytes) s += {digits[b >> 4], digits[b & 15]};
  return s;
}

// One check per call: a table of Values would copy them through aggregate
// initialisation, which GCC 12 at -O2 reports as maybe-uninitialised.
void ExpectStored(const ColumnType& column, const Value& value, const char* stored) {
  std::vector<std::uint8_t> out;
  std::string error;
  ASSERT_TRUE(EncodeValue(column, value, out, error)) << stored << ": " << error;
  EXPECT_EQ(Hex(out), stored) << TypeName(column.type);
}

void ExpectRefused(const ColumnType& column, const Value& value) {
  std::vector<std::uint8_t> out;
  std::string error;
  EXPECT_FALSE(EncodeValue(column, value, out, error)) << TypeName(column.type);
  EXPECT_FALSE(error.empty());
}

TEST(ValueEncoder, StoredFormsOfEveryType) {
  using enum SqlType;
  ExpectStored({kTinyInt}, 255, "ff");
  ExpectStored({kSmallInt}, -2, "feff");
  ExpectStored({kInt}, "42", "2a000000");
  ExpectStored({kBigInt}, -1LL, "ffffffffffffffff");
  ExpectStored({kBit}, 7, "01");
  ExpectStored({kDecimal, 0, 5, 2}, "123.45", "0139300000");
  ExpectStored({kDecimal, 0, 5, 2}, "-0.05", "0005000000");
  ExpectStored({kNumeric, 0, 18, 6}, 2, "0180841e0000000000");
  ExpectStored({kMoney}, "1.5", "983a000000000000");
  ExpectStored({kSmallMoney}, -1, "f0d8ffff");
  ExpectStored({kFloat}, 1.5, "000000000000f83f");
  ExpectStored({kReal}, 0.5, "0000003f");
  ExpectStored({kDateTime}, "1900-01-01 00:00:01", "2c01000000000000");
  ExpectStored({kDateTime}, "2024-02-29 13:45:00", "d097e20025b10000");
  ExpectStored({kSmallDateTime}, "1900-01-02 00:01", "01000100");
  ExpectStored({kDate}, "2000-01-01", "07240b");
  ExpectStored({kTime, 0, 0, 7}, "10:00:00.0000050", "3210acd153");
  ExpectStored({kDateTime2, 0, 0, 3}, "2024-02-29 13:45:00.123", "db4ff30280460b");
  // Stored as UTC (04:45) with the offset in minutes.
  ExpectStored({kDateTimeOffset, 0, 0, 0}, "2023-06-01 10:15:00 +05:30", "cc42006f450b4a01");
  ExpectStored({kUniqueIdentifier}, "00112233-4455-6677-8899-AABBCCDDEEFF",
               "33221100554477668899aabbccddeeff");
  ExpectStored({kChar, 4}, "ab", "61622020");
  ExpectStored({kVarChar, 10}, "Grüß", "4772fcdf");
  ExpectStored({kNChar, 2}, "я", "4f042000");
  ExpectStored({kNVarChar, 10}, "😀", "3dd800de");
  ExpectStored({kBinary, 3}, Bin({1}), "010000");
  ExpectStored({kVarBinary, 3}, Bin({}), "");
  ExpectStored({kTimestamp}, 2001, "00000000000007d1");
  ExpectStored({kSqlVariant, 0, 0, 0, 0x3400D008}, Variant(kInt, 42), "38012a000000");
  ExpectStored({kSqlVariant, 0, 0, 0, 0x3400D008}, Variant(kNVarChar, "ab", 20),
               "e701280008d000346100"
               "6200");
  ExpectStored({kSqlVariant}, Variant(kDecimal, "1.5", 0, 5, 1),
               "6a010501"
               "010f000000");
  ExpectStored({kInt}, Raw({9, 8, 7}), "090807");
}

TEST(ValueEncoder, ValuesThatDoNotFitAreRefused) {
  using enum SqlType;
  ExpectRefused({kChar, 2}, "abc");
  ExpectRefused({kNVarChar, 2}, "abc");
  ExpectRefused({kBinary, 1}, Bin({1, 2}));
  ExpectRefused({kInt}, "twelve");
  ExpectRefused({kDate}, "2024-13-01");
  ExpectRefused({kUniqueIdentifier}, "not-a-guid");
  ExpectRefused({kSqlVariant}, 5);
}

}  // namespace
}  // namespace corvane::mdfgen

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

struct Case {
  ColumnType column;
  Value value;
  const char* stored;
};

TEST(ValueEncoder, StoredFormsOfEveryType) {
  using enum SqlType;
  const Case cases[] = {
      {{kTinyInt}, 255, "ff"},
      {{kSmallInt}, -2, "feff"},
      {{kInt}, "42", "2a000000"},
      {{kBigInt}, -1LL, "ffffffffffffffff"},
      {{kBit}, 7, "01"},
      {{kDecimal, 0, 5, 2}, "123.45", "0139300000"},
      {{kDecimal, 0, 5, 2}, "-0.05", "0005000000"},
      {{kNumeric, 0, 18, 6}, 2, "0180841e0000000000"},
      {{kMoney}, "1.5", "983a000000000000"},
      {{kSmallMoney}, -1, "f0d8ffff"},
      {{kFloat}, 1.5, "000000000000f83f"},
      {{kReal}, 0.5, "0000003f"},
      {{kDateTime}, "1900-01-01 00:00:01", "2c01000000000000"},
      {{kDateTime}, "2024-02-29 13:45:00", "d097e20025b10000"},
      {{kSmallDateTime}, "1900-01-02 00:01", "01000100"},
      {{kDate}, "2000-01-01", "07240b"},
      {{kTime, 0, 0, 7}, "10:00:00.0000050", "3210acd153"},
      {{kDateTime2, 0, 0, 3}, "2024-02-29 13:45:00.123", "db4ff30280460b"},
      // Stored as UTC (04:45) with the offset in minutes.
      {{kDateTimeOffset, 0, 0, 0}, "2023-06-01 10:15:00 +05:30", "cc42006f450b4a01"},
      {{kUniqueIdentifier},
       "00112233-4455-6677-8899-AABBCCDDEEFF",
       "33221100554477668899aabbccddeeff"},
      {{kChar, 4}, "ab", "61622020"},
      {{kVarChar, 10}, "Grüß", "4772fcdf"},
      {{kNChar, 2}, "я", "4f042000"},
      {{kNVarChar, 10}, "😀", "3dd800de"},
      {{kBinary, 3}, Bin({1}), "010000"},
      {{kVarBinary, 3}, Bin({}), ""},
      {{kTimestamp}, 2001, "00000000000007d1"},
      {{kSqlVariant, 0, 0, 0, 0x3400D008}, Variant(kInt, 42), "38012a000000"},
      {{kSqlVariant, 0, 0, 0, 0x3400D008},
       Variant(kNVarChar, "ab", 20),
       "e701280008d000346100"
       "6200"},
      {{kSqlVariant},
       Variant(kDecimal, "1.5", 0, 5, 1),
       "6a010501"
       "010f000000"},
      {{kInt}, Raw({9, 8, 7}), "090807"},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> out;
    std::string error;
    ASSERT_TRUE(EncodeValue(c.column, c.value, out, error)) << c.stored << ": " << error;
    EXPECT_EQ(Hex(out), c.stored) << TypeName(c.column.type);
  }
}

TEST(ValueEncoder, ValuesThatDoNotFitAreRefused) {
  using enum SqlType;
  const Case cases[] = {
      {{kChar, 2}, "abc", ""}, {{kNVarChar, 2}, "abc", ""}, {{kBinary, 1}, Bin({1, 2}), ""},
      {{kInt}, "twelve", ""},  {{kDate}, "2024-13-01", ""}, {{kUniqueIdentifier}, "not-a-guid", ""},
      {{kSqlVariant}, 5, ""},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> out;
    std::string error;
    EXPECT_FALSE(EncodeValue(c.column, c.value, out, error)) << TypeName(c.column.type);
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace corvane::mdfgen

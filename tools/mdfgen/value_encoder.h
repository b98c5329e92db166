#pragma once
// Turns declared values into the bytes SQL Server stores for a column.
//
// Storage forms (little-endian):
//   tinyint/smallint/int/bigint   1/2/4/8 bytes, two's complement
//   bit                           one bit of a shared byte (the record packs it)
//   decimal/numeric(p,s)          sign byte (1 positive, 0 negative), then the
//                                 magnitude value * 10^s in 4/8/12/16 bytes
//   money / smallmoney            int64 / int32 of value * 10000
//   float / real                  IEEE double / single
//   datetime                      uint32 ticks of 1/300 s since midnight, then
//                                 int32 days since 1900-01-01
//   smalldatetime                 uint16 minutes since midnight, uint16 days since 1900-01-01
//   date                          3 bytes of days since 0001-01-01
//   time(n)                       3-5 bytes of 10^-n second units since midnight
//   datetime2(n)                  time(n) bytes, then date bytes
//   datetimeoffset(n)             datetime2(n) bytes of the UTC time, then int16
//                                 offset in minutes
//   uniqueidentifier              16 bytes; the first three groups reversed
//   char/varchar, text            code page 1252 bytes; char padded with blanks
//   nchar/nvarchar, ntext         UTF-16LE; nchar padded with U+0020
//   binary/varbinary              bytes; binary padded with zeros
//   timestamp                     8 bytes, the counter big-endian as shown
//   sql_variant                   base type id, version 1, properties, value:
//                                 decimal: precision, scale; char types: uint16
//                                 maximum length, int32 collation; binary types:
//                                 uint16 maximum length; time types: scale
//
// Texts accepted for dates and times: "YYYY-MM-DD", "hh:mm[:ss[.fffffff]]",
// "YYYY-MM-DD hh:mm[:ss[.fffffff]]", with " +hh:mm" or " -hh:mm" after it for
// datetimeoffset.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/mdfgen/sql_type.h"
#include "tools/mdfgen/value.h"

namespace corvane::mdfgen {

// The parts of a column the encoder needs.
struct ColumnType {
  SqlType type = SqlType::kInt;
  int length = 0;  // declared length (characters or bytes); kMax
  int precision = 0;
  int scale = 0;
  std::int32_t collationId = 0;
};

// Appends the stored form of `value` (not NULL) to `out`. bit values append
// one byte, 0 or 1. Returns false with `error` set when the value does not fit
// the type.
bool EncodeValue(const ColumnType& column, const Value& value, std::vector<std::uint8_t>& out,
                 std::string& error);

// Text helpers shared with the catalog writer.
void AppendUtf16(std::string_view utf8, std::vector<std::uint8_t>& out);
void AppendCodePage1252(std::string_view utf8, std::vector<std::uint8_t>& out);
bool IsAscii(std::string_view text);

}  // namespace corvane::mdfgen

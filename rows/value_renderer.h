#pragma once
// The value renderer: the text of one stored column value, by type code.
//
// Stored forms and texts (little-endian; "n" is the slot's data length, "size"
// the number in the descriptor's typeText parentheses):
//
//  Code                     Bytes                            Text
//  -----------------------  -------------------------------  --------------------------
//  0 bigint                 8 signed                         "-1"
//  1 binary, 30 timestamp   n                                "0x0102AB"
//  2 bit                    1 shared by up to 8 columns      "True" / "False"
//  3 char, 17 varchar,      n, 8-bit in the column           text before the first
//    26 text                collation's code page            zero byte
//  4 datetime, 5 date, 6 time, 7 datetime2, 8 datetimeoffset,
//    27 smalldatetime       see date_time_text.h
//  9 int, 13 smallint       4 / 2 signed                     "-5"
//  14 tinyint               1 unsigned                       "255"
//  10 nchar, 11 nvarchar,   n, UTF-16LE                      text before the first
//    19 ntext                                                zero unit
//  12 row locator           page int32, file uint16,         "page/file/slot"
//                           slot uint16
//  15 uniqueidentifier      16, see binary_text.h
//  16 varbinary, 33 CLR     n                                "0102AB" (the decoder adds
//                                                            "0x")
//  20 sql_variant           n - 8 from the value's first     as code 19 when exactly
//    (definition rows)      byte                             half the bytes are zero,
//                                                            else 8-bit text
//  21 money, 29 smallmoney  8 / 4 signed, 1/10000 units      "-1.2345"
//  22 float, 28 real        8 / 4 IEEE                       see number_text.h
//  23 numeric, 24 decimal   sign byte, magnitude             see number_text.h
//  34 xml                   binary xml                       " " (no converter here)
//  18, 25, 31, 32, >34      -                                empty
//
// Common rules: a null pointer, a data length below 1, or fewer available
// bytes than the value needs give empty text. Fixed-width values are read
// from a zero-padded copy of at most their data length, so a short value
// never reads past the available bytes.
//
// sql_variant values (RenderSqlVariant) start with the base type id and a
// version byte:
//
//  Base type                      Length   Layout after the two bytes
//  -----------------------------  -------  --------------------------------------
//  36 uniqueidentifier            18       16 bytes
//  40 date                        5        3 bytes
//  41 time, 42 datetime2,         > 3      scale byte, then the value
//    43 datetimeoffset
//  48 tinyint / 52 smallint /     3/4/6/10 the integer
//    56 int / 127 bigint
//  58 smalldatetime               6        4 bytes
//  59 real / 62 float             6 / 10   IEEE value; an infinity shows "inf"
//  60 money / 122 smallmoney      10 / 6   the units
//  61 datetime                    10       8 bytes
//  104 bit                        3        1 byte, "True" when not 0
//  106 decimal, 108 numeric       > 4      precision byte, scale byte, sign, magnitude
//  165 varbinary, 173 binary      > 4      max length (2), the bytes: "0x..."
//  167 varchar, 175 char          > 8      max length (2), collation id (4), 8-bit text
//  231 nvarchar, 239 nchar        > 8      max length (2), collation id (4), UTF-16LE
//  240 CLR type                   > 2      the bytes: "0x..."
//
// A value of another length or base type gives empty text.
//
// Both functions may be called by one thread at a time per TextDecoder.

#include <cstdint>
#include <string>

#include "catalog/column_descriptor.h"
#include "rows/text_codec.h"
#include "rows/value_slot.h"

namespace corvane {

// Renders the value at `data` of the column `descriptor` (typeText,
// precision, scale and collationId are read). The slot comes from
// MakeValueSlot with availableLength (and, for variable values, dataLength)
// set by the caller; RenderValue fills slot.size from typeText when it is 0,
// and for bit columns updates slot.size, slot.width and the bit cursor.
std::string RenderValue(ValueSlot& slot, const std::uint8_t* data,
                        const ColumnDescriptor& descriptor, const TextDecoder& decoder);

// Renders a sql_variant value of `dataLength` bytes at `data`; nothing past
// slot.availableLength is read.
std::string RenderSqlVariant(int dataLength, ValueSlot& slot, const std::uint8_t* data,
                             const TextDecoder& decoder);

}  // namespace corvane

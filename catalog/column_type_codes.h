#pragma once
// The internal type code that every ColumnDescriptor carries in place of
// SQL Server's system type id. The row decoder and the value renderer choose
// their storage width and text form by it.
//
//  Code  Type                       System type id
//  ----  -------------------------  ---------------------------------------
//   0    bigint                     127
//   1    binary                     173
//   2    bit                        104
//   3    char                       175, and every id not named here
//   4    datetime                   61
//   5    date                       40
//   6    time                       41
//   7    datetime2                  42
//   8    datetimeoffset             43
//   9    int                        56
//  10    nchar                      239
//  11    nvarchar                   231
//  12    row locator (page/file/slot; no system type maps to it)
//  13    smallint                   52
//  14    tinyint                    48
//  15    uniqueidentifier           36
//  16    varbinary                  165
//  17    varchar                    167; also codes above 34
//  18    nvarchar (second id)       232; schema assembly stores 11
//  19    ntext                      99
//  20    sql_variant                98
//  21    money                      60
//  22    float                      62
//  23    numeric                    108
//  24    decimal                    106
//  25    image                      stored by schema assembly for id 34
//  26    text                       35, and 34 (image) before assembly
//  27    smalldatetime              58
//  28    real                       59
//  29    smallmoney                 122
//  30    timestamp                  189
//  31    hierarchyid                240 with user type 128 (assembly)
//  32    geometry                   240 with user type 129 (assembly)
//  33    other CLR type             240
//  34    xml                        241

#include <cstdint>

namespace corvane {

using ColumnTypeCode = std::int32_t;

inline constexpr ColumnTypeCode kTypeBigInt = 0;
inline constexpr ColumnTypeCode kTypeBinary = 1;
inline constexpr ColumnTypeCode kTypeBit = 2;
inline constexpr ColumnTypeCode kTypeChar = 3;
inline constexpr ColumnTypeCode kTypeDateTime = 4;
inline constexpr ColumnTypeCode kTypeDate = 5;
inline constexpr ColumnTypeCode kTypeTime = 6;
inline constexpr ColumnTypeCode kTypeDateTime2 = 7;
inline constexpr ColumnTypeCode kTypeDateTimeOffset = 8;
inline constexpr ColumnTypeCode kTypeInt = 9;
inline constexpr ColumnTypeCode kTypeNChar = 10;
inline constexpr ColumnTypeCode kTypeNVarChar = 11;
inline constexpr ColumnTypeCode kTypeRowLocator = 12;
inline constexpr ColumnTypeCode kTypeSmallInt = 13;
inline constexpr ColumnTypeCode kTypeTinyInt = 14;
inline constexpr ColumnTypeCode kTypeUniqueIdentifier = 15;
inline constexpr ColumnTypeCode kTypeVarBinary = 16;
inline constexpr ColumnTypeCode kTypeVarChar = 17;
inline constexpr ColumnTypeCode kTypeNVarCharAlias = 18;
inline constexpr ColumnTypeCode kTypeNText = 19;
inline constexpr ColumnTypeCode kTypeSqlVariant = 20;
inline constexpr ColumnTypeCode kTypeMoney = 21;
inline constexpr ColumnTypeCode kTypeFloat = 22;
inline constexpr ColumnTypeCode kTypeNumeric = 23;
inline constexpr ColumnTypeCode kTypeDecimal = 24;
inline constexpr ColumnTypeCode kTypeImage = 25;
inline constexpr ColumnTypeCode kTypeText = 26;
inline constexpr ColumnTypeCode kTypeSmallDateTime = 27;
inline constexpr ColumnTypeCode kTypeReal = 28;
inline constexpr ColumnTypeCode kTypeSmallMoney = 29;
inline constexpr ColumnTypeCode kTypeTimestamp = 30;
inline constexpr ColumnTypeCode kTypeHierarchyId = 31;
inline constexpr ColumnTypeCode kTypeGeometry = 32;
inline constexpr ColumnTypeCode kTypeClr = 33;
inline constexpr ColumnTypeCode kTypeXml = 34;
inline constexpr ColumnTypeCode kLastTypeCode = kTypeXml;

// The code of a system type id, as the table above gives it; the changes that
// schema assembly makes afterwards (image, 232, CLR user types, codes above
// 34) are not applied here.
ColumnTypeCode TypeCodeOf(std::int32_t systemTypeId);

}  // namespace corvane

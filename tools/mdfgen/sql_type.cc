#include "tools/mdfgen/sql_type.h"

#include <array>

namespace corvane::mdfgen {
namespace {

using enum SqlType;

// Copied from the sysscalartypes rows of a SQL Server 2008 R2 database
// (schema 4, sys). hierarchyid, geometry and geography are CLR types (xtype
// 240); the builder declares no columns of them.
constexpr std::array<ScalarTypeRow, 34> kScalarTypes{{
    {34, "image", kImage, 16, 0, 0, false, 0},
    {35, "text", kText, 16, 0, 0, true, 0},
    {36, "uniqueidentifier", kUniqueIdentifier, 16, 0, 0, false, 0},
    {40, "date", kDate, 3, 10, 0, false, 0},
    {41, "time", kTime, 5, 16, 7, false, 0},
    {42, "datetime2", kDateTime2, 8, 27, 7, false, 0},
    {43, "datetimeoffset", kDateTimeOffset, 10, 34, 7, false, 0},
    {48, "tinyint", kTinyInt, 1, 3, 0, false, 0},
    {52, "smallint", kSmallInt, 2, 5, 0, false, 0},
    {56, "int", kInt, 4, 10, 0, false, 0},
    {58, "smalldatetime", kSmallDateTime, 4, 16, 0, false, 0},
    {59, "real", kReal, 4, 24, 0, false, 0},
    {60, "money", kMoney, 8, 19, 4, false, 0},
    {61, "datetime", kDateTime, 8, 23, 3, false, 0},
    {62, "float", kFloat, 8, 53, 0, false, 0},
    {98, "sql_variant", kSqlVariant, 8016, 0, 0, false, 0},
    {99, "ntext", kNText, 16, 0, 0, true, 0},
    {104, "bit", kBit, 1, 1, 0, false, 0},
    {106, "decimal", kDecimal, 17, 38, 38, false, 0},
    {108, "numeric", kNumeric, 17, 38, 38, false, 0},
    {122, "smallmoney", kSmallMoney, 4, 10, 4, false, 0},
    {127, "bigint", kBigInt, 8, 19, 0, false, 0},
    {128, "hierarchyid", static_cast<SqlType>(240), 892, 0, 0, false, 0},
    {129, "geometry", static_cast<SqlType>(240), -1, 0, 0, false, 0},
    {130, "geography", static_cast<SqlType>(240), -1, 0, 0, false, 0},
    {165, "varbinary", kVarBinary, 8000, 0, 0, false, 0},
    {167, "varchar", kVarChar, 8000, 0, 0, true, 0},
    {173, "binary", kBinary, 8000, 0, 0, false, 0},
    {175, "char", kChar, 8000, 0, 0, true, 0},
    {189, "timestamp", kTimestamp, 8, 0, 0, false, 1},
    {231, "nvarchar", kNVarChar, 8000, 0, 0, true, 0},
    {239, "nchar", kNChar, 8000, 0, 0, true, 0},
    {241, "xml", kXml, -1, 0, 0, false, 0},
    {256, "sysname", kNVarChar, 256, 0, 0, true, 1},
}};

}  // namespace

std::span<const ScalarTypeRow> ScalarTypes() { return kScalarTypes; }

std::string_view TypeName(SqlType type) {
  for (const auto& row : kScalarTypes) {
    if (row.xtype == type && row.id == static_cast<std::int32_t>(type)) return row.name;
  }
  return "";
}

int TimeBytes(int scale) { return scale <= 2 ? 3 : scale <= 4 ? 4 : 5; }

int DecimalMagnitudeBytes(int precision) {
  return precision <= 9 ? 4 : precision <= 19 ? 8 : precision <= 28 ? 12 : 16;
}

int FixedWidth(SqlType type, int length, int precision, int scale) {
  switch (type) {
    case kTinyInt:
    case kBit:
      return 1;
    case kSmallInt:
      return 2;
    case kInt:
    case kReal:
    case kSmallMoney:
    case kSmallDateTime:
      return 4;
    case kBigInt:
    case kMoney:
    case kFloat:
    case kDateTime:
    case kTimestamp:
      return 8;
    case kUniqueIdentifier:
      return 16;
    case kDate:
      return 3;
    case kTime:
      return TimeBytes(scale);
    case kDateTime2:
      return TimeBytes(scale) + 3;
    case kDateTimeOffset:
      return TimeBytes(scale) + 5;
    case kDecimal:
    case kNumeric:
      return 1 + DecimalMagnitudeBytes(precision);
    case kChar:
    case kBinary:
      return length;
    case kNChar:
      return 2 * length;
    default:
      return 0;
  }
}

bool IsVariableLength(SqlType type) {
  switch (type) {
    case kVarChar:
    case kNVarChar:
    case kVarBinary:
    case kSqlVariant:
    case kText:
    case kNText:
    case kImage:
    case kXml:
      return true;
    default:
      return false;
  }
}

bool IsCharacterType(SqlType type) {
  switch (type) {
    case kChar:
    case kVarChar:
    case kNChar:
    case kNVarChar:
    case kText:
    case kNText:
      return true;
    default:
      return false;
  }
}

bool IsUnicodeType(SqlType type) { return type == kNChar || type == kNVarChar || type == kNText; }

bool IsLargeObjectType(SqlType type) {
  return type == kText || type == kNText || type == kImage || type == kXml;
}

}  // namespace corvane::mdfgen

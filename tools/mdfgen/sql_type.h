#pragma once
// SQL Server system types as the builder stores them: the system type id
// (sysscalartypes.xtype), the type name, and the row sysscalartypes holds for
// it in every database.

#include <cstdint>
#include <span>
#include <string_view>

namespace corvane::mdfgen {

// System type ids.
enum class SqlType : std::uint8_t {
  kImage = 34,
  kText = 35,
  kUniqueIdentifier = 36,
  kDate = 40,
  kTime = 41,
  kDateTime2 = 42,
  kDateTimeOffset = 43,
  kTinyInt = 48,
  kSmallInt = 52,
  kInt = 56,
  kSmallDateTime = 58,
  kReal = 59,
  kMoney = 60,
  kDateTime = 61,
  kFloat = 62,
  kSqlVariant = 98,
  kNText = 99,
  kBit = 104,
  kDecimal = 106,
  kNumeric = 108,
  kSmallMoney = 122,
  kBigInt = 127,
  kVarBinary = 165,
  kVarChar = 167,
  kBinary = 173,
  kChar = 175,
  kTimestamp = 189,
  kNVarChar = 231,
  kNChar = 239,
  kXml = 241,
};

// Length value of the max types (varchar(max), nvarchar(max), varbinary(max)).
inline constexpr int kMax = -1;
// User type id of sysname (nvarchar(128)).
inline constexpr std::int32_t kSysnameUserType = 256;

// One row of sysscalartypes: a system type as every database lists it.
struct ScalarTypeRow {
  std::int32_t id;  // user type id (= xtype for the system types)
  std::string_view name;
  SqlType xtype;
  std::int16_t length;  // maximum length in bytes
  std::uint8_t precision;
  std::uint8_t scale;
  bool collated;  // carries the database collation
  std::int32_t status;
};

// The system types in sysscalartypes order (ascending id), as SQL Server 2008
// and later list them; SQL Server 2005 lacks date, time, datetime2,
// datetimeoffset and the CLR types.
std::span<const ScalarTypeRow> ScalarTypes();

std::string_view TypeName(SqlType type);

// Fixed storage width in bytes for the fixed-length types given their
// declared length/precision/scale; 0 for variable-length types.
int FixedWidth(SqlType type, int length, int precision, int scale);
bool IsVariableLength(SqlType type);
bool IsCharacterType(SqlType type);  // carries a collation
bool IsUnicodeType(SqlType type);
// text, ntext, image, xml: the row holds a 16-byte pointer to large-object pages.
bool IsLargeObjectType(SqlType type);

// Bytes of time data in time(n), datetime2(n) and datetimeoffset(n).
int TimeBytes(int scale);
// Bytes of a decimal/numeric magnitude for a precision (4, 8, 12 or 16).
int DecimalMagnitudeBytes(int precision);

}  // namespace corvane::mdfgen

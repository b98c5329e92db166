#include "tools/mdfgen/declaration.h"

namespace corvane::mdfgen {
namespace {

Column Make(std::string name, SqlType type, int length = 0, int precision = 0, int scale = 0) {
  Column c;
  c.name = std::move(name);
  c.type = type;
  c.length = length;
  c.precision = precision;
  c.scale = scale;
  return c;
}

Row WithState(Row row, RowState state) {
  row.state = state;
  return row;
}

}  // namespace

Column BigInt(std::string name) { return Make(std::move(name), SqlType::kBigInt); }
Column Int(std::string name) { return Make(std::move(name), SqlType::kInt); }
Column SmallInt(std::string name) { return Make(std::move(name), SqlType::kSmallInt); }
Column TinyInt(std::string name) { return Make(std::move(name), SqlType::kTinyInt); }
Column Bit(std::string name) { return Make(std::move(name), SqlType::kBit); }
Column Decimal(std::string name, int precision, int scale) {
  return Make(std::move(name), SqlType::kDecimal, 0, precision, scale);
}
Column Numeric(std::string name, int precision, int scale) {
  return Make(std::move(name), SqlType::kNumeric, 0, precision, scale);
}
Column Money(std::string name) { return Make(std::move(name), SqlType::kMoney); }
Column SmallMoney(std::string name) { return Make(std::move(name), SqlType::kSmallMoney); }
Column Float(std::string name) { return Make(std::move(name), SqlType::kFloat); }
Column Real(std::string name) { return Make(std::move(name), SqlType::kReal); }
Column DateTime(std::string name) { return Make(std::move(name), SqlType::kDateTime); }
Column SmallDateTime(std::string name) { return Make(std::move(name), SqlType::kSmallDateTime); }
Column Date(std::string name) { return Make(std::move(name), SqlType::kDate); }
Column Time(std::string name, int scale) {
  return Make(std::move(name), SqlType::kTime, 0, 0, scale);
}
Column DateTime2(std::string name, int scale) {
  return Make(std::move(name), SqlType::kDateTime2, 0, 0, scale);
}
Column DateTimeOffset(std::string name, int scale) {
  return Make(std::move(name), SqlType::kDateTimeOffset, 0, 0, scale);
}
Column UniqueIdentifier(std::string name) {
  return Make(std::move(name), SqlType::kUniqueIdentifier);
}
Column Char(std::string name, int length) { return Make(std::move(name), SqlType::kChar, length); }
Column VarChar(std::string name, int length) {
  return Make(std::move(name), SqlType::kVarChar, length);
}
Column NChar(std::string name, int length) {
  return Make(std::move(name), SqlType::kNChar, length);
}
Column NVarChar(std::string name, int length) {
  return Make(std::move(name), SqlType::kNVarChar, length);
}
Column Binary(std::string name, int length) {
  return Make(std::move(name), SqlType::kBinary, length);
}
Column VarBinary(std::string name, int length) {
  return Make(std::move(name), SqlType::kVarBinary, length);
}
Column Timestamp(std::string name) { return Make(std::move(name), SqlType::kTimestamp); }
Column SqlVariant(std::string name) { return Make(std::move(name), SqlType::kSqlVariant); }
Column Text(std::string name) { return Make(std::move(name), SqlType::kText); }
Column NText(std::string name) { return Make(std::move(name), SqlType::kNText); }
Column Image(std::string name) { return Make(std::move(name), SqlType::kImage); }

Row Ghost(Row row) { return WithState(std::move(row), RowState::kGhost); }
Row Deleted(Row row) { return WithState(std::move(row), RowState::kDeleted); }
Row Forwarded(Row row) { return WithState(std::move(row), RowState::kForwarded); }

}  // namespace corvane::mdfgen

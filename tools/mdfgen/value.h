#pragma once
// One column value of a declared row.
//
// A Value is what a test writes into a row literal: nullptr for NULL, an
// integer, a floating-point number, a text (UTF-8), a byte string, or bytes
// that are stored exactly as given. The column's type decides how it is
// stored: "12.50" becomes a decimal or a money value, "2024-02-29 13:45:00"
// a datetime, "6F9619FF-8B86-D011-B42D-00C04FC964FF" a uniqueidentifier. A
// sql_variant column takes a Value tagged with the type to store it as.
//
//   Row{1, "Ann", nullptr, 12.5, Bin({0x01, 0x02}), Variant(SqlType::kInt, 42)}

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "tools/mdfgen/sql_type.h"

namespace corvane::mdfgen {

using ByteString = std::vector<std::uint8_t>;

// Bytes stored exactly as given, for values the encoder does not build.
struct RawBytes {
  ByteString bytes;
  bool operator==(const RawBytes&) const = default;
};

struct VariantValue;

class Value {
 public:
  Value() = default;  // NULL
  Value(std::nullptr_t) {}
  Value(bool v) : data_(static_cast<std::int64_t>(v)) {}
  Value(int v) : data_(static_cast<std::int64_t>(v)) {}
  Value(long v) : data_(static_cast<std::int64_t>(v)) {}
  Value(long long v) : data_(static_cast<std::int64_t>(v)) {}
  Value(unsigned v) : data_(static_cast<std::int64_t>(v)) {}
  Value(double v) : data_(v) {}
  Value(const char* v) : data_(std::string(v)) {}
  Value(std::string v) : data_(std::move(v)) {}
  Value(ByteString v) : data_(std::move(v)) {}
  Value(RawBytes v) : data_(std::move(v)) {}
  Value(VariantValue v);

  bool isNull() const { return std::holds_alternative<std::monostate>(data_); }
  const std::int64_t* integer() const { return std::get_if<std::int64_t>(&data_); }
  const double* real() const { return std::get_if<double>(&data_); }
  const std::string* text() const { return std::get_if<std::string>(&data_); }
  const ByteString* bytes() const { return std::get_if<ByteString>(&data_); }
  const RawBytes* raw() const { return std::get_if<RawBytes>(&data_); }
  const VariantValue* variant() const;

 private:
  std::variant<std::monostate, std::int64_t, double, std::string, ByteString, RawBytes,
               std::shared_ptr<const VariantValue>>
      data_;
};

// A sql_variant value: the base type it is stored as and the value itself.
struct VariantValue {
  SqlType type = SqlType::kInt;
  int length = 0;  // character or byte length for char/binary types
  int precision = 0;
  int scale = 0;
  Value value;
};

inline Value::Value(VariantValue v) : data_(std::make_shared<const VariantValue>(std::move(v))) {}
inline const VariantValue* Value::variant() const {
  auto p = std::get_if<std::shared_ptr<const VariantValue>>(&data_);
  return p ? p->get() : nullptr;
}

inline Value Bin(std::initializer_list<std::uint8_t> bytes) { return Value(ByteString(bytes)); }
inline Value Raw(ByteString bytes) { return Value(RawBytes{std::move(bytes)}); }
inline Value Variant(SqlType type, Value value, int length = 0, int precision = 0, int scale = 0) {
  return Value(VariantValue{type, length, precision, scale, std::move(value)});
}

}  // namespace corvane::mdfgen

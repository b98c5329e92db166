#include "tests/support/value_bytes.h"

#include <charconv>

namespace corvane::testing {

ColumnDescriptor Column(ColumnTypeCode code, const std::string& typeText, int precision,
                        int scale, std::int32_t collationId) {
  ColumnDescriptor column;
  column.typeCode = code;
  column.typeText = typeText;
  column.precision = static_cast<std::uint8_t>(precision);
  column.scale = static_cast<std::uint8_t>(scale);
  column.collationId = collationId;
  std::int16_t parsed = 0;
  auto open = typeText.find('(');
  auto close = typeText.find(')');
  if (open != std::string::npos && close != std::string::npos && close > open) {
    std::from_chars(typeText.data() + open + 1, typeText.data() + close, parsed);
  }
  switch (code) {
    case kTypeBinary:
    case kTypeChar:
    case kTypeNChar:
    case kTypeNumeric:
    case kTypeDecimal:
      column.size = parsed;
      break;
    case kTypeNVarChar:
    case kTypeNText:
    case kTypeText:
    case kTypeClr:
    case kTypeXml:
      column.size = parsed;
      column.variableLength = true;
      break;
    case kTypeSqlVariant:
    case kTypeUniqueIdentifier:
    case kTypeVarBinary:
    case kTypeVarChar:
    case kTypeImage:
      column.variableLength = true;
      break;
    default:
      break;
  }
  return column;
}

std::string Render(const ColumnDescriptor& column, const ByteVector& bytes,
                   const TextDecoder& decoder, RenderOptions options) {
  BitCursor cursor;
  ValueSlot slot = MakeValueSlot(column, column.typeCode, &cursor);
  ExactBytes exact(bytes);
  slot.availableLength =
      options.availableLength >= 0 ? options.availableLength : static_cast<std::int64_t>(bytes.size());
  if (options.dataLength >= 0) {
    slot.dataLength = static_cast<std::int16_t>(options.dataLength);
  } else if (slot.variable) {
    slot.dataLength = static_cast<std::int16_t>(bytes.size());
  }
  slot.compressed = options.compressed;
  return RenderValue(slot, exact.data(), column, decoder);
}

std::string Render(const ColumnDescriptor& column, const ByteVector& bytes, RenderOptions options) {
  TextDecoder decoder;
  return Render(column, bytes, decoder, options);
}

}  // namespace corvane::testing

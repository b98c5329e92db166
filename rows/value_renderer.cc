#include "rows/value_renderer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

#include "rows/binary_text.h"
#include "rows/date_time_text.h"
#include "rows/number_text.h"

namespace corvane {
namespace {

// Larger than every fixed-width value (numeric: 19 bytes).
using FixedBuffer = std::array<std::uint8_t, 32>;

// The number between the first "(" and the first ")" of typeText; 0 when
// there is none.
std::int32_t SizeFromTypeText(const std::string& typeText) {
  const std::size_t open = typeText.find('(');
  if (open == std::string::npos) return 0;
  const std::size_t close = typeText.find(')');
  if (close == std::string::npos || close < open) return 0;
  std::int32_t size = 0;
  auto [ptr, ec] = std::from_chars(typeText.data() + open + 1, typeText.data() + close, size);
  return ec == std::errc() ? size : 0;
}

// How many bytes must be available before a value of `code` is read. The
// date, time, money and decimal types need their declared size (their slot's
// data length may be longer than the value); the other types need all of
// their data length, so a value cut short is empty rather than read past its
// end.
std::int64_t RequiredBytes(ColumnTypeCode code, std::int64_t length, std::int32_t size) {
  switch (code) {
    case kTypeTime:
    case kTypeDateTime2:
    case kTypeDateTimeOffset:
    case kTypeMoney:
    case kTypeNumeric:
    case kTypeDecimal:
    case kTypeSmallMoney:
      return size;
    case kTypeDateTime: return 8;
    case kTypeSmallDateTime: return 4;
    case kTypeDate: return 3;
    case kTypeBit: return 0;  // later bits of a group read no byte at all
    default: return length;
  }
}

std::string BitText(ValueSlot& slot, Bytes value) {
  BitCursor* cursor = slot.bitCursor;
  if (cursor == nullptr || slot.dataLength != 1) return {};
  slot.size = 0;
  if (cursor->bitIndex < 0 || cursor->bitIndex >= 8) cursor->loaded = false;
  if (!cursor->loaded) {
    cursor->bits = value.ReadOr<std::uint8_t>(0, 0);
    cursor->bitIndex = 0;
    cursor->loaded = true;
    cursor->byteTaken = true;
    slot.width = 1;
    slot.size = 1;
  } else {
    cursor->byteTaken = false;
    slot.width = 0;
  }
  const bool set = (cursor->bits >> cursor->bitIndex) & 1;
  ++cursor->bitIndex;
  return set ? "True" : "False";
}

std::string NarrowText(Bytes value, std::int32_t collationId, const TextDecoder& decoder) {
  std::string text;
  decoder.AppendNarrow(CutAtZeroByte(value), collationId, text);
  return text;
}

std::string Utf16Text(Bytes value) {
  std::string text;
  TextDecoder::AppendUtf16(CutAtZeroUnit(value), text);
  return text;
}

std::string RowLocatorText(Bytes value) {
  std::string text = IntegerText(value.ReadOr<std::int32_t>(0, 0));
  text += '/';
  text += IntegerText(value.ReadOr<std::uint16_t>(4, 0));
  text += '/';
  text += IntegerText(value.ReadOr<std::uint16_t>(6, 0));
  return text;
}

// In a compressed record a float keeps only its high-order bytes; the
// dropped low-order bytes were zero.
double FloatValue(const FixedBuffer& fixed, std::size_t length, bool compressed) {
  std::uint8_t bytes[8] = {};
  if (compressed && length < 8) {
    std::memcpy(bytes + (8 - length), fixed.data(), length);
  } else {
    std::memcpy(bytes, fixed.data(), 8);
  }
  double value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

float RealValue(const FixedBuffer& fixed) {
  float value;
  std::memcpy(&value, fixed.data(), sizeof value);
  return value;
}

// What sql_variant values reach this path with (definition rows of the old
// catalog): UTF-16 when exactly half of the bytes are zero, else 8-bit text.
std::string VariantAsText(Bytes value, std::int32_t collationId, const TextDecoder& decoder) {
  const auto zeros = static_cast<std::size_t>(std::count(value.span().begin(), value.span().end(), 0));
  if (zeros * 2 == value.size()) return Utf16Text(value);
  return NarrowText(value, collationId, decoder);
}

}  // namespace

std::string RenderValue(ValueSlot& slot, const std::uint8_t* data,
                        const ColumnDescriptor& descriptor, const TextDecoder& decoder) {
  if (data == nullptr) return {};
  // A variable value ends at its data length, even when more bytes follow.
  if (slot.variable && slot.dataLength < slot.availableLength) {
    slot.availableLength = slot.dataLength;
  }
  if (slot.size == 0) slot.size = SizeFromTypeText(descriptor.typeText);
  const ColumnTypeCode code = slot.typeCode;
  std::int64_t length = slot.dataLength;
  if (code == kTypeSqlVariant) length -= 8;  // the variant's header is not text
  if (length < 1) return {};
  if (RequiredBytes(code, length, slot.size) > slot.availableLength) return {};

  const auto taken = static_cast<std::size_t>(
      std::max<std::int64_t>(0, std::min(length, slot.availableLength)));
  const Bytes value(data, taken);
  FixedBuffer fixed{};
  std::memcpy(fixed.data(), data, std::min(taken, fixed.size()));
  const auto fixedPart = [&](std::int64_t width) {
    return Bytes(fixed.data(),
                 static_cast<std::size_t>(std::clamp<std::int64_t>(width, 0, fixed.size())));
  };
  const Bytes padded = fixedPart(fixed.size());

  switch (code) {
    case kTypeBigInt: return IntegerText(LoadLE<std::int64_t>(fixed.data()));
    case kTypeInt: return IntegerText(LoadLE<std::int32_t>(fixed.data()));
    case kTypeSmallInt: return IntegerText(LoadLE<std::int16_t>(fixed.data()));
    case kTypeTinyInt: return IntegerText(fixed[0]);
    case kTypeBit: return BitText(slot, value);
    case kTypeMoney: return MoneyText(LoadLE<std::int64_t>(fixed.data()));
    case kTypeSmallMoney: return MoneyText(LoadLE<std::int32_t>(fixed.data()));
    case kTypeFloat: return FloatText(FloatValue(fixed, taken, slot.compressed), true);
    case kTypeReal: return RealText(RealValue(fixed), true);
    case kTypeNumeric:
    case kTypeDecimal:
      return DecimalText(padded, descriptor.precision, descriptor.scale);

    case kTypeDate: return DateText(padded);
    case kTypeTime: return TimeText(fixedPart(slot.size), descriptor.scale);
    case kTypeDateTime2: return DateTime2Text(fixedPart(slot.size), descriptor.scale);
    case kTypeDateTimeOffset: return DateTimeOffsetText(fixedPart(slot.size), descriptor.scale);
    case kTypeDateTime: return DateTimeText(padded);
    case kTypeSmallDateTime: return SmallDateTimeText(padded);

    case kTypeBinary:
    case kTypeTimestamp:
      return HexText(value, true);
    case kTypeVarBinary:
    case kTypeClr:
      return HexText(value, false);
    case kTypeUniqueIdentifier: return UniqueIdentifierText(padded);
    case kTypeRowLocator: return RowLocatorText(padded);

    case kTypeChar:
    case kTypeVarChar:
    case kTypeText:
      return NarrowText(value, descriptor.collationId, decoder);
    case kTypeNChar:
    case kTypeNText:
      return Utf16Text(value);
    case kTypeNVarChar:
      // A compressed record may end an nvarchar value with a stray odd byte.
      if (slot.compressed && taken % 2 == 1) return Utf16Text(Bytes(data, taken - 1));
      return Utf16Text(value);
    case kTypeSqlVariant: return VariantAsText(value, descriptor.collationId, decoder);

    case kTypeXml: return " ";  // the binary xml converter is not reachable from here
    default: return {};         // 18, 25, 31, 32 and codes above 34
  }
}

}  // namespace corvane

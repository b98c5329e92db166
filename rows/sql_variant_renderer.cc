// RenderSqlVariant (declared in value_renderer.h): the value carries its own
// base type, so the column's descriptor is not needed.

#include <cstring>

#include "rows/binary_text.h"
#include "rows/date_time_text.h"
#include "rows/number_text.h"
#include "rows/value_renderer.h"

namespace corvane {
namespace {

constexpr std::size_t kTypedHeader = 2;    // base type id, version
constexpr std::size_t kScaledHeader = 3;   // + scale
constexpr std::size_t kBinaryHeader = 4;   // + maximum length (2); decimal: precision, scale
constexpr std::size_t kStringHeader = 8;   // + maximum length (2), collation id (4)

template <typename T>
T Load(Bytes value, std::size_t offset) {
  return value.ReadOr<T>(offset, T{});
}

template <typename T>
T LoadFloat(Bytes value, std::size_t offset) {
  T result{};
  if (value.Fits(offset, sizeof result)) std::memcpy(&result, value.data() + offset, sizeof result);
  return result;
}

}  // namespace

std::string RenderSqlVariant(int dataLength, ValueSlot& slot, const std::uint8_t* data,
                             const TextDecoder& decoder) {
  if (data == nullptr || dataLength < 1 || dataLength > slot.availableLength) return {};
  const Bytes v(data, static_cast<std::size_t>(dataLength));
  const std::size_t n = v.size();
  const auto after = [&](std::size_t header) { return v.Sub(header, n - header); };

  switch (v[0]) {
    case 36:
      return n == 18 ? UniqueIdentifierText(after(kTypedHeader)) : std::string();
    case 40:
      return n == 5 ? DateText(after(kTypedHeader)) : std::string();
    case 41:
      return n > kScaledHeader ? TimeText(after(kScaledHeader), v[2]) : std::string();
    case 42:
      return n > kScaledHeader ? DateTime2Text(after(kScaledHeader), v[2]) : std::string();
    case 43:
      return n > kScaledHeader ? DateTimeOffsetText(after(kScaledHeader), v[2]) : std::string();
    case 48:
      return n == 3 ? IntegerText(v[2]) : std::string();
    case 52:
      return n == 4 ? IntegerText(Load<std::int16_t>(v, kTypedHeader)) : std::string();
    case 56:
      return n == 6 ? IntegerText(Load<std::int32_t>(v, kTypedHeader)) : std::string();
    case 127:
      return n == 10 ? IntegerText(Load<std::int64_t>(v, kTypedHeader)) : std::string();
    case 58:
      return n == 6 ? SmallDateTimeText(after(kTypedHeader)) : std::string();
    case 59:
      return n == 6 ? RealText(LoadFloat<float>(v, kTypedHeader), false) : std::string();
    case 62:
      return n == 10 ? FloatText(LoadFloat<double>(v, kTypedHeader), false) : std::string();
    case 60:
      return n == 10 ? MoneyText(Load<std::int64_t>(v, kTypedHeader)) : std::string();
    case 122:
      return n == 6 ? MoneyText(Load<std::int32_t>(v, kTypedHeader)) : std::string();
    case 61:
      return n == 10 ? DateTimeText(after(kTypedHeader)) : std::string();
    case 104:
      if (n != 3) return {};
      return v[2] != 0 ? "True" : "False";
    case 106:
    case 108:
      return n > kBinaryHeader ? DecimalText(after(kBinaryHeader), v[2], v[3]) : std::string();
    case 165:
    case 173:
      return n > kBinaryHeader ? HexText(after(kBinaryHeader), true) : std::string();
    case 167:
    case 175: {
      if (n <= kStringHeader) return {};
      std::string text;
      decoder.AppendNarrow(CutAtZeroByte(after(kStringHeader)), Load<std::int32_t>(v, 4), text);
      return text;
    }
    case 231:
    case 239: {
      if (n <= kStringHeader) return {};
      std::string text;
      TextDecoder::AppendUtf16(CutAtZeroUnit(after(kStringHeader)), text);
      return text;
    }
    case 240:
      return n > kTypedHeader ? HexText(after(kTypedHeader), true) : std::string();
    default:
      return {};
  }
}

}  // namespace corvane

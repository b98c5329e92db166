#include "rows/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace corvane {
namespace {

// Digits of an unsigned value of up to 128 bits, at most 39 of them.
// Returns the number of characters written to `out` (room for 40).
int UnsignedDigits(unsigned __int128 value, char* out) {
  constexpr std::uint64_t kChunk = 10'000'000'000'000'000'000ULL;  // 10^19
  if (value <= UINT64_MAX) {
    return static_cast<int>(std::to_chars(out, out + 40, static_cast<std::uint64_t>(value)).ptr - out);
  }
  // Most significant chunk first; the lower chunks are written as 19 digits.
  std::uint64_t chunks[3];
  int count = 0;
  while (value > UINT64_MAX) {
    chunks[count++] = static_cast<std::uint64_t>(value % kChunk);
    value /= kChunk;
  }
  char* p = std::to_chars(out, out + 40, static_cast<std::uint64_t>(value)).ptr;
  while (count > 0) {
    std::uint64_t chunk = chunks[--count];
    for (int i = 18; i >= 0; --i) {
      p[i] = static_cast<char>('0' + chunk % 10);
      chunk /= 10;
    }
    p += 19;
  }
  return static_cast<int>(p - out);
}

std::string Unprintable(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  return value < 0 ? "-inf" : "inf";
}

std::size_t MagnitudeWidth(int precision) {
  if (precision <= 9) return 4;
  if (precision <= 19) return 8;
  if (precision <= 28) return 12;
  return 16;
}

}  // namespace

std::string IntegerText(std::int64_t value) {
  char buffer[24];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

std::string MoneyText(std::int64_t units) {
  // Work in unsigned so that the most negative value has a magnitude too.
  std::uint64_t magnitude = units < 0 ? 0 - static_cast<std::uint64_t>(units)
                                      : static_cast<std::uint64_t>(units);
  char buffer[32];
  char* p = buffer;
  if (units < 0) *p++ = '-';
  p = std::to_chars(p, buffer + 26, magnitude / 10000).ptr;
  *p++ = '.';
  std::uint64_t fraction = magnitude % 10000;
  for (int i = 3; i >= 0; --i) {
    p[i] = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  return std::string(buffer, p + 4);
}

std::string FloatText(double value, bool unprintableAsZero) {
  if (!std::isfinite(value)) return unprintableAsZero ? "0" : Unprintable(value);
  int precision = 6;
  if (value != 0) {
    double digits = std::ceil(std::log10(std::fabs(value)));
    precision = 15 - static_cast<int>(digits);
    if (precision < 0) precision = 6;
  }
  // Longest text: a denormal with 338 fractional digits, or 309 integer
  // digits and 6 fractional ones.
  char buffer[512];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                 std::chars_format::fixed, precision);
  if (ec != std::errc()) return "0";
  std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  if (text.find('.') != std::string_view::npos) {
    while (text.back() == '0') text.remove_suffix(1);
    if (text.back() == '.') text.remove_suffix(1);
  }
  return std::string(text);
}

std::string RealText(float value, bool unprintableAsZero) {
  if (!std::isfinite(value)) return unprintableAsZero ? "0" : Unprintable(value);
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                 std::chars_format::general, 6);
  if (ec != std::errc()) return "0";
  return std::string(buffer, end);
}

std::string DecimalText(Bytes value, int precision, int scale) {
  if (value.empty() || scale < 0 || scale > 255) return {};
  const bool negative = value[0] == 0;
  std::uint8_t stored[16] = {};
  std::memcpy(stored, value.data() + 1,
              std::min<std::size_t>(MagnitudeWidth(precision), value.size() - 1));
  const unsigned __int128 magnitude =
      (static_cast<unsigned __int128>(LoadLE<std::uint64_t>(stored + 8)) << 64) |
      LoadLE<std::uint64_t>(stored);
  char digits[40];
  const int count = UnsignedDigits(magnitude, digits);

  int dropped = 0;  // fractional digits cut off because the digits exceed the precision
  if (scale > 0 && count > precision) {
    dropped = count - precision;
    if (dropped > scale) return {};
  }
  // Sign, "0.", up to 255 zeros of scale and 39 digits.
  char buffer[300];
  char* p = buffer;
  if (negative) *p++ = '-';
  if (scale == 0) {
    p = std::copy(digits, digits + count, p);
  } else if (count <= scale) {
    *p++ = '0';
    *p++ = '.';
    p = std::fill_n(p, scale - count, '0');
    p = std::copy(digits, digits + count, p);
  } else {
    p = std::copy(digits, digits + (count - scale), p);
    *p++ = '.';
    p = std::copy(digits + (count - scale), digits + count, p);
  }
  p -= dropped;
  if (p[-1] == '.') --p;
  return std::string(buffer, p);
}

}  // namespace corvane

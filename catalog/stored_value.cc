// DecodeStoredValue: the text inside a stored value as the value renderer
// shows varbinary data ("0x" and hexadecimal digits).

#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "engine/utf16.h"

namespace corvane {
namespace {

int Nibble(char c) {
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return c & 0x0F;
}

// Windows-1252 bytes 0x80..0x9F; the other bytes are their own code points.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

}  // namespace

std::string DecodeStoredValue(const std::string& storedValue) {
  const std::size_t n = storedValue.size();
  if (n / 2 == 0) return {};
  // Byte i comes from the digits at 2i + 2 and 2i + 3 (after "0x"); a digit
  // past the end counts as 0, so an odd last digit is a high nibble.
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; 4 * i + 4 < 2 * n; ++i) {
    const std::size_t hi = 2 * i + 2, lo = 2 * i + 3;
    const int high = hi < n ? Nibble(storedValue[hi]) : 0;
    const int low = lo < n ? Nibble(storedValue[lo]) : 0;
    bytes.push_back(static_cast<std::uint8_t>((high << 4) | low));
  }
  bool utf16 = false;
  for (std::size_t i = 1; i < bytes.size(); ++i) utf16 |= bytes[i] == 0;
  if (utf16) return Utf16LeToUtf8(bytes.data(), bytes.size(), /*stopAtNul=*/true);
  std::string text;
  for (std::uint8_t b : bytes) {
    if (b == 0) break;
    AppendUtf8(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b, text);
  }
  return text;
}

}  // namespace corvane

#include "rows/binary_text.h"

namespace corvane {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

char* PutHex(char* p, std::uint8_t b) {
  p[0] = kHexDigits[b >> 4];
  p[1] = kHexDigits[b & 0x0F];
  return p + 2;
}

}  // namespace

std::string HexText(Bytes value, bool prefix) {
  const std::size_t start = prefix ? 2 : 0;
  std::string text(start + 2 * value.size(), '\0');
  char* p = text.data();
  if (prefix) {
    p[0] = '0';
    p[1] = 'x';
  }
  p += start;
  for (std::uint8_t b : value.span()) p = PutHex(p, b);
  return text;
}

std::string UniqueIdentifierText(Bytes value) {
  constexpr int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  std::string text(36, '-');
  char* p = text.data();
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) ++p;  // keep the hyphen
    p = PutHex(p, value.ReadOr<std::uint8_t>(static_cast<std::size_t>(kOrder[i]), 0));
  }
  return text;
}

}  // namespace corvane

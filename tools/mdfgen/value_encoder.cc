#include "tools/mdfgen/value_encoder.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "tools/mdfgen/temporal_value.h"

namespace corvane::mdfgen {
namespace {

using enum SqlType;
using u128 = unsigned __int128;

template <typename T>
void PutLE(std::vector<std::uint8_t>& out, T value, int bytes = sizeof(T)) {
  auto v = static_cast<std::uint64_t>(value);
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Next code point of a UTF-8 text; invalid bytes come out as themselves.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
  auto b = static_cast<unsigned char>(s[i++]);
  if (b < 0x80) return b;
  int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
  if (extra == 0 || i + extra > s.size()) return b;
  char32_t cp = b & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  return cp;
}

// Code page 1252 bytes 0x80..0x9F.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::uint8_t ToCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<std::uint8_t>(cp);
  for (int k = 0; k < 32; ++k) {
    if (kCp1252High[k] != 0 && kCp1252High[k] == cp) return static_cast<std::uint8_t>(0x80 + k);
  }
  return '?';
}

bool ParseInt(std::string_view s, std::int64_t& v) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// Exact decimal text → sign and magnitude * 10^scale.
bool ParseScaled(std::string_view s, int scale, bool& negative, u128& magnitude) {
  negative = false;
  magnitude = 0;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  int fraction = -1;
  bool digits = false;
  for (char c : s) {
    if (c == '.' && fraction < 0) {
      fraction = 0;
      continue;
    }
    if (c < '0' || c > '9') return false;
    digits = true;
    if (fraction >= 0) {
      if (fraction == scale) continue;  // extra fractional digits are cut
      ++fraction;
    }
    magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
  }
  for (int f = fraction < 0 ? 0 : fraction; f < scale; ++f) magnitude *= 10;
  return digits;
}

bool ScaledValue(const Value& value, int scale, bool& negative, u128& magnitude) {
  if (const auto* text = value.text()) return ParseScaled(*text, scale, negative, magnitude);
  u128 factor = 1;
  for (int i = 0; i < scale; ++i) factor *= 10;
  if (const auto* i = value.integer()) {
    negative = *i < 0;
    magnitude =
        static_cast<u128>(negative ? -static_cast<u128>(*i) : static_cast<u128>(*i)) * factor;
    return true;
  }
  if (const auto* d = value.real()) {
    negative = *d < 0;
    magnitude = static_cast<u128>(std::llround(std::fabs(*d) * static_cast<double>(factor)));
    return true;
  }
  return false;
}

bool IntegerValue(const Value& value, std::int64_t& v) {
  if (const auto* i = value.integer()) return v = *i, true;
  if (const auto* d = value.real()) return v = std::llround(*d), true;
  if (const auto* t = value.text()) return ParseInt(*t, v);
  return false;
}

bool RealValue(const Value& value, double& v) {
  if (const auto* d = value.real()) return v = *d, true;
  if (const auto* i = value.integer()) return v = static_cast<double>(*i), true;
  if (const auto* t = value.text()) {
    auto r = std::from_chars(t->data(), t->data() + t->size(), v);
    return r.ec == std::errc();
  }
  return false;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool EncodeGuid(const Value& value, std::vector<std::uint8_t>& out) {
  if (const auto* b = value.bytes()) {
    if (b->size() != 16) return false;
    out.insert(out.end(), b->begin(), b->end());
    return true;
  }
  const auto* t = value.text();
  if (!t) return false;
  std::uint8_t g[16];
  int n = 0;
  for (std::size_t i = 0; i < t->size(); ++i) {
    char c = (*t)[i];
    if (c == '-' || c == '{' || c == '}') continue;
    int hi = HexDigit(c);
    int lo = i + 1 < t->size() ? HexDigit((*t)[i + 1]) : -1;
    if (hi < 0 || lo < 0 || n == 16) return false;
    g[n++] = static_cast<std::uint8_t>(hi * 16 + lo);
    ++i;
  }
  if (n != 16) return false;
  const int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  for (int k : order) out.push_back(g[k]);
  return true;
}

bool EncodeCharacters(const ColumnType& c, const Value& value, std::vector<std::uint8_t>& out) {
  std::size_t start = out.size();
  if (const auto* t = value.text()) {
    if (IsUnicodeType(c.type)) {
      AppendUtf16(*t, out);
    } else {
      AppendCodePage1252(*t, out);
    }
  } else if (const auto* b = value.bytes()) {
    out.insert(out.end(), b->begin(), b->end());
  } else {
    return false;
  }
  std::size_t width = c.type == kNChar ? 2 * c.length : static_cast<std::size_t>(c.length);
  if (c.type == kChar || c.type == kNChar) {
    if (out.size() - start > width) return false;
    while (out.size() - start < width) {
      out.push_back(0x20);
      if (c.type == kNChar) out.push_back(0);
    }
  } else if (c.length != kMax && c.length > 0 &&
             out.size() - start > width * (IsUnicodeType(c.type) ? 2 : 1)) {
    return false;
  }
  return true;
}

bool EncodeBinary(const ColumnType& c, const Value& value, std::vector<std::uint8_t>& out) {
  const auto* b = value.bytes();
  if (!b) return false;
  if (c.length != kMax && c.length > 0 && b->size() > static_cast<std::size_t>(c.length))
    return false;
  out.insert(out.end(), b->begin(), b->end());
  if (c.type == kBinary) out.resize(out.size() + (c.length - b->size()), 0);
  return true;
}

bool EncodeVariant(const ColumnType& column, const Value& value, std::vector<std::uint8_t>& out,
                   std::string& error) {
  const VariantValue* v = value.variant();
  if (!v) return false;
  ColumnType inner{v->type, v->length, v->precision, v->scale, column.collationId};
  out.push_back(static_cast<std::uint8_t>(v->type));
  out.push_back(1);
  switch (v->type) {
    case kDecimal:
    case kNumeric:
      out.push_back(static_cast<std::uint8_t>(v->precision));
      out.push_back(static_cast<std::uint8_t>(v->scale));
      break;
    case kChar:
    case kVarChar:
    case kNChar:
    case kNVarChar:
      PutLE(out, IsUnicodeType(v->type) ? 2 * v->length : v->length, 2);
      PutLE(out, column.collationId, 4);
      break;
    case kBinary:
    case kVarBinary:
      PutLE(out, v->length, 2);
      break;
    case kTime:
    case kDateTime2:
    case kDateTimeOffset:
      out.push_back(static_cast<std::uint8_t>(v->scale));
      break;
    default:
      break;
  }
  return EncodeValue(inner, v->value, out, error);
}

}  // namespace

void AppendUtf16(std::string_view utf8, std::vector<std::uint8_t>& out) {
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = NextCodePoint(utf8, i);
    auto unit = [&out](char32_t u) {
      out.push_back(static_cast<std::uint8_t>(u));
      out.push_back(static_cast<std::uint8_t>(u >> 8));
    };
    if (cp >= 0x10000) {
      cp -= 0x10000;
      unit(0xD800 + (cp >> 10));
      unit(0xDC00 + (cp & 0x3FF));
    } else {
      unit(cp);
    }
  }
}

void AppendCodePage1252(std::string_view utf8, std::vector<std::uint8_t>& out) {
  for (std::size_t i = 0; i < utf8.size();) out.push_back(ToCp1252(NextCodePoint(utf8, i)));
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool EncodeValue(const ColumnType& c, const Value& value, std::vector<std::uint8_t>& out,
                 std::string& error) {
  if (const auto* raw = value.raw()) {
    out.insert(out.end(), raw->bytes.begin(), raw->bytes.end());
    return true;
  }
  bool ok = false;
  std::int64_t i = 0;
  double d = 0;
  switch (c.type) {
    case kTinyInt:
    case kSmallInt:
    case kInt:
    case kBigInt:
    case kBit:
      ok = IntegerValue(value, i);
      if (ok && c.type == kBit) i = i != 0;
      if (ok) PutLE(out, i, c.type == kBit ? 1 : FixedWidth(c.type, 0, 0, 0));
      break;
    case kDecimal:
    case kNumeric: {
      bool negative = false;
      u128 magnitude = 0;
      ok = ScaledValue(value, c.scale, negative, magnitude);
      if (ok) {
        out.push_back(negative ? 0 : 1);
        for (int k = 0; k < DecimalMagnitudeBytes(c.precision); ++k) {
          out.push_back(static_cast<std::uint8_t>(magnitude >> (8 * k)));
        }
      }
      break;
    }
    case kMoney:
    case kSmallMoney: {
      bool negative = false;
      u128 magnitude = 0;
      ok = ScaledValue(value, 4, negative, magnitude);
      auto v = static_cast<std::int64_t>(magnitude);
      if (ok) PutLE(out, negative ? -v : v, c.type == kMoney ? 8 : 4);
      break;
    }
    case kFloat:
    case kReal:
      ok = RealValue(value, d);
      if (ok && c.type == kFloat) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, 8);
        PutLE(out, bits);
      } else if (ok) {
        float f = static_cast<float>(d);
        std::uint32_t bits;
        std::memcpy(&bits, &f, 4);
        PutLE(out, bits);
      }
      break;
    case kDateTime:
    case kSmallDateTime:
    case kDate:
    case kTime:
    case kDateTime2:
    case kDateTimeOffset:
      ok = EncodeTemporal(c.type, c.scale, value, out);
      break;
    case kUniqueIdentifier:
      ok = EncodeGuid(value, out);
      break;
    case kChar:
    case kVarChar:
    case kNChar:
    case kNVarChar:
    case kText:
    case kNText:
      ok = EncodeCharacters(c, value, out);
      break;
    case kBinary:
    case kVarBinary:
    case kImage:
      ok = EncodeBinary(c, value, out);
      break;
    case kTimestamp:
      if (const auto* b = value.bytes(); b && b->size() == 8) {
        out.insert(out.end(), b->begin(), b->end());
        ok = true;
      } else if ((ok = IntegerValue(value, i))) {
        for (int k = 7; k >= 0; --k) out.push_back(static_cast<std::uint8_t>(i >> (8 * k)));
      }
      break;
    case kSqlVariant:
      ok = EncodeVariant(c, value, out, error);
      if (!ok && !error.empty()) return false;
      break;
    default:
      break;
  }
  if (!ok) error = "value does not fit type " + std::string(TypeName(c.type));
  return ok;
}

}  // namespace corvane::mdfgen

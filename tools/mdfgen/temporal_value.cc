#include "tools/mdfgen/temporal_value.h"

#include <charconv>

namespace corvane::mdfgen {
namespace {

using enum SqlType;

void PutLE(std::vector<std::uint8_t>& out, std::int64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::int64_t Pow10(int n) {
  std::int64_t v = 1;
  while (n-- > 0) v *= 10;
  return v;
}

}  // namespace

std::int64_t DaysFromCivil(int year, int month, int day) {
  // Days since 0000-03-01 shifted to 0001-01-01 (proleptic Gregorian).
  std::int64_t y = year - (month <= 2);
  std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  std::int64_t yoe = y - era * 400;
  std::int64_t mp = (month + 9) % 12;
  std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 306;
}

bool ParseDateTime(std::string_view s, DateTimeParts& p) {
  p = {};
  auto number = [&s](int digits, int& v) {
    if (s.size() < static_cast<std::size_t>(digits)) return false;
    auto r = std::from_chars(s.data(), s.data() + digits, v);
    if (r.ec != std::errc() || r.ptr != s.data() + digits) return false;
    s.remove_prefix(digits);
    return true;
  };
  auto skip = [&s](char c) {
    if (s.empty() || s.front() != c) return false;
    s.remove_prefix(1);
    return true;
  };
  if (s.size() >= 10 && s[4] == '-') {
    int y, m, d;
    if (!number(4, y) || !skip('-') || !number(2, m) || !skip('-') || !number(2, d)) return false;
    if (m < 1 || m > 12 || d < 1 || d > 31) return false;
    p.days = DaysFromCivil(y, m, d);
    p.hasDate = true;
    if (!skip(' ') && !skip('T')) return s.empty();
  }
  int hh = 0, mm = 0, ss = 0;
  if (!number(2, hh) || !skip(':') || !number(2, mm)) return false;
  if (skip(':') && !number(2, ss)) return false;
  if (hh > 23 || mm > 59 || ss > 59) return false;
  std::int64_t fraction = 0;
  if (skip('.')) {
    int digits = 0;
    while (!s.empty() && s.front() >= '0' && s.front() <= '9') {
      if (digits < 7) fraction = fraction * 10 + (s.front() - '0'), ++digits;
      s.remove_prefix(1);
    }
    for (; digits < 7; ++digits) fraction *= 10;
  }
  p.nanos100 = ((hh * 60LL + mm) * 60 + ss) * 10000000 + fraction;
  while (skip(' ')) {
  }
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    int sign = s.front() == '-' ? -1 : 1;
    s.remove_prefix(1);
    int oh, om;
    if (!number(2, oh) || !skip(':') || !number(2, om)) return false;
    p.offsetMinutes = sign * (oh * 60 + om);
  }
  return s.empty();
}

bool EncodeTemporal(SqlType type, int scale, const Value& value, std::vector<std::uint8_t>& out) {
  DateTimeParts p;
  const auto* text = value.text();
  if (!text || !ParseDateTime(*text, p)) return false;
  std::int64_t day100ns = 864000000000LL;
  // A time alone stands on 1900-01-01 in the types that count from there.
  if (!p.hasDate && (type == kDateTime || type == kSmallDateTime)) p.days = kDaysTo1900;
  switch (type) {
    case kDateTime: {
      std::int64_t ticks = (p.nanos100 * 3 + 50000) / 100000;  // 1/300 s, rounded
      std::int64_t days = p.days - kDaysTo1900;
      if (ticks >= 300LL * 86400) ticks = 300LL * 86400 - 1;
      PutLE(out, ticks, 4);
      PutLE(out, days, 4);
      return true;
    }
    case kSmallDateTime: {
      std::int64_t minutes = (p.nanos100 + 300000000) / 600000000;
      std::int64_t days = p.days - kDaysTo1900;
      if (minutes >= 1440) minutes = 0, ++days;
      PutLE(out, minutes, 2);
      PutLE(out, days, 2);
      return true;
    }
    case kDate:
      PutLE(out, p.days, 3);
      return true;
    case kTime:
    case kDateTime2:
    case kDateTimeOffset: {
      std::int64_t total = p.days * day100ns + p.nanos100;
      if (type == kDateTimeOffset) total -= static_cast<std::int64_t>(p.offsetMinutes) * 600000000;
      std::int64_t days = total / day100ns;
      std::int64_t units = (total % day100ns) / Pow10(7 - scale);
      PutLE(out, units, TimeBytes(scale));
      if (type != kTime) PutLE(out, days, 3);
      if (type == kDateTimeOffset) PutLE(out, p.offsetMinutes, 2);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace corvane::mdfgen

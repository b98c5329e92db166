#include "rows/date_time_text.h"

#include <algorithm>
#include <array>

namespace corvane {
namespace {

constexpr std::int64_t kDaysPer400Years = 146097;
constexpr std::int64_t kDaysPer100Years = 36524;
constexpr std::int64_t kDaysPer4Years = 1461;
constexpr std::int64_t kDaysPerYear = 365;
constexpr std::int64_t kDaysBefore1900 = 693595;  // 0001-01-01 .. 1900-01-01
constexpr std::int64_t kMinutesPerDay = 1440;
constexpr std::array<int, 13> kDaysBeforeMonth = {0,   31,  59,  90,  120, 151, 181,
                                                  212, 243, 273, 304, 334, 365};
constexpr std::array<std::int64_t, kMaxTimeScale + 1> kPowersOf10 = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};

struct CivilDate {
  int year = 1;
  int month = 1;
  int day = 1;
};

struct TimeOfDay {
  std::int64_t hours = 0;
  std::int64_t minutes = 0;
  std::int64_t seconds = 0;
  std::int64_t fraction = 0;
};

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Day number since 0001-01-01 to a date; false when it lies outside years 1..9999.
bool CivilFromDays(std::int64_t days, CivilDate& date) {
  if (days < 0) return false;
  std::int64_t n400 = days / kDaysPer400Years;
  std::int64_t rest = days % kDaysPer400Years;
  std::int64_t n100 = std::min<std::int64_t>(rest / kDaysPer100Years, 3);
  rest -= n100 * kDaysPer100Years;
  std::int64_t n4 = rest / kDaysPer4Years;
  rest %= kDaysPer4Years;
  std::int64_t n1 = std::min<std::int64_t>(rest / kDaysPerYear, 3);
  rest -= n1 * kDaysPerYear;
  std::int64_t year = n400 * 400 + n100 * 100 + n4 * 4 + n1 + 1;
  if (year > 9999) return false;
  date.year = static_cast<int>(year);
  const int leapDay = IsLeap(date.year) ? 1 : 0;
  int month = 1;
  while (month < 12 && rest >= kDaysBeforeMonth[month] + (month >= 2 ? leapDay : 0)) ++month;
  date.month = month;
  date.day = static_cast<int>(rest) - kDaysBeforeMonth[month - 1] -
             (month - 1 >= 2 ? leapDay : 0) + 1;
  return true;
}

// Splits units of 10^-scale second; false when the time of day is out of range.
bool SplitTime(std::int64_t units, int scale, TimeOfDay& time) {
  const std::int64_t perSecond = kPowersOf10[static_cast<std::size_t>(scale)];
  time.fraction = units % perSecond;
  const std::int64_t seconds = units / perSecond;
  time.hours = seconds / 3600;
  time.minutes = (seconds / 60) % 60;
  time.seconds = seconds % 60;
  return time.hours >= 0 && time.hours <= 23 && time.minutes >= 0 && time.seconds >= 0;
}

std::uint64_t LoadUnsigned(Bytes value, std::size_t offset, std::size_t count) {
  std::uint64_t result = 0;
  for (std::size_t i = count; i > 0; --i) {
    result = (result << 8) | value.ReadOr<std::uint8_t>(offset + i - 1, 0);
  }
  return result;
}

// Writes exactly `width` digits of a non-negative `value`.
char* PutDigits(char* p, std::int64_t value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    p[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return p + width;
}

// Writes a non-negative `value` of at most 19 digits without leading zeros.
char* PutNumber(char* p, std::int64_t value) {
  char reversed[20];
  int count = 0;
  do {
    reversed[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  while (count > 0) *p++ = reversed[--count];
  return p;
}

char* PutDate(char* p, const CivilDate& date) {
  p = PutDigits(p, date.year, 4);
  *p++ = '-';
  p = PutDigits(p, date.month, 2);
  *p++ = '-';
  return PutDigits(p, date.day, 2);
}

char* PutTime(char* p, const TimeOfDay& time, int scale) {
  p = PutDigits(p, time.hours, 2);
  *p++ = ':';
  p = PutDigits(p, time.minutes, 2);
  *p++ = ':';
  p = PutDigits(p, time.seconds, 2);
  if (scale > 0) {
    *p++ = '.';
    p = PutDigits(p, time.fraction, scale);
  }
  return p;
}

// Longest text: "YYYY-MM-DD HH:MM:SS.fffffff  -NNN:NN" and then some.
using TextBuffer = std::array<char, 64>;

std::string DateAndTime(std::int64_t days, std::int64_t units, int scale) {
  CivilDate date;
  TimeOfDay time;
  if (!CivilFromDays(days, date) || !SplitTime(units, scale, time)) return kUnreadableDateTime;
  TextBuffer buffer;
  char* p = PutDate(buffer.data(), date);
  *p++ = ' ';
  p = PutTime(p, time, scale);
  return std::string(buffer.data(), p);
}

}  // namespace

std::string DateText(Bytes value) {
  CivilDate date;
  if (!CivilFromDays(static_cast<std::int64_t>(LoadUnsigned(value, 0, 3)), date)) {
    return kUnreadableDateTime;
  }
  TextBuffer buffer;
  return std::string(buffer.data(), PutDate(buffer.data(), date));
}

std::string TimeText(Bytes value, int scale) {
  if (scale < 0 || scale > kMaxTimeScale) return kUnreadableDateTime;
  std::uint64_t units = LoadUnsigned(value, 0, std::min<std::size_t>(value.size(), 8));
  TimeOfDay time;
  if (units > INT64_MAX || !SplitTime(static_cast<std::int64_t>(units), scale, time)) {
    return kUnreadableDateTime;
  }
  TextBuffer buffer;
  return std::string(buffer.data(), PutTime(buffer.data(), time, scale));
}

std::string DateTime2Text(Bytes value, int scale) {
  if (scale < 0 || scale > kMaxTimeScale) return kUnreadableDateTime;
  const std::size_t size = value.size();
  if (size < 6 || size > 8) return DateAndTime(0, 0, scale);
  const std::size_t timeBytes = size - 3;
  return DateAndTime(static_cast<std::int64_t>(LoadUnsigned(value, timeBytes, 3)),
                     static_cast<std::int64_t>(LoadUnsigned(value, 0, timeBytes)), scale);
}

std::string DateTimeOffsetText(Bytes value, int scale) {
  if (scale < 0 || scale > kMaxTimeScale) return kUnreadableDateTime;
  const std::size_t size = value.size();
  if (size < 8 || size > 10) return kUnreadableDateTime;
  const std::size_t timeBytes = size - 5;
  const auto units = static_cast<std::int64_t>(LoadUnsigned(value, 0, timeBytes));
  const auto utcDays = static_cast<std::int64_t>(LoadUnsigned(value, timeBytes, 3));
  const std::int64_t offset = value.ReadOr<std::int16_t>(timeBytes + 3, 0);

  TimeOfDay time;
  if (!SplitTime(units, scale, time)) return kUnreadableDateTime;
  // The stored date and time are UTC; local time may fall on another day.
  const std::int64_t localMinutes =
      utcDays * kMinutesPerDay + time.hours * 60 + time.minutes + offset;
  if (localMinutes < 0) return kUnreadableDateTime;
  CivilDate date;
  if (!CivilFromDays(localMinutes / kMinutesPerDay, date)) return kUnreadableDateTime;
  time.hours = (localMinutes % kMinutesPerDay) / 60;
  time.minutes = localMinutes % 60;

  TextBuffer buffer;
  char* p = PutDate(buffer.data(), date);
  *p++ = ' ';
  p = PutTime(p, time, scale);
  if (scale > 0) *p++ = ' ';
  *p++ = ' ';
  *p++ = offset < 0 ? '-' : '+';
  const std::int64_t magnitude = offset < 0 ? -offset : offset;
  p = PutNumber(p, magnitude / 60);
  *p++ = ':';
  p = PutNumber(p, magnitude % 60);
  return std::string(buffer.data(), p);
}

std::string DateTimeText(Bytes value) {
  const std::int64_t ticks = value.ReadOr<std::int32_t>(0, 0);
  const std::int64_t days = value.ReadOr<std::int32_t>(4, 0) + kDaysBefore1900;
  CivilDate date;
  TimeOfDay time;
  // Milliseconds are dropped: whole seconds only, truncated toward zero.
  if (!CivilFromDays(days, date) || !SplitTime(ticks / 300, 0, time)) return kUnreadableDateTime;
  if (date.year < 1753) date.year = 1753;  // datetime starts in 1753
  TextBuffer buffer;
  char* p = PutDate(buffer.data(), date);
  *p++ = ' ';
  p = PutTime(p, time, 0);
  return std::string(buffer.data(), p);
}

std::string SmallDateTimeText(Bytes value) {
  const std::int64_t minutes = value.ReadOr<std::uint16_t>(0, 0);
  const std::int64_t days = value.ReadOr<std::uint16_t>(2, 0) + kDaysBefore1900;
  return DateAndTime(days, minutes * 60, 0);
}

}  // namespace corvane

#pragma once
// Dates and times of declared values: the texts the builder accepts and the
// stored forms of datetime, smalldatetime, date, time, datetime2 and
// datetimeoffset (value_encoder.h lists them).

#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/mdfgen/sql_type.h"
#include "tools/mdfgen/value.h"

namespace corvane::mdfgen {

// A datetime of the declaration's texts, split for the storage forms.
struct DateTimeParts {
  std::int64_t days = 0;      // since 0001-01-01
  std::int64_t nanos100 = 0;  // 100-ns units since midnight
  int offsetMinutes = 0;
  bool hasDate = false;
};
bool ParseDateTime(std::string_view text, DateTimeParts& parts);
// Days from 0001-01-01 to year-month-day (proleptic Gregorian).
std::int64_t DaysFromCivil(int year, int month, int day);
inline constexpr std::int64_t kDaysTo1900 = 693595;

// Appends the stored form of a date/time text for `type` (with `scale`
// fractional digits for time, datetime2 and datetimeoffset).
bool EncodeTemporal(SqlType type, int scale, const Value& value, std::vector<std::uint8_t>& out);

}  // namespace corvane::mdfgen

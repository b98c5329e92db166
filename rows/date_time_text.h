#pragma once
// Text forms of the date and time types.
//
// Stored forms (little-endian; "units" are 10^-scale seconds since midnight,
// day numbers count from 0001-01-01 unless noted):
//
//  Type            Bytes
//  --------------  ---------------------------------------------------------
//  date            3 unsigned day number
//  time            n unsigned units (n = 3, 4 or 5 by scale)
//  datetime2       n time units, then 3 unsigned day number; n = size - 3
//                  for a size of 6, 7 or 8
//  datetimeoffset  n time units (UTC), 3 unsigned day number (UTC), then a
//                  signed 16-bit offset in minutes; n = size - 5 for a size
//                  of 8, 9 or 10
//  datetime        4 signed ticks of 1/300 s since midnight, then 4 signed
//                  days since 1900-01-01
//  smalldatetime   2 unsigned minutes since midnight, then 2 unsigned days
//                  since 1900-01-01
//
// Texts: "YYYY-MM-DD", "HH:MM:SS", "YYYY-MM-DD HH:MM:SS"; with scale > 0 the
// time is followed by "." and exactly `scale` fraction digits. A value whose
// year lies outside 1..9999 or whose time of day is out of range is shown as
// one blank (kUnreadableDateTime). Pure functions; any thread.

#include <cstdint>
#include <string>

#include "engine/bytes.h"

namespace corvane {

inline constexpr const char* kUnreadableDateTime = " ";
inline constexpr int kMaxTimeScale = 7;

std::string DateText(Bytes value);
// Reads up to 8 bytes of units; a scale above 7 is unreadable.
std::string TimeText(Bytes value, int scale);
// Any size other than 6, 7 or 8 reads as 0001-01-01 00:00:00.
std::string DateTime2Text(Bytes value, int scale);
// The local time (UTC plus offset, crossing midnight where it must) followed
// by the offset as "+H:M" or "-H:M" (two blanks before it when scale > 0,
// one otherwise); a size other than 8, 9 or 10 is unreadable.
std::string DateTimeOffsetText(Bytes value, int scale);
// Milliseconds are not shown; a year before 1753 is shown as 1753.
std::string DateTimeText(Bytes value);
std::string SmallDateTimeText(Bytes value);

}  // namespace corvane

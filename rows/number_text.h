#pragma once
// Text forms of the numeric types: integers, money, float, real, decimal.
//
// All texts use the C conventions: no thousands separators, "." as the decimal
// point, "-" for negatives. Pure functions; any thread.

#include <cstdint>
#include <string>

#include "engine/bytes.h"

namespace corvane {

std::string IntegerText(std::int64_t value);

// money and smallmoney: `units` of 1/10000, written with exactly four
// fractional digits ("-1.2345", "0.0000").
std::string MoneyText(std::int64_t units);

// float: 15 - ceil(log10 |x|) fractional digits (6 when that is negative or x
// is 0), trailing zeros and a trailing "." removed. An infinity or NaN gives
// "0" when `unprintableAsZero`, else "inf", "-inf" or "nan".
std::string FloatText(double value, bool unprintableAsZero);

// real: the %g text with 6 significant digits ("1e-05", "123457", "0.5").
// An infinity or NaN gives "0" when `unprintableAsZero`.
std::string RealText(float value, bool unprintableAsZero);

// decimal and numeric. `value` is the stored form:
//
//  Offset  Width        Field
//  ------  -----------  ------------------------------------------------
//  0       1            sign: 0 negative, anything else positive
//  1       4/8/12/16    magnitude, unsigned; the width follows precision:
//                       up to 9 -> 4, up to 19 -> 8, up to 28 -> 12, else 16
//
// Magnitude bytes missing from `value` count as zero. The text is
// magnitude x 10^-scale. When the magnitude has more digits than `precision`
// (damaged data), one fractional digit is dropped per digit too many; when
// that is not enough the text is empty.
std::string DecimalText(Bytes value, int precision, int scale);

}  // namespace corvane

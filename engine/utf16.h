#pragma once
// UTF-16LE to UTF-8, the one conversion every stored Unicode text goes
// through (names in system tables, nchar/nvarchar values, the boot page).

#include <cstddef>
#include <cstdint>
#include <string>

namespace corvane {

// Appends the UTF-8 form of `units` UTF-16LE code units at `p`. Unpaired
// surrogates become U+FFFD. With stopAtNul, conversion ends at a zero unit.
void AppendUtf16LeAsUtf8(const std::uint8_t* p, std::size_t units, std::string& out,
                         bool stopAtNul = false);

inline std::string Utf16LeToUtf8(const std::uint8_t* p, std::size_t bytes, bool stopAtNul = false) {
  std::string out;
  AppendUtf16LeAsUtf8(p, bytes / 2, out, stopAtNul);
  return out;
}

// Appends code point `cp` as UTF-8.
void AppendUtf8(std::uint32_t cp, std::string& out);

}  // namespace corvane

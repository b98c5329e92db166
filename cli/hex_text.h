#pragma once
// Hexadecimal text of bytes for the CLI's page dumps.

#include <string>

#include "engine/bytes.h"

namespace corvane::cli {

inline std::string HexText(Bytes b) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(b.size() * 2);
  for (std::size_t i = 0; i < b.size(); ++i) {
    out += kDigits[b[i] >> 4];
    out += kDigits[b[i] & 15];
  }
  return out;
}

}  // namespace corvane::cli

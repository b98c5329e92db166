#include "catalog/identity_value.h"

#include <algorithm>
#include <cstdio>

namespace corvane {
namespace {

// The number of width w at `offset`; the caller has checked that it fits.
std::int64_t NumberAt(Bytes value, std::size_t offset, std::size_t w) {
  if (w == 1) return value[offset];
  if (w == 2) return LoadLE<std::int16_t>(value.data() + offset);
  if (w == 4) return LoadLE<std::int32_t>(value.data() + offset);
  if (w == 8) return LoadLE<std::int64_t>(value.data() + offset);
  // Decimal: sign byte, then the magnitude; identities never exceed 63 bits
  // in practice, so the low eight bytes are kept.
  std::uint64_t magnitude = 0;
  const std::size_t bytes = std::min<std::size_t>(w - 1, 8);
  for (std::size_t i = bytes; i > 0; --i) magnitude = (magnitude << 8) | value[offset + i];
  const auto m = static_cast<std::int64_t>(magnitude & 0x7FFFFFFFFFFFFFFFull);
  return value[offset] == 0 ? -m : m;
}

bool IsKnownWidth(std::size_t w) {
  switch (w) {
    case 1: case 2: case 4: case 8: case 5: case 9: case 13: case 17: return true;
    default: return false;
  }
}

}  // namespace

std::optional<IdentityValue> ParseIdentityValue(Bytes value) {
  if (value.size() < 4 || (value.size() - 1) % 3 != 0) return std::nullopt;
  const std::size_t w = (value.size() - 1) / 3;
  if (!IsKnownWidth(w)) return std::nullopt;
  return IdentityValue{NumberAt(value, 2 * w, w), NumberAt(value, w, w)};
}

std::string IdentityText(Bytes value) {
  IdentityValue v = ParseIdentityValue(value).value_or(IdentityValue{});
  if (v.increment == 0) v.increment = 1;
  char text[64];
  std::snprintf(text, sizeof text, "identity(%lld,%lld)", static_cast<long long>(v.seed),
                static_cast<long long>(v.increment));
  return text;
}

}  // namespace corvane

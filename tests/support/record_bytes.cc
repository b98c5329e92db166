#include "tests/support/record_bytes.h"

#include <cstring>

#include "tests/support/page_bytes.h"

namespace corvane::testing {

std::vector<std::uint8_t> BuildRecord(const RecordSpec& s) {
  std::vector<std::uint8_t> r{s.statusA, 0, 0, 0};
  const auto end = static_cast<std::uint16_t>(4 + s.fixed.size());
  std::memcpy(r.data() + 2, &end, 2);
  r.insert(r.end(), s.fixed.begin(), s.fixed.end());
  r.push_back(static_cast<std::uint8_t>(s.columnCount));
  r.push_back(static_cast<std::uint8_t>(s.columnCount >> 8));
  if (s.statusA & 0x10) r.insert(r.end(), s.nullBitmap.begin(), s.nullBitmap.end());
  if (s.statusA & 0x20) {
    const auto n = static_cast<std::uint16_t>(s.variable.size());
    r.push_back(static_cast<std::uint8_t>(n));
    r.push_back(static_cast<std::uint8_t>(n >> 8));
    std::size_t pos = r.size() + 2 * n;
    for (std::size_t i = 0; i < n; ++i) {
      pos += s.variable[i].size();
      std::uint16_t e = static_cast<std::uint16_t>(pos);
      if (i < s.complex.size() && s.complex[i]) e |= 0x8000;
      r.push_back(static_cast<std::uint8_t>(e));
      r.push_back(static_cast<std::uint8_t>(e >> 8));
    }
    for (const auto& v : s.variable) r.insert(r.end(), v.begin(), v.end());
  }
  return r;
}

std::vector<std::uint8_t> PageWithRecords(std::int32_t pageNumber, std::int32_t objectId,
                                          const std::vector<std::vector<std::uint8_t>>& records) {
  auto page = MakePage(pageNumber, objectId, 1);
  std::size_t at = 96;
  for (std::size_t i = 0; i < records.size(); ++i) {
    std::memcpy(page.data() + at, records[i].data(), records[i].size());
    Put<std::uint16_t>(page, 8190 - 2 * i, static_cast<std::uint16_t>(at));
    at += records[i].size();
  }
  Put<std::int16_t>(page, 22, static_cast<std::int16_t>(records.size()));
  Put<std::uint16_t>(page, 30, static_cast<std::uint16_t>(at));
  return page;
}

}  // namespace corvane::testing

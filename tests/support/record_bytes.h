#pragma once
// Builds uncompressed records byte by byte, for engine tests.

#include <cstdint>
#include <vector>

namespace corvane::testing {

struct RecordSpec {
  std::uint8_t statusA = 0x30;                 // null bitmap + variable columns
  std::vector<std::uint8_t> fixed;             // fixed-length data
  std::uint16_t columnCount = 0;
  std::vector<std::uint8_t> nullBitmap;        // ceil(columnCount/8) bytes when statusA & 0x10
  std::vector<std::vector<std::uint8_t>> variable;
  std::vector<bool> complex;                   // per variable column
};

std::vector<std::uint8_t> BuildRecord(const RecordSpec& spec);

// Places records on a page: record i at the next free offset from 96, slot i
// pointing at it. Returns the page.
std::vector<std::uint8_t> PageWithRecords(std::int32_t pageNumber, std::int32_t objectId,
                                          const std::vector<std::vector<std::uint8_t>>& records);

}  // namespace corvane::testing

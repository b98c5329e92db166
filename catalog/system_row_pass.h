#pragma once
// The one pass that every system-table reader makes: the rows of the pages
// that the page index files under one system object id.
//
// Only data pages are read (header type 1). System tables keep their rows on
// the leaf pages of their heap or clustered index; index pages hold index
// records, and IAM pages carry a primary-type header record that is not a row
// (an IAM header of 94 bytes passes every row minimum). Pages of user
// allocation units whose page-header object id happens to be small (header
// index id 256 and up) are kept out of systemPages by the page walk.
//
// A SystemRow is a view into a page that lives only for the callback: copy
// what must outlive it. Rows are visited in page-index order, then slot order.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/bytes.h"
#include "engine/database_context.h"
#include "engine/record.h"

namespace corvane {

struct SystemRow {
  const CPrimaryRecord& record;
  const CPage_Header& page;
  Bytes fixed;  // the fixed-length part (empty when the record has none)

  bool hasFixed() const { return record.fixedData.has_value(); }
  std::int32_t length() const { return record.length; }

  // Value at `offset` of the fixed part, or `fallback` when the fixed part
  // does not reach that far.
  template <typename T>
  T Field(std::size_t offset, T fallback) const {
    return fixed.ReadOr<T>(offset, fallback);
  }

  // Variable column n (numbered from 1) when the record stores data for it.
  std::optional<Bytes> Variable(std::size_t n) const;
  // Variable column n as UTF-16LE text, up to its end or a zero character.
  std::optional<std::string> Text(std::size_t n) const;
};

struct RowPassOptions {
  bool skipIndexRecords = false;  // record kind 3 besides kind 4
};

inline constexpr RowPassOptions kAllRecords{};
inline constexpr RowPassOptions kNoIndexRecords{.skipIndexRecords = true};

// Calls `visit` for every row of the pages filed under `objectId`.
void ForEachSystemRow(const DatabaseContext& context, std::int32_t objectId,
                      const RowPassOptions& options,
                      const std::function<void(const SystemRow&)>& visit);

}  // namespace corvane

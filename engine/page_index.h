#pragma once
// The page index: every page of the database filed by the object id that its
// header names, in the order the walk met the pages.
//
//   systemPages  object id 0..100 or 2187, any page type
//   dataPages    page type 1, object id != 0
//   iamPages     page type 10, object id != 0
//
// From SQL Server 2005 on, the "object id" of a page header is the allocation
// unit's page-header id ((allocation unit id >> 16) truncated to 32 bits).

#include <cstdint>
#include <map>
#include <vector>

#include "engine/page_id.h"

namespace corvane {

using PageList = std::vector<PageEntry>;
using PageMap = std::map<std::int32_t, PageList>;

inline constexpr std::int32_t kSysColParsExtraObjectId = 2187;

// Page-header object id of an allocation unit (or rowset) id: bits 16..47.
inline std::int32_t PageHeaderObjectId(std::int64_t allocationUnitId) {
  return static_cast<std::int32_t>(static_cast<std::uint64_t>(allocationUnitId) >> 16);
}

// Whether a page whose header names (objectId, indexId) belongs to the
// allocation unit. Units created by SQL Server 2005 and later have ids of
// 2^56 and up, and their pages carry bits 48..63 as the index id. Units of a
// database upgraded from SQL Server 2000 keep ids built from the table's
// object id, and their pages keep the old header index id (0 on the data
// pages of a clustered table): for those the object id alone decides.
inline bool BelongsToAllocationUnit(std::int64_t allocationUnitId, std::int32_t objectId,
                                    std::uint16_t indexId) {
  if (objectId != PageHeaderObjectId(allocationUnitId)) return false;
  const auto unitIndexId = static_cast<std::uint64_t>(allocationUnitId) >> 48;
  return unitIndexId < 256 ? indexId < 256 : indexId == unitIndexId;
}

struct PageIndex {
  PageMap systemPages;
  PageMap dataPages;
  PageMap iamPages;

  // Entries of `id` in `map`, or an empty list.
  static const PageList& Lookup(const PageMap& map, std::int32_t id);
  std::size_t SystemPageCount() const;
};

}  // namespace corvane

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

struct PageIndex {
  PageMap systemPages;
  PageMap dataPages;
  PageMap iamPages;

  // Entries of `id` in `map`, or an empty list.
  static const PageList& Lookup(const PageMap& map, std::int32_t id);
  std::size_t SystemPageCount() const;
};

}  // namespace corvane

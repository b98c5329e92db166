#pragma once
// Where the records of a table are read from: the page lists that record
// retrieval walks.
//
//  - page chain walk: the leaf pages of a clustered index (or a heap's pages
//    linked by a damaged or old file) from the first page along nextPage;
//  - IAM chain walk: the single pages and allocated extents of every IAM page
//    of the allocation unit, along the IAM pages' nextPage (SQL Server 2000:
//    the IAM pages of the table in the page index);
//  - the table's data pages from the page index (advanced mode, and where the
//    allocation structures are missing).
//
// The walks read page headers only; they poll stopRequested and end at a
// page seen before, so a damaged chain cannot loop.

#include <cstdint>
#include <optional>
#include <vector>

#include "catalog/catalog.h"

namespace corvane {

enum class PageSourceKind { kTablePages, kPageChain, kIamChain, kLegacyChain };

// The allocation unit whose pages a list holds, for the check that a page
// taken from an extent really belongs to it and is allocated. SQL Server 2000
// tables: the table's object id as the unit id's bits 16..47.
struct OwnerFilter {
  std::int64_t allocationUnitId = 0;
};

struct PageSource {
  PageSourceKind kind = PageSourceKind::kTablePages;
  std::vector<PageId> pages;
  std::optional<OwnerFilter> owner;  // set for IAM walks
};

// True when `id` has a page number above 0 and below the page count of its
// file (file id 0 or 1: the primary file).
bool IsUsablePage(const DatabaseContext& context, PageId id);

std::vector<PageId> WalkPageChain(const DatabaseContext& context, PageId first);
std::vector<PageId> WalkLegacyChain(const DatabaseContext& context, PageId first,
                                    const std::vector<PageId>& tablePages);
// IAM chain from `firstIam`; with `legacyIamPages` (SQL Server 2000) the IAM
// pages are taken from that list instead of following nextPage.
std::vector<PageId> WalkIamChain(const DatabaseContext& context, PageId firstIam,
                                 const PageList* legacyIamPages = nullptr);

// The page chain from `first`, and the IAM chain of `unit` with the owner
// check of its pages.
PageSource PageChainSource(const DatabaseContext& context, PageId first);
PageSource IamChainSource(const DatabaseContext& context, const AllocationUnitRow& unit);

// The table pages of the catalog's current table, keeping only ids whose
// file id and page number are both non-zero.
std::vector<PageId> UsableTablePages(const Catalog& catalog);

}  // namespace corvane

#include "rows/page_sources.h"

#include <set>

#include "engine/allocation_map.h"

namespace corvane {

bool IsUsablePage(const DatabaseContext& context, PageId id) {
  return id.pageNumber > 0 &&
         static_cast<std::uint64_t>(id.pageNumber) < context.PageCountOf(id.fileId);
}

namespace {

bool NonZero(PageId id) { return id.fileId != 0 && id.pageNumber != 0; }

PageId NextOf(const CPage_Header& h) {
  return PageId{static_cast<std::uint16_t>(h.nextPage.fileId), h.nextPage.pageNumber};
}

// Follows nextPage from `first`; `readAsData` reads every page as a data
// page (SQL Server 2000), otherwise only a data page's link is followed.
std::vector<PageId> Chain(const DatabaseContext& context, PageId first, bool legacy,
                          std::set<PageId>& seen) {
  std::vector<PageId> pages;
  AppState& app = context.app();
  if (!NonZero(first)) return pages;
  PageId at = first;
  pages.push_back(at);
  seen.insert(at);
  while (!app.stopRequested.load()) {
    auto h = context.ReadPageHeader(at);
    if (!h) break;
    const PageId next = NextOf(*h);
    if (next.pageNumber == 0 || !NonZero(next)) break;
    if (!legacy && h->type != kPageTypeData) break;
    // A page met before closes a cycle of nextPage links in a damaged file.
    if (!seen.insert(next).second) break;
    pages.push_back(next);
    at = next;
  }
  app.stopRequested.store(false);
  return pages;
}

}  // namespace

std::vector<PageId> WalkPageChain(const DatabaseContext& context, PageId first) {
  std::set<PageId> seen;
  return Chain(context, first, false, seen);
}

std::vector<PageId> WalkLegacyChain(const DatabaseContext& context, PageId first,
                                    const std::vector<PageId>& tablePages) {
  std::set<PageId> seen;
  std::vector<PageId> pages = Chain(context, first, true, seen);
  for (const PageId& p : tablePages)
    if (NonZero(p) && seen.insert(p).second) pages.push_back(p);
  return pages;
}

std::vector<PageId> WalkIamChain(const DatabaseContext& context, PageId firstIam,
                                 const PageList* legacyIamPages) {
  std::vector<PageId> pages;
  std::set<PageId> seenIam;
  std::size_t legacyIndex = 0;
  PageId at = firstIam;
  AppState& app = context.app();
  while (!app.stopRequested.load() && seenIam.insert(at).second) {
    auto iam = context.ReadIamPage(at);
    if (!iam) break;
    for (int k = 0; k < 8; ++k) {
      const PageId p = iam->singlePages()[k];
      if (p.fileId != 0 && IsUsablePage(context, p)) pages.push_back(p);
    }
    for (const ExtentEntry& e : iam->AllocatedExtents())
      for (const PageId& p : ExtentPages(e))
        if (NonZero(p) && IsUsablePage(context, p)) pages.push_back(p);
    if (legacyIamPages) {
      if (++legacyIndex >= legacyIamPages->size()) break;
      at = (*legacyIamPages)[legacyIndex].id();
    } else {
      at = NextOf(iam->header());
      if (!NonZero(at)) break;
    }
  }
  return pages;
}

PageSource PageChainSource(const DatabaseContext& context, PageId first) {
  return PageSource{PageSourceKind::kPageChain, WalkPageChain(context, first), std::nullopt};
}

PageSource IamChainSource(const DatabaseContext& context, const AllocationUnitRow& unit) {
  return PageSource{PageSourceKind::kIamChain, WalkIamChain(context, unit.firstIamPage),
                    OwnerFilter{unit.allocationUnitId}};
}

std::vector<PageId> UsableTablePages(const Catalog& catalog) {
  std::vector<PageId> pages;
  for (const PageId& p : catalog.tablePages)
    if (NonZero(p)) pages.push_back(p);
  return pages;
}

}  // namespace corvane

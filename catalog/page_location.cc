// LocateTablePages: the data pages of the table being assembled. From SQL
// Server 2005 on, a page header names the allocation unit that owns the page,
// so the chain object -> rowsets -> allocation units -> pages is followed
// through the catalog, with a fallback for every link that damage broke. No
// page is read: the page index already knows every page's owner.

#include "catalog/catalog.h"

namespace corvane {
namespace {

// Calls `visit` for the entries of `map` that belong to allocation unit (or
// rowset) `unitId`. Units created by SQL Server 2005 and later are numbered
// (1 << 56) | (n << 16), and n can be as small as a system table's object id
// (units 1, 7, 8, 13, 34, 50, 54, 55, 64, 74 ... occur in real files): under
// such an id only the pages whose header index id matches are the unit's.
template <typename Visit>
void ForEachUnitEntry(const PageMap& map, std::int64_t unitId, Visit&& visit) {
  const std::int32_t key = PageHeaderObjectId(unitId);
  for (const PageEntry& e : PageIndex::Lookup(map, key))
    if (BelongsToAllocationUnit(unitId, key, e.indexId)) visit(e);
}

bool HasPagePointer(const AllocationUnitRow& unit) {
  return unit.firstPage.pageNumber != 0 || unit.rootPage.pageNumber != 0 ||
         unit.firstIamPage.pageNumber != 0;
}

void LocateLegacyPages(Catalog& catalog) {
  catalog.tablePages.clear();
  for (const PageEntry& e : PageIndex::Lookup(catalog.context->dataPages(), catalog.currentObject.id))
    if (e.pageType == kPageTypeData) catalog.tablePages.push_back(e.id());
}

// The table's heap or clustered rowset, else one derived from an index row.
void ChooseMainRowset(Catalog& catalog, const std::vector<const RowsetRow*>& own) {
  const std::int32_t tableId = catalog.currentObject.id;
  const RowsetRow* best = nullptr;
  for (const RowsetRow* r : own)
    if ((r->indexId == 0 || r->indexId == 1) && (!best || r->indexId <= best->indexId)) best = r;
  if (best) {
    catalog.currentRowset = *best;
    return;
  }
  catalog.currentRowset = own.empty() ? RowsetRow{} : *own.back();
  for (const IndexRow& x : catalog.indexes) {
    // Rowset ids are positive; a short row's default (-1) names no rowset.
    if (x.objectId != tableId || x.rowsetId <= 0) continue;
    catalog.currentRowset.rowsetId = x.rowsetId;
    catalog.currentRowset.objectId = tableId;
    catalog.currentRowset.status = x.status;
    catalog.pagesByFallback = true;
    return;
  }
}

// True when `unitId` is the id of a known allocation unit that another known
// rowset owns. Rowset ids and allocation unit ids are drawn from the same kind
// of numbers ((1 << 56) | (n << 16)), so a rowset id taken as a unit id can
// name a different table's unit: its pages are not this table's.
bool IsAnotherRowsetsUnit(const Catalog& catalog, std::int64_t unitId, std::int64_t rowsetId) {
  for (const AllocationUnitRow& a : catalog.allocationUnits) {
    if (a.allocationUnitId != unitId || a.ownerId == rowsetId) continue;
    for (const RowsetRow& r : catalog.rowsets)
      if (r.rowsetId == a.ownerId) return true;
  }
  return false;
}

// The in-row allocation unit of the main rowset, with its first data page and
// first IAM page.
AllocationUnitRow InRowUnit(Catalog& catalog) {
  const DatabaseContext& ctx = *catalog.context;
  const std::int64_t rowset = catalog.currentRowset.rowsetId;
  AllocationUnitRow unit;
  bool found = false;
  for (const AllocationUnitRow& a : catalog.allocationUnits) {
    if (a.ownerId == rowset && a.unitType == 1) {
      unit = a;
      found = true;
    }
  }
  if (HasPagePointer(unit)) {
    // The unit row's own first page is the head of the page chain; only when
    // it is missing does the page index stand in, with the first data page
    // it met (a later one would start a chain walk in the middle).
    if (unit.firstPage.pageNumber == 0) {
      ForEachUnitEntry(ctx.dataPages(), unit.allocationUnitId, [&](const PageEntry& e) {
        if (e.pageType == kPageTypeData && unit.firstPage.pageNumber == 0) unit.firstPage = e.id();
      });
    }
    return unit;
  }
  // A unit without page pointers is an empty table's unit, not a broken link.
  if (found) return unit;
  unit.allocationUnitId = unit.ownerId = rowset;
  if (IsAnotherRowsetsUnit(catalog, rowset, rowset)) return unit;
  // Derived from the page index: the first pages met stand for the heads.
  ForEachUnitEntry(ctx.dataPages(), unit.allocationUnitId, [&](const PageEntry& e) {
    catalog.pagesByFallback = true;
    if (e.pageType == kPageTypeData && unit.firstPage.pageNumber == 0) unit.firstPage = e.id();
  });
  ForEachUnitEntry(ctx.iamPages(), unit.allocationUnitId, [&](const PageEntry& e) {
    catalog.pagesByFallback = true;
    if (e.pageType == kPageTypeIam && unit.firstIamPage.pageNumber == 0) unit.firstIamPage = e.id();
  });
  return unit;
}

void CollectTableUnits(Catalog& catalog) {
  catalog.tableAllocationUnits.clear();
  for (const RowsetRow& r : catalog.tableRowsets)
    for (const AllocationUnitRow& a : catalog.allocationUnits)
      if (a.ownerId == r.rowsetId) catalog.tableAllocationUnits.push_back(a);
  if (!catalog.pagesByFallback || !catalog.tableAllocationUnits.empty()) return;
  for (const RowsetRow& r : catalog.tableRowsets)
    for (const AllocationUnitRow& a : catalog.allocationUnits)
      if (a.allocationUnitId == r.rowsetId && !IsAnotherRowsetsUnit(catalog, a.allocationUnitId, r.rowsetId))
        catalog.tableAllocationUnits.push_back(a);
  if (!catalog.tableAllocationUnits.empty()) return;
  for (const RowsetRow& r : catalog.tableRowsets) {
    if (IsAnotherRowsetsUnit(catalog, r.rowsetId, r.rowsetId)) continue;
    AllocationUnitRow a;
    a.allocationUnitId = a.ownerId = r.rowsetId;
    catalog.tableAllocationUnits.push_back(a);
  }
}

// Appends a data page to tablePages; once the links had to be derived, a page
// is listed only once.
void AppendDataPage(Catalog& catalog, const PageEntry& e) {
  if (e.pageType != kPageTypeData) return;
  if (catalog.pagesByFallback && !catalog.seenPages.insert(e.id()).second) return;
  catalog.tablePages.push_back(e.id());
}

}  // namespace

void LocateTablePages(Catalog& catalog) {
  if (!catalog.context) return;
  if (catalog.context->app().legacyLayout.load()) {
    LocateLegacyPages(catalog);
    return;
  }
  const std::int32_t tableId = catalog.currentObject.id;
  catalog.pagesByFallback = false;
  std::vector<const RowsetRow*> own;
  for (const RowsetRow& r : catalog.rowsets)
    if (r.objectId == tableId) own.push_back(&r);

  ChooseMainRowset(catalog, own);
  catalog.currentAllocationUnit = InRowUnit(catalog);

  catalog.tableRowsets.clear();
  for (const RowsetRow* r : own) catalog.tableRowsets.push_back(*r);
  if (own.empty()) {
    for (const IndexRow& x : catalog.indexes) {
      if (x.objectId != tableId || x.rowsetId <= 0) continue;
      RowsetRow r;
      r.rowsetId = x.rowsetId;
      r.objectId = tableId;
      r.status = x.status;
      catalog.tableRowsets.push_back(r);
    }
  }
  CollectTableUnits(catalog);

  catalog.tablePages.clear();
  catalog.seenPages.clear();
  const PageMap& dataPages = catalog.context->dataPages();
  for (const AllocationUnitRow& a : catalog.tableAllocationUnits)
    ForEachUnitEntry(dataPages, a.allocationUnitId,
                     [&](const PageEntry& e) { AppendDataPage(catalog, e); });
  if (catalog.tablePages.empty()) {
    // Last resort: pages whose headers carry the table's own object id.
    catalog.seenPages.clear();
    for (const PageEntry& e : PageIndex::Lookup(dataPages, tableId)) AppendDataPage(catalog, e);
  }
}

}  // namespace corvane

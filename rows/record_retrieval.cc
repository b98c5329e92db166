#include "rows/record_retrieval.h"

#include <cstdio>

namespace corvane {

DecodeOptions DecodeOptionsFor(const Catalog& catalog, const AppState& app) {
  DecodeOptions o;
  o.legacyLayout = app.legacyLayout.load();
  o.rowsetLayout = !o.legacyLayout && !catalog.tableRowsetColumns.empty();
  o.showDeleted = app.showDeleted.load();
  return o;
}

std::vector<std::size_t> GridColumns(const Catalog& catalog) {
  const auto& cols = catalog.tableDescriptors;
  const auto first = static_cast<std::size_t>(std::max(0, catalog.firstStoredColumn));
  std::vector<std::size_t> shown;
  for (std::size_t k = first; k < cols.size(); ++k)
    if (k == first || cols[k].physicalColumnId != kNotStoredColumn) shown.push_back(k);
  return shown;
}

RecordRetrieval::RecordRetrieval(DatabaseContext& context, Catalog& catalog, RecordGrid& grid,
                                 EngineObserver& observer, RetrievalOptions options)
    : context_(context),
      catalog_(catalog),
      grid_(grid),
      observer_(observer),
      options_(options),
      text_(context.app().collationTable, context.bootCollationId()),
      allocation_(context) {}

PageSource RecordRetrieval::ChooseSource() {
  PageSource src;
  const AppState& app = context_.app();
  const std::int32_t tableId = catalog_.currentObject.id;
  if (options_.advancedRecordMode) {
    src.pages = UsableTablePages(catalog_);
    return src;
  }
  if (app.legacyLayout.load()) {
    auto idx = catalog_.legacyIndexes.find(tableId);
    if (idx != catalog_.legacyIndexes.end()) {
      src.kind = PageSourceKind::kLegacyChain;
      src.pages = WalkLegacyChain(context_, {idx->second.fileId, idx->second.firstPage},
                                  UsableTablePages(catalog_));
      return src;
    }
    const PageList& iams = PageIndex::Lookup(context_.iamPages(), tableId);
    if (!iams.empty()) {
      PageId first = iams.front().id();
      if (first.fileId == 0) first.fileId = kPrimaryFileId;
      if (IsUsablePage(context_, first)) {
        src.kind = PageSourceKind::kIamChain;
        src.pages = WalkIamChain(context_, first, &iams);
        src.owner = OwnerFilter{static_cast<std::int64_t>(static_cast<std::uint32_t>(tableId)) << 16};
      }
    }
    return src;
  }
  const AllocationUnitRow& unit = catalog_.currentAllocationUnit;
  if (unit.firstIamPage.pageNumber <= 0) {
    src.pages = UsableTablePages(catalog_);
    return src;
  }
  const bool iamUsable = IsUsablePage(context_, unit.firstIamPage);
  const bool firstUsable = IsUsablePage(context_, unit.firstPage);
  if (catalog_.currentRowset.indexId == 0) {
    // A heap: its pages are not linked; the IAM chain lists them.
    if (iamUsable) return IamChainSource(context_, unit);
    if (firstUsable) return PageChainSource(context_, unit.firstPage);
    return src;
  }
  if (firstUsable) {
    auto h = context_.ReadPageHeader(unit.firstPage);
    if (h && h->type == kPageTypeData && h->prevPage.pageNumber == 0)
      return PageChainSource(context_, unit.firstPage);
  }
  if (iamUsable) return IamChainSource(context_, unit);
  return src;
}

std::vector<Row> RecordRetrieval::FetchPageRows(PageId id, RowDecoder& decoder) {
  std::vector<Row> rows;
  RecordParseOptions parse = OptionsOf(&context_);
  parse.statusOnly = CountsOnly();
  auto page = context_.ReadTableDataPage(id, parse);
  if (!page || page->header().type != kPageTypeData) return rows;
  if (source_.owner) {
    // An extent keeps pages that this unit never allocated, or freed: they
    // still hold an earlier owner's (or a dropped table's) rows.
    const CPage_Header& h = page->header();
    if (!BelongsToAllocationUnit(source_.owner->allocationUnitId, h.objectId, h.indexId) ||
        !allocation_.IsAllocated(id))
      return rows;
  }
  if (CountsOnly()) {
    rows.resize(decoder.CountPage(*page));
  } else {
    decoder.DecodePage(*page, rows);
  }
  return rows;
}

bool RecordRetrieval::IsEmptyRow(const Row& row) const {
  const auto& cols = catalog_.tableDescriptors;
  if (row.empty() || cols.empty()) return false;
  for (std::size_t k = 0; k < cols.size(); ++k) {
    if (cols[k].physicalColumnId == kNotStoredColumn) return false;
    if (!row[k].empty() && row[k] != "NULL") return false;
  }
  return true;
}

int RecordRetrieval::Fill(GridPosition start, bool displayLoad) {
  AppState& app = context_.app();
  DecodeOptions decodeOptions = DecodeOptionsFor(catalog_, app);
  decodeOptions.displayLoad = displayLoad;
  RowDecoder decoder(catalog_.tableDescriptors, text_, decodeOptions);
  const std::vector<std::size_t> shown = GridColumns(catalog_);
  int added = 0;
  bool full = false;
  observer_.ProgressRange(pageList.size());
  for (auto pi = start.pageIndex; pi < static_cast<std::int64_t>(pageList.size()) && !full; ++pi) {
    if (app.stopRequested.load()) break;
    std::vector<Row> rows = FetchPageRows(pageList[static_cast<std::size_t>(pi)], decoder);
    for (auto ri = pi == start.pageIndex ? start.rowIndex : 0;
         ri < static_cast<std::int64_t>(rows.size()); ++ri) {
      if (app.stopRequested.load()) break;
      const Row& row = rows[static_cast<std::size_t>(ri)];
      // Records found among deleted ones may be nothing but zeros: a row
      // without a single value is dropped there. A live record is a row
      // whatever it holds, so the rule is kept to the deleted-record view.
      if (app.showDeleted.load() && IsEmptyRow(row)) continue;
      if (added >= kGridPageRows) {
        stopPosition = {pi, ri};
        full = true;
        break;
      }
      if (CountsOnly() || shown.empty() || shown.front() >= row.size()) {
        grid_.InsertRow(gridRowCount, {});
      } else {
        grid_.InsertRow(gridRowCount, row[shown.front()]);
        for (std::size_t i = 1; i < shown.size() && shown[i] < row.size(); ++i)
          grid_.SetCell(gridRowCount, static_cast<int>(i), row[shown[i]]);
      }
      ++gridRowCount;
      ++added;
      if (options_.logRows) observer_.LogLine(" row " + std::to_string(gridRowCount) + " inserted");
    }
    observer_.ProgressPosition(static_cast<std::uint64_t>(pi + 1));
  }
  if (full) {
    // The start of the next grid page, known from now on.
    if (positions.back().pageIndex < stopPosition.pageIndex ||
        (positions.back().pageIndex == stopPosition.pageIndex &&
         positions.back().rowIndex < stopPosition.rowIndex))
      positions.push_back(stopPosition);
  }
  app.stopRequested.store(false);
  return added;
}

void RecordRetrieval::SetLabel() {
  char buf[128];
  std::snprintf(buf, sizeof buf, "%s%d - [%lld](%lld-%lld) Records", "Page", pageNumber,
                static_cast<long long>(rowsThrough - rowsBefore),
                static_cast<long long>(rowsBefore + 1), static_cast<long long>(rowsThrough));
  pageLabel_ = buf;
  grid_.SetPageLabel(pageLabel_);
  grid_.SetNextEnabled(hasNext());
  grid_.SetPreviousEnabled(hasPrevious());
}

void RecordRetrieval::ShowPage(int index, bool displayLoad) {
  grid_.Clear();
  gridRowCount = 0;
  current_ = index;
  const int added = Fill(positions[static_cast<std::size_t>(index)], displayLoad);
  if (static_cast<int>(pageRows_.size()) <= index) pageRows_.resize(static_cast<std::size_t>(index) + 1);
  pageRows_[static_cast<std::size_t>(index)] = added;
  rowsBefore = 0;
  for (int i = 0; i < index; ++i) rowsBefore += pageRows_[static_cast<std::size_t>(i)];
  rowsThrough = rowsBefore + added;
  pageNumber = index + 1;
  if (added > 0) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%lld rows to %lld", static_cast<long long>(rowsBefore),
                  static_cast<long long>(rowsThrough));
    observer_.LogLine(buf);
  }
  SetLabel();
}

int RecordRetrieval::ShowTableRecords() {
  positions.clear();
  positions.push_back({0, 0});
  stopPosition = {};
  pageRows_.clear();
  observer_.ProgressPosition(0);
  auto show = [&](PageSource source) {
    source_ = std::move(source);
    pageList = source_.pages;
    ShowPage(0, true);
  };
  show(ChooseSource());
  // A heap whose IAM chain gave no row is read along its page chain, and a
  // clustered table whose chain gave none along its IAM chain.
  const AllocationUnitRow& unit = catalog_.currentAllocationUnit;
  const bool heap = catalog_.currentRowset.indexId == 0;
  if (rowsThrough == 0 && source_.kind == PageSourceKind::kIamChain &&
      !context_.app().legacyLayout.load() && heap && IsUsablePage(context_, unit.firstPage)) {
    show(PageChainSource(context_, unit.firstPage));
  } else if (rowsThrough == 0 && source_.kind == PageSourceKind::kPageChain && !heap &&
             IsUsablePage(context_, unit.firstIamPage)) {
    show(IamChainSource(context_, unit));
  }
  return static_cast<int>(rowsThrough - rowsBefore);
}

int RecordRetrieval::NextRecords() {
  if (!hasNext()) return -1;
  AppState& app = context_.app();
  app.processRunning = true;
  ShowPage(current_ + 1, false);
  app.processRunning = false;
  return static_cast<int>(rowsThrough - rowsBefore);
}

int RecordRetrieval::PreviousRecords() {
  if (!hasPrevious()) return -1;
  AppState& app = context_.app();
  app.processRunning = true;
  ShowPage(current_ - 1, false);
  app.processRunning = false;
  return static_cast<int>(rowsThrough - rowsBefore);
}

}  // namespace corvane

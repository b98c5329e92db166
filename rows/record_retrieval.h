#pragma once
// Record retrieval: the records of one table, 1000 rows per grid page, with
// Next and Previous paging.
//
// The caller assembles the table first (AssembleTable) and keeps the
// context, the catalog and the grid alive while a RecordRetrieval uses them.
// One thread at a time runs it (the worker); it reports through the engine
// observer and the grid interface only, and polls stopRequested.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "engine/engine_observer.h"
#include "engine/pfs_page.h"
#include "rows/page_sources.h"
#include "rows/record_grid.h"
#include "rows/row_decoder.h"

namespace corvane {

inline constexpr int kGridPageRows = 1000;

struct GridPosition {
  std::int64_t pageIndex = 0;  // index into pageList
  std::int64_t rowIndex = 0;   // row within that page's decoded rows
  bool operator==(const GridPosition&) const = default;
};

struct RetrievalOptions {
  bool advancedRecordMode = false;  // read the page index's pages, not the allocation maps
  bool logRows = false;             // " row N inserted" log lines (the desktop log pane)
  // Rows are counted, not cut into values (the grid gets empty cells): the
  // records' status bytes tell which are rows.
  bool countOnly = false;
};

class RecordRetrieval {
 public:
  RecordRetrieval(DatabaseContext& context, Catalog& catalog, RecordGrid& grid,
                  EngineObserver& observer, RetrievalOptions options);

  // Chooses the page source of the assembled table and fills the first grid
  // page. Returns the number of rows shown.
  int ShowTableRecords();
  // Shows the following / preceding grid page; returns the rows shown, or -1
  // when there is no such page (nothing changes).
  int NextRecords();
  int PreviousRecords();

  bool hasNext() const { return current_ + 1 < static_cast<int>(positions.size()); }
  bool hasPrevious() const { return current_ > 0; }
  const std::string& pageLabel() const { return pageLabel_; }
  PageSourceKind sourceKind() const { return source_.kind; }

  // Record view state.
  std::vector<PageId> pageList;
  std::deque<GridPosition> positions;  // start of every grid page met so far
  GridPosition stopPosition;           // where the last fill stopped
  std::int32_t gridRowCount = 0;
  std::int64_t rowsBefore = 0;
  std::int64_t rowsThrough = 0;
  std::int32_t pageNumber = 0;

 private:
  PageSource ChooseSource();
  std::vector<Row> FetchPageRows(PageId id, RowDecoder& decoder);
  // Fills one grid page from `start`; returns the rows added.
  int Fill(GridPosition start, bool displayLoad);
  void ShowPage(int index, bool displayLoad);
  void SetLabel();
  bool IsEmptyRow(const Row& row) const;
  // Counting without values is possible unless deleted records are shown:
  // those are dropped when all their values are empty.
  bool CountsOnly() const { return options_.countOnly && !context_.app().showDeleted.load(); }

  DatabaseContext& context_;
  Catalog& catalog_;
  RecordGrid& grid_;
  EngineObserver& observer_;
  RetrievalOptions options_;
  TextDecoder text_;
  PageAllocationStatus allocation_;
  PageSource source_;
  std::vector<std::int64_t> pageRows_;  // rows shown on each grid page met so far
  int current_ = 0;                     // index of the grid page shown
  std::string pageLabel_;
};

// The descriptors the grid shows, in order: the first stored column (the
// row's item text), then every later column that rows store.
std::vector<std::size_t> GridColumns(const Catalog& catalog);

// The decode layout a table needs: rowset layout unless the catalog is in
// the SQL Server 2000 layout or the table has no rowset column rows.
DecodeOptions DecodeOptionsFor(const Catalog& catalog, const AppState& app);

}  // namespace corvane

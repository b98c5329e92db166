#pragma once
// Writes the rows of one table (or system table) into the pages of its
// in-row allocation unit.
//
// Heap: data pages in allocation order, not linked; sysallocunits names the
// first data page as first and root page. Clustered index: leaf data pages
// in row order, linked through prev/next; when there is more than one leaf
// page, index pages (type 2, level 1, 2, ...) above them hold one index
// record per child page (its first key) and the top one is the root.
//
// Rows are written in the order given; the rows of a clustered table must
// come in key order. Ghost rows keep their slot (status 0x3C, counted in the
// header's ghostRecordCount, PFS ghost bit); deleted rows leave their bytes
// in the record area without a slot. A forwarded heap row leaves a
// forwarding stub in its place and moves to a page after the others.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/mdfgen/declaration.h"
#include "tools/mdfgen/record_layout.h"
#include "tools/mdfgen/unit_writer.h"

namespace corvane::mdfgen {

class RowsetWriter {
 public:
  // keyColumns: indexes into layout.columns() of the clustered key; empty
  // for a heap.
  RowsetWriter(UnitWriter& unit, const RecordLayout& layout, std::vector<int> keyColumns);

  bool AddRow(const std::vector<Value>& values, RowState state, std::string& error);
  bool Finish(UnitPages& result, std::string& error);

  std::int64_t liveRows() const { return liveRows_; }
  std::int64_t maxRecord() const { return maxRecord_; }

 private:
  struct Forward {
    std::vector<Value> values;
    std::int32_t stubPage;
    std::uint16_t stubSlot;
  };
  bool heap() const { return keys_.empty(); }
  // Starts a new leaf page (linked after the current one for a clustered index).
  void NextPage();
  void FlushPage(std::int32_t nextPage);
  bool WriteForwarded(std::string& error);
  bool WriteIndexLevels(UnitPages& result, std::string& error);

  UnitWriter& unit_;
  const RecordLayout& layout_;
  std::vector<int> keys_;
  PageBuilder page_;
  bool pageOpen_ = false;
  std::int32_t firstPage_ = 0;
  std::int64_t liveRows_ = 0;
  std::int64_t maxRecord_ = 0;
  std::vector<std::uint8_t> record_;
  std::vector<std::uint8_t> indexRecord_;
  std::vector<std::vector<std::uint8_t>> childRecords_;  // level-1 records, one per leaf page
  std::vector<Forward> forwards_;
  // Pages holding forwarding stubs wait here until their targets are known.
  std::map<std::int32_t, std::array<std::uint8_t, kPageSize>> heldPages_;
  std::map<std::int32_t, std::uint8_t> heldFlags_;
  bool holdCurrent_ = false;
};

}  // namespace corvane::mdfgen

#pragma once
// The row decoder: cuts the records of one data page into column values,
// rendered as text, with the column layout of the table that owns the page.
//
// Two layouts:
//  - rowset layout (SQL Server 2005 and later with rowset column rows): each
//    column's place comes from its leaf offset (fixed columns: offset from the
//    record start; variable columns: ~index among the variable columns) and
//    its null bit;
//  - catalog layout (the SQL Server 2000 catalog, or a table without rowset
//    column rows): from the column list's own offsets and running positions.
//
// A Row holds one text per column descriptor (same order). The decoder keeps
// no reference to the page; one thread at a time.

#include <string>
#include <vector>

#include "catalog/column_descriptor.h"
#include "engine/record_page.h"
#include "rows/text_codec.h"

namespace corvane {

using Row = std::vector<std::string>;

inline constexpr const char* kBinaryDataPlaceholder = "<BINARY DATA>";
inline constexpr const char* kBigBinaryDataPlaceholder = "<BIG BINARY DATA>";

struct DecodeOptions {
  bool rowsetLayout = true;   // false: catalog layout
  bool legacyLayout = false;  // the SQL Server 2000 catalog
  bool showDeleted = false;
  bool displayLoad = false;   // first grid page of a selection: large values stay placeholders
};

class RowDecoder {
 public:
  // `columns` is the table's descriptor list (tableDescriptors); the decoder
  // works on its own copy (it rewrites physicalColumnId where a record says
  // so). The text decoder must outlive the row decoder.
  RowDecoder(std::vector<ColumnDescriptor> columns, const TextDecoder& text,
             DecodeOptions options);

  // Decodes every record of `page` that passes the record filter and
  // appends one Row per record to `rows`.
  void DecodePage(const PrimaryRecordPage& page, std::vector<Row>& rows);

  // Number of records of `page` that pass the record filter.
  std::size_t CountPage(const PrimaryRecordPage& page) const;

  // Decodes one record into `row` (resized to the column count).
  void DecodeRecord(const CPrimaryRecord& record, Row& row);

  // Whether a record is shown at all.
  bool PassesFilter(const CPrimaryRecord* record) const;

  const std::vector<ColumnDescriptor>& columns() const { return columns_; }

 private:
  struct RecordState;
  void DecodeColumnRowset(const CPrimaryRecord& r, std::size_t k, RecordState& st, Row& row);
  void DecodeColumnCatalog(const CPrimaryRecord& r, std::size_t k, RecordState& st, Row& row);
  // Renders variable column `index`; returns false when the record has no
  // entry for it.
  std::string RenderVariable(const CPrimaryRecord& r, std::size_t index, ColumnDescriptor& c,
                             struct ValueSlot& slot);
  std::string RenderFixed(const CPrimaryRecord& r, ColumnDescriptor& c, struct ValueSlot& slot,
                          int offsetInFixed, std::int32_t& fixedPos);
  std::string RenderSparse(const CPrimaryRecord& r, ColumnDescriptor& c, struct ValueSlot& slot);

  std::vector<ColumnDescriptor> columns_;
  const TextDecoder& text_;
  DecodeOptions options_;
};

}  // namespace corvane

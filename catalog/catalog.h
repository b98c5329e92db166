#pragma once
// Catalog: everything the system base tables of one database still hold,
// plus the working set of the table assembled last.
//
// BuildCatalog fills the whole-database collections once; they do not change
// afterwards. AssembleTable rewrites the per-table working set ("table*",
// "current*") for one object at a time. The catalog keeps a non-owning
// pointer to its DatabaseContext; whoever owns both destroys the catalog
// first. Not thread-safe: one thread assembles and reads at a time.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "catalog/column_descriptor.h"
#include "catalog/system_rows.h"
#include "engine/database_context.h"
#include "engine/secondary_file.h"

namespace corvane {

struct ReaderState {
  DatabaseContext* context = nullptr;
  std::uint64_t repairCounter = 0;
};

class Catalog {
 public:
  explicit Catalog(DatabaseContext* context);

  DatabaseContext* context = nullptr;
  ReaderState readerState;

  // Whole-database collections, in the order their rows were read.
  std::vector<SecondaryFile> files;
  std::vector<SchemaRow> schemas;
  std::vector<ObjectRow> objects;
  std::vector<AllocationUnitRow> allocationUnits;
  std::vector<RowsetRow> rowsets;
  std::vector<ColumnRow> columns;
  std::vector<TypeRow> types;
  std::vector<RowsetColumnRow> rowsetColumns;
  std::vector<ObjectRefRow> objectRefs;
  std::vector<IndexRow> indexes;
  std::vector<IndexColumnRow> indexColumns;
  std::vector<HobtColumnRow> hobtColumns;
  std::vector<RowsetColumnMapRow> rowsetColumnMaps;
  std::vector<ForeignKeyColumn> foreignKeyColumns;
  std::vector<LegacyColumnRow> legacyColumns;
  std::vector<LegacyTable> legacyTables;
  std::map<std::int32_t, LegacyIndexEntry> legacyIndexes;       // index id 1 (clustered)
  // The sysindexes row of each table's heap (index id 0) or clustered index
  // (index id 1) -- a table has exactly one of the two -- with its rowcnt.
  std::map<std::int32_t, LegacyIndexEntry> legacyBaseIndexes;

  // Working set of the object assembled last.
  ObjectRow currentObject;            // id -1 when none
  RowsetRow currentRowset;
  AllocationUnitRow currentAllocationUnit;
  std::vector<ColumnRow> tableColumns;
  std::vector<LegacyColumnRow> tableLegacyColumns;
  std::vector<HobtColumnRow> tableHobtColumns;
  std::vector<RowsetColumnMapRow> tableRowsetColumnMaps;
  std::vector<ChildObject> tableChildren;
  std::vector<IndexRow> tableIndexes;
  std::vector<RowsetRow> tableRowsets;
  std::vector<AllocationUnitRow> tableAllocationUnits;
  std::vector<RowsetColumnRow> tableRowsetColumns;
  std::vector<PageId> tablePages;
  std::vector<ColumnDescriptor> tableDescriptors;
  bool isTable = false;
  std::int32_t firstStoredColumn = 0;
  bool pagesByFallback = false;
  std::set<PageId> seenPages;
};

// Reads the boot page, the file list (attaching the secondary files) and
// every system table the catalog uses. Never fails on damaged input: a
// system table without readable pages leaves its collection empty.
std::unique_ptr<Catalog> BuildCatalog(DatabaseContext& context);

// Empties the collections a new scan must not see (see the .cc for which).
void ClearCatalog(Catalog& catalog);

// Rewrites the working set for the object `name` (schema-qualified, exact)
// of two-letter `type`; returns a copy of tableDescriptors (empty when the
// object is not found or is not a table; see isTable).
std::vector<ColumnDescriptor> AssembleTable(Catalog& catalog, const std::string& name,
                                            const std::string& type,
                                            const std::vector<ObjectValueEntry>& objectValueList);

// Finds the current table's rowsets, allocation units and data pages.
void LocateTablePages(Catalog& catalog);

// Decodes a stored value text "0x..." into the text it holds (UTF-16LE when
// any byte after the first is zero, else 8-bit text).
std::string DecodeStoredValue(const std::string& storedValue);


}  // namespace corvane

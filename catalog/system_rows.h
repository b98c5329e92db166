#pragma once
// Catalog records: one struct per system base table row that the catalog
// reads. Offsets are from the first byte of the row's fixed part (the byte
// after the 4-byte record header); variable columns are numbered from 1.
// The readers that fill them state each table's layout beside their code
// (catalog/row_readers.cc). Fields a row is too short to supply keep the
// defaults given here: -1 for numbers, 255 for one-byte fields, empty text.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/page_id.h"

namespace corvane {

// sysschobjs (34), or sysobjects (1) in the SQL Server 2000 layout.
struct ObjectRow {
  std::int32_t id = -1;
  std::string name;          // with "schema." prefix when the schema is known
  std::int32_t schemaId = -1;
  std::uint8_t nsClass = 255;
  std::int32_t status = -1;
  std::string type;          // two characters, e.g. "U ", "PK", "V "
  std::int32_t parentId = -1;
  std::uint8_t parentClass = 255;
  std::int32_t intProp = -1;
};

// syscolpars (41 and 2187).
struct ColumnRow {
  std::int32_t objectId = -1;
  std::int16_t number = -1;
  std::int32_t columnId = -1;
  std::string name;
  std::uint8_t typeId = 255;
  std::int32_t userTypeId = -1;
  std::int16_t maxLength = -1;
  std::uint8_t precision = 255;
  std::uint8_t scale = 255;
  std::int32_t collationId = -1;
  std::int32_t status = -1;
  std::int16_t maxInRow = -1;
  std::int32_t xmlNamespace = -1;
  std::int32_t defaultId = -1;
  std::int32_t checkId = -1;
  std::string identity;      // "identity(seed,increment)" or empty
};

// syscolumns (3) in the SQL Server 2000 layout.
struct LegacyColumnRow {
  std::string name;
  std::int32_t objectId = -1;
  std::uint8_t typeId = 255;
  std::uint8_t typeStatus = 255;
  std::int16_t userTypeId = -1;
  std::int16_t maxLength = -1;
  std::uint8_t precision = 255;
  std::uint8_t scale = 255;
  std::int16_t columnId = -1;
  std::int16_t leafOffset = -1;
  std::uint8_t bitPosition = 255;
  std::uint8_t reserved = 255;
  std::int16_t columnStatus = -1;
  std::int16_t defaultId = -1;
  std::int32_t domain = -1;
  std::int16_t number = -1;
  std::int16_t columnOrder = -1;
  std::int16_t storedOffset = -1;
  std::int32_t collationId = -1;
  std::uint8_t status = 255;
};

// sysrscols (3): physical columns of a rowset.
struct RowsetColumnRow {
  std::int64_t rowsetId = 0;
  std::int32_t rowsetColumnId = -1;
  std::int32_t hobtColumnId = -1;
  std::int64_t modifiedCount = 0;
  std::int32_t typeInfo = -1;
  std::int32_t columnId = -1;
  std::int16_t orderKey = -1;
  std::int16_t maxInRowLength = -1;
  std::int32_t status = -1;
  std::int32_t leafOffset = -1;
  std::int32_t nullBit = -1;
  std::int16_t bitPosition = -1;
};

// sysclsobjs (64): schemas among other classes.
struct SchemaRow {
  std::int32_t id = -1;
  std::int32_t status = -1;
  std::string name;
};

// sysscalartypes (50).
struct TypeRow {
  std::int32_t id = -1;
  std::int32_t schemaId = -1;
  std::string name;
  std::uint8_t typeId = 255;
  std::int16_t maxLength = -1;
  std::uint8_t precision = 255;
  std::uint8_t scale = 255;
  std::int32_t collationId = -1;
  std::int32_t status = -1;
};

// syssingleobjrefs (74): class 28/29 rows pair up into foreign-key columns.
struct ObjectRefRow {
  std::uint8_t refClass = 255;
  std::int32_t dependentId = -1;
  std::int32_t dependentSubId = -1;
  std::int32_t independentId = -1;
  std::int32_t independentSubId = -1;
  std::int32_t status = -1;
};

// sysidxstats (54).
struct IndexRow {
  std::int32_t objectId = -1;
  std::int32_t indexId = -1;
  std::int32_t status = -1;
  std::int32_t intProp = -1;
  std::uint8_t fillFactor = 255;
  std::uint8_t indexType = 255;
  std::uint8_t tinyProp = 255;
  std::int32_t dataSpaceId = -1;
  std::int32_t lobDataSpaceId = -1;
  std::int64_t rowsetId = -1;
  std::string name;
};

// sysiscols (55).
struct IndexColumnRow {
  std::int32_t indexObjectId = -1;
  std::int32_t indexId = -1;
  std::int32_t subId = -1;
  std::int32_t status = -1;
  std::int32_t intProp = -1;
  std::uint8_t tinyProp1 = 255;
  std::uint8_t tinyProp2 = 255;
};

// sysallocunits (7; 99 in the SQL Server 2000 layout).
struct AllocationUnitRow {
  std::int64_t allocationUnitId = 0;
  std::uint8_t unitType = 255;      // 1 in-row data, 2 large objects, 3 row overflow
  std::int64_t ownerId = 0;         // the rowset that owns the unit
  std::int32_t status = -1;
  std::int16_t fileGroupId = -1;
  PageId firstPage{0, 0};
  PageId rootPage{0, 0};
  PageId firstIamPage{0, 0};
};

// sysrowsets (5).
struct RowsetRow {
  std::int64_t rowsetId = 0;
  std::uint8_t ownerType = 255;
  std::int32_t objectId = -1;
  std::int32_t indexId = -1;
  std::int32_t partitionNumber = -1;
  std::int32_t status = -1;
  std::int16_t fileGroupId = -1;
  std::int64_t rowCount = -1;
};

// Object id 13: physical columns of a heap or B-tree (SQL Server 2005, which
// has no sysrscols).
struct HobtColumnRow {
  std::int64_t hobtId = 0;
  std::int32_t hobtColumnId = 0;
  std::int16_t leafOffset = 0;
  std::int16_t nullBit = 0;
  std::int32_t mappedColumnId = -1;
};

// Object id 4: rowset column map (SQL Server 2005).
struct RowsetColumnMapRow {
  std::int64_t rowsetId = 0;
  std::int32_t columnKey = 0;
  std::int32_t mappedColumnId = 0;
};

// sysindexes (2) in the SQL Server 2000 layout: the clustered index (id 1).
struct LegacyIndexEntry {
  std::int32_t objectId = -1;
  std::uint16_t fileId = 1;        // file of the page that holds the row
  std::int16_t indexId = -1;
  std::int32_t firstPage = 0;
  std::int32_t firstIamPage = 0;
  std::int64_t rowCount = -1;      // rowcnt
};

struct LegacyTableColumn {
  std::string name;
  std::int16_t columnOrder = -1;
  std::uint8_t typeStatus = 255;
};

struct LegacyTable {
  std::int32_t id = -1;
  std::string name;
  std::vector<LegacyTableColumn> columns;
};

struct ForeignKeyColumn {
  std::int32_t constraintId = 0;
  std::int32_t constraintColumnId = 0;
  std::int32_t parentTableId = 0;
  std::int32_t parentColumnId = 0;
  std::int32_t referencedTableId = 0;
  std::int32_t referencedColumnId = 0;
  std::string constraintName;
  std::string parentTableName;
  std::string parentColumnName;
  std::string referencedTableName;
  std::string referencedColumnName;
  std::int32_t constraintStatus = 0;
};

// An object whose parent is the assembled table (keys, constraints, ...).
struct ChildObject {
  bool isPrimaryKey = false;
  bool isForeignKey = false;
  bool isUnique = false;
  std::string name;
  std::int32_t id = -1;
  std::string type;
};

// One stored default or definition value of sysobjvalues/syscomments, as
// text: object id, sub-object id (column id), and the value as the renderer
// shows varbinary ("0x...").
struct ObjectValueEntry {
  std::string objectIdText;
  std::string subObjectIdText;
  std::string storedValue;
};

}  // namespace corvane

#pragma once
// Everything the builder derives from a declaration before writing: object
// ids, rowset and allocation unit ids, record layouts, constraint objects.
//
// Ids are deterministic:
//   user object ids     245575913 + k * 16000057 (mod 2^31), k = 0, 1, ... in
//                       declaration order (table, then its PK, UQ, F, C, D
//                       objects; then modules), as SQL Server spaces them
//   rowset / unit ids   0x0100000000000000 + (n << 16), n = 16, 17, ...,
//                       skipping the n that equal the object id of a system
//                       table the catalog readers read (3 4 5 7 8 13 34 41 50
//                       54 55 60 64 74); so the page-header object id of a
//                       user allocation unit is n and its index id 256
//   system tables       rowset id = unit id = (index << 48) | (object id << 16)
//   a table with text, ntext or image columns has a second, large-object
//   unit (the next n; SQL Server 2000: object id, index id 255)

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mdfgen/declaration.h"
#include "tools/mdfgen/record_layout.h"
#include "tools/mdfgen/system_tables.h"
#include "tools/mdfgen/unit_writer.h"

namespace corvane::mdfgen {

struct IndexPlan {
  std::int32_t indexId = 0;
  std::string name;            // empty for a heap
  std::int32_t status = 0;     // sysidxstats.status: 0x01 | 0x08 unique | 0x20 PK | 0x40 UQ
  std::uint8_t type = 0;       // 0 heap, 1 clustered, 2 nonclustered
  std::vector<int> columnIds;  // catalog column ids of the key
  std::int64_t rowsetId = 0;
  std::int64_t unitId = 0;
  std::int32_t constraintId = 0;
};

struct ConstraintPlan {
  std::int32_t id = 0;
  std::string name;
  std::string type;  // "PK", "UQ", "F ", "C ", "D "
  std::int32_t status = 0;
  std::int32_t intprop = 0;
  std::string definition;  // C and D
  int foreignKey = -1;     // index into the table's foreignKeys
};

struct TablePlan {
  std::int32_t objectId = 0;
  std::int32_t schemaId = kSchemaDbo;
  bool system = false;
  Table table;                 // the declaration (system tables: synthesized)
  std::vector<int> columnIds;  // catalog id of each declared column
  RecordLayout layout;
  std::vector<int> keyColumns;     // clustered key: indexes into table.columns
  std::vector<IndexPlan> indexes;  // [0] is the main rowset (heap or clustered)
  std::vector<ConstraintPlan> constraints;
  std::vector<std::int32_t> defaultIds;  // per declared column, 0 when none
  std::int64_t lobUnitId = 0;            // large-object unit of text, ntext, image values (0: none)
  // Filled while writing.
  UnitPages pages;
  UnitPages lobPages;
  std::int64_t rowCount = 0;
  std::vector<std::int64_t> identityLast;  // per declared column
  std::int64_t maxRecord = 0;

  const IndexPlan& main() const { return indexes.front(); }
};

struct ModulePlan {
  std::int32_t id = 0;
  std::int32_t schemaId = kSchemaDbo;
  std::int32_t parentId = 0;
  const Module* module = nullptr;
};

struct SchemaPlan {
  std::int32_t id;
  std::string name;
};

struct DatabasePlan {
  const Database* db = nullptr;
  std::vector<SchemaPlan> schemas;
  std::vector<TablePlan> systemTables;
  std::vector<TablePlan> tables;
  std::vector<ModulePlan> modules;
};

// Fails (false, `error`) on a declaration it cannot lay out: unknown key or
// referenced column, a module trigger without its table, and the like.
bool PlanDatabase(const Database& db, DatabasePlan& plan, std::string& error);

// The stored type of a declared column.
ColumnType StoredType(const Column& column, std::int32_t databaseCollation);

}  // namespace corvane::mdfgen

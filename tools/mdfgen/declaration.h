#pragma once
// The declaration of a test database: what the builder writes.
//
// A Database holds tables (columns, keys, constraints, rows) and modules
// (views, procedures, functions, triggers with their definition texts). The
// builder (file_builder.h) turns it into a primary data file laid out as
// SQL Server lays one out; everything not declared here (object ids, rowset
// and allocation unit ids, page numbers) is derived deterministically, so the
// same declaration always gives the same bytes.
//
//   Database db;
//   db.name = "Shop";
//   db.version = 661;                      // boot page format version
//   Table& t = db.AddTable("Customers");
//   t.columns = {Int("Id").NotNull().Identity(1, 1), NVarChar("Name", 40)};
//   t.primaryKey = {"Id"};                 // clustered primary key; empty: heap
//   t.rows = {{1, "Ann"}, {2, "Борис"}, Ghost({3, "gone"})};
//
// Names are UTF-8; nchar/nvarchar values are stored as UTF-16, char/varchar
// values in code page 1252 (characters outside it become '?'). (max) types
// keep their values in the row, so at most a row's worth; text, ntext and
// image values go to large-object pages (lob_writer.h), up to 40200 bytes
// each; xml columns are refused. Unique keys and nonclustered primary keys are
// described in the catalog (index, rowset, allocation unit) without index
// pages.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/mdfgen/sql_type.h"
#include "tools/mdfgen/value.h"

namespace corvane::mdfgen {

// SQL_Latin1_General_CP1_CI_AS.
inline constexpr std::int32_t kDefaultCollation = 0x3400D008;

struct Identity {
  std::int64_t seed = 1;
  std::int64_t increment = 1;
};

struct Column {
  std::string name;
  SqlType type = SqlType::kInt;
  int length = 0;     // characters (char/nchar/varchar/nvarchar), bytes (binary/varbinary); kMax
  int precision = 0;  // decimal/numeric
  int scale = 0;      // decimal/numeric; fractional digits of time/datetime2/datetimeoffset
  bool nullable = true;
  bool sparse = false;
  std::optional<mdfgen::Identity> identity;
  std::optional<std::string> defaultDefinition;  // e.g. "((0))": a default constraint object
  std::string defaultName;                       // default: DF__<table>__<column>
  std::int32_t collationId = 0;                  // 0: the database collation
  std::int32_t userTypeId = 0;                   // 0: the system type id; kSysnameUserType

  Column& NotNull() {
    nullable = false;
    return *this;
  }
  Column& Null() {
    nullable = true;
    return *this;
  }
  Column& Sparse() {
    sparse = true;
    return *this;
  }
  Column& Identity(std::int64_t seed, std::int64_t increment) {
    identity = mdfgen::Identity{seed, increment};
    nullable = false;
    return *this;
  }
  Column& Default(std::string definition, std::string name = "") {
    defaultDefinition = std::move(definition);
    defaultName = std::move(name);
    return *this;
  }
  Column& Collation(std::int32_t id) {
    collationId = id;
    return *this;
  }
};

// Column factories, one per type.
Column BigInt(std::string name);
Column Int(std::string name);
Column SmallInt(std::string name);
Column TinyInt(std::string name);
Column Bit(std::string name);
Column Decimal(std::string name, int precision, int scale);
Column Numeric(std::string name, int precision, int scale);
Column Money(std::string name);
Column SmallMoney(std::string name);
Column Float(std::string name);
Column Real(std::string name);
Column DateTime(std::string name);
Column SmallDateTime(std::string name);
Column Date(std::string name);
Column Time(std::string name, int scale = 7);
Column DateTime2(std::string name, int scale = 7);
Column DateTimeOffset(std::string name, int scale = 7);
Column UniqueIdentifier(std::string name);
Column Char(std::string name, int length);
Column VarChar(std::string name, int length);  // kMax for varchar(max)
Column NChar(std::string name, int length);
Column NVarChar(std::string name, int length);
Column Binary(std::string name, int length);
Column VarBinary(std::string name, int length);
Column Timestamp(std::string name);
Column SqlVariant(std::string name);
Column Text(std::string name);
Column NText(std::string name);
Column Image(std::string name);

// What becomes of a declared row.
enum class RowState : std::uint8_t {
  kLive,       // an ordinary record with a slot
  kGhost,      // a ghost data record (status 0x3C), still in the slot array
  kDeleted,    // record bytes left in the record area; no slot references them
  kForwarded,  // heap only: moved to a later page, a forwarding stub in its place
};

struct Row {
  std::vector<Value> values;
  RowState state = RowState::kLive;
  Row() = default;
  Row(std::initializer_list<Value> v) : values(v) {}
  explicit Row(std::vector<Value> v, RowState s = RowState::kLive)
      : values(std::move(v)), state(s) {}
};

Row Ghost(Row row);
Row Deleted(Row row);
Row Forwarded(Row row);

struct UniqueKey {
  std::string name;
  std::vector<std::string> columns;
};

struct ForeignKey {
  std::string name;
  std::vector<std::string> columns;
  std::string referencedTable;  // table name (schema dbo unless "schema.table")
  std::vector<std::string> referencedColumns;
};

struct CheckConstraint {
  std::string name;
  std::string definition;  // e.g. "([Price]>=(0))"
};

// Rows produced on demand (benchmarks): fills `row` for index i; the vector
// is reused between calls.
using RowGenerator = std::function<void(std::uint64_t i, std::vector<Value>& row)>;

struct Table {
  std::string schema = "dbo";
  std::string name;
  std::vector<Column> columns;
  std::vector<std::string> primaryKey;  // empty: no primary key
  bool clusteredPrimaryKey = true;      // false: a heap with a nonclustered key
  std::string primaryKeyName;           // default: PK__<table>__<hex>
  std::vector<UniqueKey> uniqueKeys;
  std::vector<ForeignKey> foreignKeys;
  std::vector<CheckConstraint> checks;
  std::vector<Row> rows;
  // Rows after `rows`: generator(i) for i < generatedRows.
  RowGenerator generator;
  std::uint64_t generatedRows = 0;
  // The file that holds the table's pages: 1 the primary file, 3, 4, ... the
  // declared secondary files in order (2 is the log).
  std::uint16_t fileId = 1;
  // A column removed after the rows were written: its bytes stay in every
  // record, the catalog no longer lists it (1-based position in `columns`).
  int droppedColumn = 0;

  bool isHeap() const { return primaryKey.empty() || !clusteredPrimaryKey; }
};

enum class ModuleKind : std::uint8_t {
  kView,
  kProcedure,
  kScalarFunction,  // FN
  kInlineFunction,  // IF
  kTableFunction,   // TF
  kTrigger,         // TR, parent table required
};

struct Module {
  std::string schema = "dbo";
  std::string name;
  ModuleKind kind = ModuleKind::kView;
  std::string definition;   // stored as written; non-ASCII text as UTF-16
  std::string parentTable;  // triggers
};

struct SecondaryFileDecl {
  std::string logicalName;
  std::string physicalName;  // as recorded in sysfiles1
};

struct Database {
  std::string name = "Corvane";
  int version = 661;  // boot page format version: 539, 611, 655, 661, 706, 782, 852
  std::int32_t collationId = kDefaultCollation;
  std::vector<Table> tables;
  std::vector<Module> modules;
  // Secondary data files (file ids 3, 4, ...), listed in sysfiles1 and
  // written beside the primary file as <stem of physicalName>.ndf, where
  // readers look for them. The log file is always listed as file id 2.
  std::vector<SecondaryFileDecl> secondaryFiles;

  Table& AddTable(std::string tableName) {
    tables.emplace_back();
    tables.back().name = std::move(tableName);
    return tables.back();
  }
};

}  // namespace corvane::mdfgen

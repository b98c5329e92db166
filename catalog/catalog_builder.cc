// BuildCatalog: the boot page, the file list, then every system table the
// catalog uses, in a fixed order, and the foreign-key column pairs.

#include <utility>

#include "catalog/catalog.h"
#include "catalog/row_readers.h"

namespace corvane {
namespace {

// Object id 3 holds sysrscols from SQL Server 2008 (format 655) on. SQL Server
// 2005 and its pre-release builds (590, 598, 607) describe the physical
// columns in syshobtcolumns (13) and sysrowsetcolumns (4) instead and keep
// under id 3 a page of their own system tables' columns in the SQL Server 2000
// syscolumns layout, which are no rowset columns; 2008 files upgraded from
// 2005 still carry stale pages under id 4. An unknown version (no boot page)
// reads both.
constexpr int kFirstRsColsVersion = 655;

bool HasRsCols(int bootVersion) { return bootVersion == 0 || bootVersion >= kFirstRsColsVersion; }
bool HasHobtColumns(int bootVersion) { return bootVersion < kFirstRsColsVersion; }

// The object rows, and with them the layout: no row under sysschobjs means a
// SQL Server 2000 database, whose objects are read from sysobjects.
void ReadObjects(DatabaseContext& context, Catalog& catalog) {
  ReaderState& state = catalog.readerState;
  state.repairCounter = 0;
  ReadObjectRows(context, /*legacy=*/false, catalog.schemas, state, catalog.objects);
  if (catalog.objects.empty()) {
    context.app().legacyLayout = true;
    ReadObjectRows(context, /*legacy=*/true, catalog.schemas, state, catalog.objects);
  } else {
    context.app().legacyLayout = false;
  }
  state.repairCounter = 0;
}

const ObjectRow* FirstObject(const Catalog& catalog, std::int32_t id) {
  for (const ObjectRow& o : catalog.objects)
    if (o.id == id) return &o;
  return nullptr;
}

// User tables of a SQL Server 2000 database with the columns that their
// primary-key scripts need. Heaps count as well as clustered tables.
void BuildLegacyTables(Catalog& catalog) {
  for (const auto& [id, entry] : catalog.legacyBaseIndexes) {
    if (id <= 100) continue;
    LegacyTable t;
    t.id = id;
    if (const ObjectRow* o = FirstObject(catalog, id)) t.name = o->name;
    catalog.legacyTables.push_back(std::move(t));
  }
  for (const LegacyColumnRow& c : catalog.legacyColumns)
    for (LegacyTable& t : catalog.legacyTables)
      if (t.id == c.objectId) t.columns.push_back({c.name, c.columnOrder, c.typeStatus});
}

void ReadLegacyTables(DatabaseContext& context, Catalog& catalog) {
  ReadLegacyIndexRows(context, catalog.legacyIndexes, catalog.legacyBaseIndexes);
  catalog.readerState.repairCounter = 0;
  ReadLegacyColumnRows(context, catalog.readerState, catalog.legacyColumns);
  BuildLegacyTables(catalog);
}

// syssingleobjrefs keeps a foreign key's column pairs as two rows per column:
// class 28 names the parent table and column, class 29 the referenced ones,
// both under the constraint's id and column position.
constexpr std::uint8_t kForeignKeyParent = 28;
constexpr std::uint8_t kForeignKeyReferenced = 29;

void DeriveForeignKeyColumns(Catalog& catalog) {
  for (const ObjectRefRow& x : catalog.objectRefs) {
    if (x.refClass != kForeignKeyParent) continue;
    for (const ObjectRefRow& y : catalog.objectRefs) {
      if (y.refClass != kForeignKeyReferenced || y.dependentId != x.dependentId ||
          y.dependentSubId != x.dependentSubId)
        continue;
      ForeignKeyColumn f;
      f.constraintId = x.dependentId;
      f.constraintColumnId = x.dependentSubId;
      f.parentTableId = x.independentId;
      f.parentColumnId = x.independentSubId;
      f.referencedTableId = y.independentId;
      f.referencedColumnId = y.independentSubId;
      catalog.foreignKeyColumns.push_back(std::move(f));
    }
  }
  for (ForeignKeyColumn& f : catalog.foreignKeyColumns) {
    for (const ObjectRow& o : catalog.objects) {
      if (o.id == f.parentTableId) f.parentTableName = o.name;
      if (o.id == f.referencedTableId) f.referencedTableName = o.name;
      if (o.id == f.constraintId) {
        f.constraintName = o.name;
        f.constraintStatus = o.status;
      }
    }
    for (const ColumnRow& c : catalog.columns) {
      if (c.objectId == f.parentTableId && c.columnId == f.parentColumnId)
        f.parentColumnName = c.name;
      if (c.objectId == f.referencedTableId && c.columnId == f.referencedColumnId)
        f.referencedColumnName = c.name;
    }
  }
}

}  // namespace

Catalog::Catalog(DatabaseContext* ctx) : context(ctx) { readerState.context = ctx; }

std::unique_ptr<Catalog> BuildCatalog(DatabaseContext& context) {
  auto catalog = std::make_unique<Catalog>(&context);
  Catalog& c = *catalog;
  context.setCatalog(catalog.get());

  context.ReadBootPage();
  ReadFileRows(context, c.files);
  context.AttachSecondaryFiles(c.files);
  ReadSchemaRows(context, c.schemas);
  ReadObjects(context, c);
  const bool legacy = context.app().legacyLayout.load();
  ReadAllocationUnitRows(context, legacy ? kLegacyAllocUnits : kSysAllocUnits, c.allocationUnits);
  ReadRowsetRows(context, c.rowsets);
  if (legacy) {
    ReadLegacyTables(context, c);
  } else {
    c.readerState.repairCounter = 0;
    ReadColumnRows(context, kSysColPars, c.readerState, c.columns);
    ReadColumnRows(context, kSysColParsExtraObjectId, c.readerState, c.columns);
  }
  ReadTypeRows(context, c.types);
  if (!legacy) {
    const int version = context.bootVersion();
    if (HasRsCols(version)) ReadRowsetColumnRows(context, c.rowsetColumns);
    ReadObjectRefRows(context, c.objectRefs);
    ReadIndexRows(context, c.indexes);
    ReadIndexColumnRows(context, c.indexColumns);
    if (HasHobtColumns(version)) {
      ReadHobtColumnRows(context, c.hobtColumns);
      ReadRowsetColumnMapRows(context, c.rowsetColumnMaps);
    }
    DeriveForeignKeyColumns(c);
  }
  return catalog;
}

}  // namespace corvane

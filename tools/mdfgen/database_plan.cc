#include "tools/mdfgen/database_plan.h"

#include <cstdio>
#include <map>

namespace corvane::mdfgen {
namespace {

constexpr std::int64_t kUserUnitBase = 0x0100000000000000LL;
constexpr std::int32_t kFirstObjectId = 245575913;
constexpr std::int64_t kObjectIdStep = 16000057;

bool IsCatalogObjectId(std::int64_t n) {
  for (int id : {3, 4, 5, 7, 8, 13, 34, 41, 50, 54, 55, 60, 64, 74}) {
    if (n == id) return true;
  }
  return false;
}

class IdSource {
 public:
  std::int32_t Object() {
    const std::int64_t id = (kFirstObjectId + kObjectIdStep * objects_++) % 2147483648LL;
    return static_cast<std::int32_t>(id < 1000 ? id + 1000 : id);
  }
  std::int64_t Unit() {
    while (IsCatalogObjectId(units_)) ++units_;
    return kUserUnitBase + (units_++ << 16);
  }

 private:
  std::int64_t objects_ = 0;
  std::int64_t units_ = 16;
};

// Hexadecimal tail of the names SQL Server gives unnamed constraints.
std::string NameHash(const std::string& text, int digits) {
  std::uint64_t h = 1469598103934665603ULL;
  for (unsigned char c : text) h = (h ^ c) * 1099511628211ULL;
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%016llX", static_cast<unsigned long long>(h));
  return std::string(buffer + 16 - digits);
}

std::string Prefix(const std::string& s, std::size_t n) {
  return s.substr(0, std::min(n, s.size()));
}

int FindColumn(const Table& t, const std::string& name) {
  for (std::size_t i = 0; i < t.columns.size(); ++i) {
    if (t.columns[i].name == name && static_cast<int>(i) + 1 != t.droppedColumn)
      return static_cast<int>(i);
  }
  return -1;
}

bool ColumnIds(const Table& t, const std::vector<std::string>& names, std::vector<int>& ids,
               std::string& error) {
  ids.clear();
  for (const auto& n : names) {
    const int i = FindColumn(t, n);
    if (i < 0) {
      error = "table " + t.name + " has no column " + n;
      return false;
    }
    ids.push_back(i + 1);
  }
  return true;
}

std::vector<StoredColumn> StoredColumns(const Table& t, std::int32_t collation) {
  std::vector<StoredColumn> stored;
  for (std::size_t i = 0; i < t.columns.size(); ++i) {
    StoredColumn s;
    s.type = StoredType(t.columns[i], collation);
    s.columnId = static_cast<int>(i) + 1;
    s.sparse = t.columns[i].sparse;
    s.nullable = t.columns[i].nullable;
    stored.push_back(s);
  }
  return stored;
}

TablePlan SystemPlan(const SystemTable& s, std::int32_t collation) {
  TablePlan p;
  p.objectId = s.objectId;
  p.schemaId = kSchemaSys;
  p.system = true;
  p.table = s.table;
  for (std::size_t i = 0; i < p.table.columns.size(); ++i)
    p.columnIds.push_back(static_cast<int>(i) + 1);
  p.layout = RecordLayout::Build(StoredColumns(p.table, collation));
  IndexPlan main;
  main.rowsetId = main.unitId = SystemUnitId(s);
  if (!p.table.primaryKey.empty()) {
    main.indexId = 1;
    main.type = 1;
    main.name = "clst";
    main.status = 0x0B;
    std::string ignored;
    ColumnIds(p.table, p.table.primaryKey, main.columnIds, ignored);
    for (int id : main.columnIds) p.keyColumns.push_back(id - 1);
  }
  p.indexes.push_back(main);
  p.defaultIds.assign(p.table.columns.size(), 0);
  return p;
}

bool PlanUserTable(const Database& db, const Table& decl, IdSource& ids, std::int32_t schemaId,
                   TablePlan& p, std::string& error) {
  p.objectId = ids.Object();
  p.schemaId = schemaId;
  p.table = decl;
  Table& t = p.table;
  for (std::size_t i = 0; i < t.columns.size(); ++i) p.columnIds.push_back(static_cast<int>(i) + 1);
  std::vector<int> pk;
  if (!ColumnIds(t, t.primaryKey, pk, error)) return false;
  for (int id : pk) t.columns[static_cast<std::size_t>(id - 1)].NotNull();
  p.layout = RecordLayout::Build(StoredColumns(t, db.collationId));

  const std::string shortName = Prefix(t.name, 8);
  auto addConstraint = [&](std::string name, std::string type, std::int32_t status,
                           std::int32_t intprop, bool generated) {
    ConstraintPlan c;
    c.id = ids.Object();
    c.name = std::move(name);
    c.type = std::move(type);
    c.status = status | (generated ? 4 : 0);
    c.intprop = intprop;
    p.constraints.push_back(c);
    return &p.constraints.back();
  };

  IndexPlan main;
  main.rowsetId = ids.Unit();
  main.unitId = ids.Unit();
  std::vector<IndexPlan> extra;
  if (!pk.empty()) {
    const bool generated = t.primaryKeyName.empty();
    std::string name =
        generated ? "PK__" + shortName + "__" + NameHash(t.name, 16) : t.primaryKeyName;
    const std::int32_t pkId = addConstraint(name, "PK", 0, 0, generated)->id;
    IndexPlan index{t.clusteredPrimaryKey ? 1 : 2,
                    name,
                    0x2B,
                    static_cast<std::uint8_t>(t.clusteredPrimaryKey ? 1 : 2),
                    pk,
                    0,
                    0,
                    pkId};
    if (t.clusteredPrimaryKey) {
      index.rowsetId = main.rowsetId;
      index.unitId = main.unitId;
      main = index;
      for (int id : pk) p.keyColumns.push_back(id - 1);
    } else {
      index.rowsetId = ids.Unit();
      index.unitId = ids.Unit();
      extra.push_back(index);
    }
  }
  for (const auto& uq : t.uniqueKeys) {
    std::vector<int> cols;
    if (!ColumnIds(t, uq.columns, cols, error)) return false;
    const bool generated = uq.name.empty();
    std::string name =
        generated ? "UQ__" + shortName + "__" + NameHash(t.name + uq.columns.front(), 16) : uq.name;
    const std::int32_t id = addConstraint(name, "UQ", 0, 0, generated)->id;
    IndexPlan index{
        static_cast<std::int32_t>(2 + extra.size()), name, 0x4B, 2, cols, ids.Unit(), 0, id};
    index.unitId = ids.Unit();
    extra.push_back(index);
  }
  p.indexes.push_back(main);
  p.indexes.insert(p.indexes.end(), extra.begin(), extra.end());
  if (db.version < 611) {
    // SQL Server 2000 pages name the table and index themselves.
    for (auto& index : p.indexes) {
      index.rowsetId = index.unitId =
          LegacyUnitId(p.objectId, static_cast<std::uint16_t>(index.indexId));
    }
  }

  for (std::size_t k = 0; k < t.foreignKeys.size(); ++k) {
    const ForeignKey& fk = t.foreignKeys[k];
    std::vector<int> cols;
    if (!ColumnIds(t, fk.columns, cols, error)) return false;
    const bool generated = fk.name.empty();
    std::string name =
        generated ? "FK__" + shortName + "__" + NameHash(t.name + fk.referencedTable, 8) : fk.name;
    addConstraint(name, "F ", 0, 1, generated)->foreignKey = static_cast<int>(k);
  }
  for (const auto& ck : t.checks) {
    auto* c = addConstraint(
        ck.name.empty() ? "CK__" + shortName + "__" + NameHash(ck.definition, 8) : ck.name, "C ",
        0x120400, 0, false);
    c->definition = ck.definition;
  }
  p.defaultIds.assign(t.columns.size(), 0);
  for (std::size_t i = 0; i < t.columns.size(); ++i) {
    const Column& col = t.columns[i];
    if (!col.defaultDefinition) continue;
    const bool generated = col.defaultName.empty();
    std::string name = generated ? "DF__" + shortName + "__" + Prefix(col.name, 5) + "__" +
                                       NameHash(t.name + col.name, 8)
                                 : col.defaultName;
    auto* c = addConstraint(name, "D ", 0x20000, static_cast<std::int32_t>(i) + 1, generated);
    c->definition = *col.defaultDefinition;
    p.defaultIds[i] = c->id;
  }
  p.identityLast.assign(t.columns.size(), 0);
  for (const auto& c : t.columns) {
    if (!IsLargeObjectType(c.type)) continue;
    // SQL Server 2000 keeps text and image pages under index id 255.
    p.lobUnitId = db.version < 611 ? LegacyUnitId(p.objectId, 255) : ids.Unit();
    break;
  }
  return true;
}

}  // namespace

ColumnType StoredType(const Column& column, std::int32_t databaseCollation) {
  ColumnType t;
  t.type = column.type;
  t.length = column.length;
  t.precision = column.precision;
  t.scale = column.scale;
  t.collationId = IsCharacterType(column.type) || column.type == SqlType::kSqlVariant
                      ? (column.collationId != 0 ? column.collationId : databaseCollation)
                      : 0;
  return t;
}

bool PlanDatabase(const Database& db, DatabasePlan& plan, std::string& error) {
  plan = {};
  plan.db = &db;
  plan.schemas = {{1, "dbo"}, {2, "guest"}, {3, "INFORMATION_SCHEMA"}, {4, "sys"}};
  auto schemaId = [&plan](const std::string& name) {
    for (const auto& s : plan.schemas) {
      if (s.name == name) return s.id;
    }
    plan.schemas.push_back({static_cast<std::int32_t>(plan.schemas.size()) + 1, name});
    return plan.schemas.back().id;
  };
  for (const auto& s : SystemTables(db.version))
    plan.systemTables.push_back(SystemPlan(s, db.collationId));

  IdSource ids;
  std::map<std::string, std::int32_t> tableIds;
  for (const auto& t : db.tables) {
    if (t.name.empty() || t.columns.empty()) {
      error = "a table needs a name and columns";
      return false;
    }
    for (const auto& c : t.columns) {
      if (c.type == SqlType::kXml) {
        // Its values are binary xml in large-object pages, which the builder does not encode.
        error = "column " + t.name + "." + c.name + ": xml columns are not supported";
        return false;
      }
    }
    if (t.fileId != 1 && (t.fileId < 3 || t.fileId > 2 + db.secondaryFiles.size())) {
      error =
          "table " + t.name + " names file " + std::to_string(t.fileId) + ", which is not declared";
      return false;
    }
    TablePlan p;
    if (!PlanUserTable(db, t, ids, schemaId(t.schema), p, error)) return false;
    tableIds[t.schema + "." + t.name] = p.objectId;
    tableIds[t.name] = p.objectId;
    plan.tables.push_back(std::move(p));
  }
  for (const auto& t : plan.tables) {
    for (const auto& fk : t.table.foreignKeys) {
      if (!tableIds.contains(fk.referencedTable)) {
        error =
            "foreign key of " + t.table.name + " references unknown table " + fk.referencedTable;
        return false;
      }
    }
  }
  for (const auto& m : db.modules) {
    ModulePlan mp;
    mp.id = ids.Object();
    mp.schemaId = schemaId(m.schema);
    mp.module = &m;
    if (m.kind == ModuleKind::kTrigger) {
      auto it = tableIds.find(m.parentTable);
      if (it == tableIds.end()) {
        error = "trigger " + m.name + " names unknown table " + m.parentTable;
        return false;
      }
      mp.parentId = it->second;
    }
    plan.modules.push_back(mp);
  }
  return true;
}

}  // namespace corvane::mdfgen

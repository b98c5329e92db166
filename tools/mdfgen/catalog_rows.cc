#include "tools/mdfgen/catalog_rows.h"

#include <algorithm>

#include "tools/mdfgen/catalog_values.h"

namespace corvane::mdfgen {
namespace {

using enum SqlType;
using Rows = std::vector<std::vector<Value>>;

class Builder {
 public:
  explicit Builder(const DatabasePlan& plan) : plan_(plan), version_(plan.db->version) {
    for (const auto& t : plan.systemTables) all_.push_back(&t);
    for (const auto& t : plan.tables) all_.push_back(&t);
  }

  CatalogRows Build() {
    Objects();
    Columns();
    Rowsets();
    Indexes();
    References();
    Values();
    Schemas();
    Types();
    Files();
    SortRows(rows_, plan_.systemTables);
    return std::move(rows_);
  }

 private:
  Rows& R(std::int32_t id) { return rows_[id]; }

  void Object(std::int32_t id, const std::string& name, std::int32_t schema, std::int32_t status,
              const std::string& type, std::int32_t parent, std::int32_t intprop) {
    std::vector<Value> row{Num(id),     name,   Num(schema),  Num(0),    Num(status), type,
                           Num(parent), Num(1), Num(intprop), Created(), Created()};
    if (version_ >= 706) row.push_back(Num(0));
    R(kSysSchObjs).push_back(std::move(row));
  }

  void Objects() {
    for (const TablePlan* t : all_) {
      Object(t->objectId, t->table.name, t->schemaId, t->system ? 0x000E0001 : 0x000E0000,
             t->system ? "S " : "U ", 0, static_cast<std::int32_t>(t->table.columns.size()));
      for (const auto& c : t->constraints)
        Object(c.id, c.name, t->schemaId, c.status, c.type, t->objectId, c.intprop);
    }
    for (const auto& m : plan_.modules) {
      const bool trigger = m.module->kind == ModuleKind::kTrigger;
      Object(m.id, m.module->name, m.schemaId, trigger ? 0x000C0400 : 0x00040000,
             ModuleType(m.module->kind), m.parentId, 0);
    }
  }

  void Columns() {
    for (const TablePlan* t : all_) {
      for (std::size_t i = 0; i < t->table.columns.size(); ++i) {
        if (static_cast<int>(i) + 1 == t->table.droppedColumn) continue;
        const Column& c = t->table.columns[i];
        const ColumnType stored = StoredType(c, plan_.db->collationId);
        const auto [prec, scale] = PrecisionScale(c);
        std::int32_t status = (c.nullable ? 0 : 1) | (AnsiPadded(c.type) ? 2 : 0) |
                              (c.identity ? 4 : 0) | (c.sparse ? 0x1000000 : 0);
        const int length = ByteLength(c);
        Value identity;
        if (c.identity) identity = IdentityValue(c, t->identityLast[i], t->rowCount > 0);
        R(kSysColPars)
            .push_back({Num(t->objectId), Num(0), Num(t->columnIds[i]), c.name,
                        Num(static_cast<int>(c.type)),
                        Num(c.userTypeId ? c.userTypeId : static_cast<int>(c.type)), Num(length),
                        Num(prec), Num(scale),
                        Num(IsCharacterType(c.type) ? stored.collationId : 0), Num(status),
                        Num(length < 0 ? 8000 : length), Num(0), Num(t->defaultIds[i]), Num(0),
                        identity});
      }
    }
  }

  void Rowsets() {
    for (const TablePlan* t : all_) {
      for (std::size_t k = 0; k < t->indexes.size(); ++k) {
        const IndexPlan& ix = t->indexes[k];
        const bool main = k == 0;
        const std::int64_t rows = main ? t->rowCount : 0;
        std::vector<Value> rs{Num(ix.rowsetId), Num(1), Num(t->objectId), Num(ix.indexId),
                              Num(1),           Num(0), Num(0),           Num(rows)};
        if (version_ >= 655) {
          const int nullBytes = (t->layout.storedColumnCount() + 7) / 8;
          const int minLeaf = t->layout.fixedEnd() + 2 + nullBytes;
          const int minInt = t->layout.IndexFixedEnd(t->keyColumns);
          for (const Value& v : {Num(0), Num(0), Num(t->layout.storedColumnCount()),
                                 Num(main ? std::max<std::int64_t>(t->maxRecord, minLeaf) : 0),
                                 Num(main ? minInt : 0), Num(main ? minLeaf : 0),
                                 Num(main ? minInt : 0), Value(), Value(), Num(1)}) {
            rs.push_back(v);
          }
        }
        R(kSysRowsets).push_back(std::move(rs));
        const UnitPages empty;
        Unit(ix.unitId, 1, ix.rowsetId, main ? t->pages : empty);
        if (main && t->lobUnitId != 0) Unit(t->lobUnitId, 2, ix.rowsetId, t->lobPages);
      }
      PhysicalColumns(*t);
    }
  }

  // sysallocunits: type 1 in-row data, 2 large-object data.
  void Unit(std::int64_t unitId, int type, std::int64_t rowsetId, const UnitPages& p) {
    std::vector<Value> au{Num(unitId),
                          Num(type),
                          Num(rowsetId),
                          Num(0),
                          Num(1),
                          PagePointer(p.firstPage, p.fileId),
                          PagePointer(p.rootPage, p.fileId),
                          PagePointer(p.firstIamPage, p.fileId),
                          Num(p.usedPages),
                          Num(p.dataPages),
                          Num(p.reservedPages)};
    if (version_ >= 655 && version_ < 706) au.push_back(Num(1));
    R(kSysAllocUnits).push_back(std::move(au));
  }

  void PhysicalColumns(const TablePlan& t) {
    const auto& stored = t.layout.columns();
    const std::int64_t rowset = t.main().rowsetId;
    for (std::size_t i = 0; i < stored.size(); ++i) {
      const StoredColumn& s = stored[i];
      const Column& c = t.table.columns[i];
      int ordkey = 0;
      int nonLeaf = 0;
      int keyOffset = 1;
      for (std::size_t k = 0; k < t.keyColumns.size(); ++k) {
        const auto& kc = stored[static_cast<std::size_t>(t.keyColumns[k])];
        if (t.keyColumns[k] == static_cast<int>(i)) {
          ordkey = static_cast<int>(k) + 1;
          nonLeaf = kc.variable ? 0 : keyOffset;
        }
        if (!kc.variable) keyOffset += kc.width;
      }
      const int leaf = s.sparse ? 0 : (s.leafOffset & 0xFFFF);
      const std::int32_t offset = leaf | (nonLeaf << 16);
      if (version_ >= 655) {
        std::vector<Value> row{Num(rowset), Num(s.columnId),  Num(s.columnId),
                               Num(0),      Num(TypeInfo(c)), Num(s.type.collationId),
                               Num(ordkey), Num(0),           Num(ordkey ? 0x80 : 0),
                               Num(offset), Num(s.nullBit),   Num(s.bitPosition),
                               Value()};
        if (version_ < 706) row.push_back(Num(1));
        R(kSysRsCols).push_back(std::move(row));
      } else {
        const auto [prec, scale] = PrecisionScale(c);
        R(kSysHobtColumns)
            .push_back({Num(rowset), Num(s.columnId), Num(0x20), Num(ordkey),
                        Num(static_cast<int>(c.type)), Num(ByteLength(c)), Num(prec), Num(scale),
                        Num(s.type.collationId), Num(static_cast<std::int16_t>(leaf)), Num(nonLeaf),
                        Num(0), Num(s.nullBit), Value(), Value()});
        R(kSysRowsetColumns)
            .push_back({Num(rowset), Num(s.columnId), Num(s.columnId), Num(0), Num(0), Num(0)});
      }
    }
  }

  void Indexes() {
    for (const TablePlan* t : all_) {
      for (const IndexPlan& ix : t->indexes) {
        Value name = ix.name.empty() ? Value() : Value(ix.name);
        R(kSysIdxStats)
            .push_back({Num(t->objectId), Num(ix.indexId), name, Num(ix.status), Num(0), Num(0),
                        Num(ix.type), Num(0), Num(1), Num(0), Num(ix.rowsetId)});
        for (std::size_t k = 0; k < ix.columnIds.size(); ++k) {
          const auto ordinal = static_cast<std::int64_t>(k) + 1;
          std::vector<Value> row{Num(t->objectId),     Num(ix.indexId), Num(ordinal), Num(3),
                                 Num(ix.columnIds[k]), Num(ordinal),    Num(0)};
          if (version_ >= 706) row.push_back(Num(0));
          if (version_ >= 852) row.push_back(Num(0));
          R(kSysIsCols).push_back(std::move(row));
        }
      }
    }
  }

  const TablePlan* FindTable(const std::string& name) const {
    for (const auto& t : plan_.tables) {
      if (t.table.name == name || t.table.schema + "." + t.table.name == name) return &t;
    }
    return nullptr;
  }

  static int ColumnIdOf(const TablePlan& t, const std::string& name) {
    for (std::size_t i = 0; i < t.table.columns.size(); ++i) {
      if (t.table.columns[i].name == name) return t.columnIds[i];
    }
    return 0;
  }

  void References() {
    for (const auto& t : plan_.tables) {
      for (const auto& c : t.constraints) {
        if (c.foreignKey < 0) continue;
        const ForeignKey& fk = t.table.foreignKeys[static_cast<std::size_t>(c.foreignKey)];
        const TablePlan* ref = FindTable(fk.referencedTable);
        std::vector<std::string> refColumns = fk.referencedColumns;
        if (refColumns.empty() && ref) refColumns = ref->table.primaryKey;
        for (std::size_t k = 0; k < fk.columns.size(); ++k) {
          const auto ordinal = static_cast<std::int64_t>(k) + 1;
          R(kSysSingleObjRefs)
              .push_back({Num(28), Num(c.id), Num(ordinal), Num(t.objectId),
                          Num(ColumnIdOf(t, fk.columns[k])), Num(0)});
          const int refColumn = ref && k < refColumns.size() ? ColumnIdOf(*ref, refColumns[k]) : 0;
          R(kSysSingleObjRefs)
              .push_back({Num(29), Num(c.id), Num(ordinal), Num(ref ? ref->objectId : 0),
                          Num(refColumn), Num(0)});
        }
      }
    }
  }

  void Definition(std::int32_t id, std::int32_t subId, const std::string& text) {
    std::int64_t valnum = 0;
    for (auto& piece : DefinitionPieces(text)) {
      R(kSysObjValues)
          .push_back({Num(1), Num(id), Num(subId), Num(valnum++), Raw({0x38, 0x01, 0x02, 0, 0, 0}),
                      Value(piece)});
    }
  }

  void Values() {
    for (const auto& t : plan_.tables) {
      for (const auto& c : t.constraints) {
        if (!c.definition.empty()) Definition(c.id, 0, c.definition);
      }
    }
    for (const auto& m : plan_.modules) {
      Definition(m.id, m.module->kind == ModuleKind::kProcedure ? 1 : 0, m.module->definition);
    }
  }

  void Schemas() {
    R(kSysClsObjs)
        .push_back({Num(31), Num(1), "PRIMARY", Num(1), "FG", Num(0), Created(), Created()});
    for (const auto& s : plan_.schemas) {
      R(kSysClsObjs)
          .push_back(
              {Num(50), Num(s.id), s.name, Num(0), Raw({0, 0}), Num(0), Created(), Created()});
    }
  }

  void Types() {
    for (const auto& t : ScalarTypes()) {
      const bool newer = (t.id >= 40 && t.id <= 43) || (t.id >= 128 && t.id <= 130);
      if (version_ < 655 && newer) continue;
      R(kSysScalarTypes)
          .push_back({Num(t.id), Num(kSchemaSys), std::string(t.name),
                      Num(static_cast<int>(t.xtype)), Num(t.length), Num(t.precision), Num(t.scale),
                      Num(t.collated ? plan_.db->collationId : 0), Num(t.status), Created(),
                      Created(), Num(0), Num(0)});
    }
  }

  void Files() { rows_[kSysFiles1] = FileRows(*plan_.db); }

  const DatabasePlan& plan_;
  const int version_;
  std::vector<const TablePlan*> all_;
  CatalogRows rows_;
};

}  // namespace

CatalogRows BuildCatalogRows(const DatabasePlan& plan) { return Builder(plan).Build(); }

void SortRows(CatalogRows& rows, const std::vector<TablePlan>& systemTables) {
  for (const TablePlan& st : systemTables) {
    auto it = rows.find(st.objectId);
    if (it == rows.end() || st.keyColumns.empty()) continue;
    const auto& keys = st.keyColumns;
    std::stable_sort(it->second.begin(), it->second.end(), [&keys](const auto& a, const auto& b) {
      for (int k : keys) {
        const auto* x = a[static_cast<std::size_t>(k)].integer();
        const auto* y = b[static_cast<std::size_t>(k)].integer();
        const std::int64_t vx = x ? *x : 0, vy = y ? *y : 0;
        if (vx != vy) return vx < vy;
      }
      return false;
    });
  }
}

}  // namespace corvane::mdfgen

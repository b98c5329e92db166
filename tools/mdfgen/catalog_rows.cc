#include "tools/mdfgen/catalog_rows.h"

#include <algorithm>

namespace corvane::mdfgen {
namespace {

using enum SqlType;
using Rows = std::vector<std::vector<Value>>;

const Value kCreated("2012-06-01 12:00:00");
constexpr std::size_t kDefinitionPiece = 4000;

Value I(std::int64_t v) { return Value(static_cast<long long>(v)); }

Value PagePointer(std::int32_t page) {
  ByteString b(6, 0);
  for (int i = 0; i < 4; ++i) b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(page >> (8 * i));
  b[4] = page != 0 ? 1 : 0;
  return Value(b);
}

int ByteLength(const Column& c) {
  switch (c.type) {
    case kNChar:
    case kNVarChar:
      return c.length == kMax ? -1 : 2 * c.length;
    case kChar:
    case kVarChar:
    case kBinary:
    case kVarBinary:
      return c.length == kMax ? -1 : c.length;
    case kSqlVariant:
      return 8016;
    case kText:
    case kNText:
    case kImage:
      return 16;
    case kXml:
      return -1;
    case kBit:
      return 1;
    default:
      return FixedWidth(c.type, c.length, c.precision, c.scale);
  }
}

std::pair<int, int> PrecisionScale(const Column& c) {
  const int s = c.scale;
  switch (c.type) {
    case kInt: return {10, 0};
    case kBigInt: return {19, 0};
    case kSmallInt: return {5, 0};
    case kTinyInt: return {3, 0};
    case kBit: return {1, 0};
    case kMoney: return {19, 4};
    case kSmallMoney: return {10, 4};
    case kFloat: return {53, 0};
    case kReal: return {24, 0};
    case kDateTime: return {23, 3};
    case kSmallDateTime: return {16, 0};
    case kDate: return {10, 0};
    case kTime: return {s == 0 ? 8 : 9 + s, s};
    case kDateTime2: return {s == 0 ? 19 : 20 + s, s};
    case kDateTimeOffset: return {s == 0 ? 26 : 27 + s, s};
    case kDecimal:
    case kNumeric: return {c.precision, c.scale};
    default: return {0, 0};
  }
}

bool AnsiPadded(SqlType t) {
  return t == kChar || t == kVarChar || t == kNChar || t == kNVarChar || t == kBinary || t == kVarBinary;
}

std::int32_t TypeInfo(const Column& c) {
  const auto x = static_cast<std::int32_t>(c.type);
  if (AnsiPadded(c.type)) {
    const int bytes = ByteLength(c);
    return x | ((bytes < 0 ? 0xFFFF : bytes) << 8);
  }
  if (c.type == kDecimal || c.type == kNumeric) return x | (c.precision << 8) | (c.scale << 16);
  if (c.type == kTime || c.type == kDateTime2 || c.type == kDateTimeOffset) return x | (c.scale << 8);
  return x;
}

Value IdentityValue(const Column& c, std::int64_t last, bool anyRow) {
  const int width = c.type == kTinyInt ? 1 : c.type == kSmallInt ? 2 : c.type == kInt ? 4 : 8;
  ByteString b;
  for (std::int64_t v : {anyRow ? last : c.identity->seed, c.identity->increment, c.identity->seed}) {
    for (int i = 0; i < width; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  b.push_back(anyRow ? 0 : 1);
  return Value(b);
}

// Definition text as SQL Server keeps it: code page bytes for ASCII text,
// UTF-16 otherwise; split into pieces.
std::vector<ByteString> DefinitionPieces(const std::string& text) {
  ByteString all;
  if (IsAscii(text)) {
    all.assign(text.begin(), text.end());
  } else {
    AppendUtf16(text, all);
  }
  std::vector<ByteString> pieces;
  for (std::size_t at = 0; at < all.size() || pieces.empty(); at += kDefinitionPiece) {
    const std::size_t end = std::min(all.size(), at + kDefinitionPiece);
    pieces.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(at), all.begin() + static_cast<std::ptrdiff_t>(end));
  }
  return pieces;
}

std::string ModuleType(ModuleKind kind) {
  switch (kind) {
    case ModuleKind::kView: return "V ";
    case ModuleKind::kProcedure: return "P ";
    case ModuleKind::kScalarFunction: return "FN";
    case ModuleKind::kInlineFunction: return "IF";
    case ModuleKind::kTableFunction: return "TF";
    case ModuleKind::kTrigger: return "TR";
  }
  return "P ";
}

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
    for (const auto& st : plan_.systemTables) Sort(st);
    return std::move(rows_);
  }

 private:
  Rows& R(std::int32_t id) { return rows_[id]; }

  void Object(std::int32_t id, const std::string& name, std::int32_t schema, std::int32_t status,
              const std::string& type, std::int32_t parent, std::int32_t intprop) {
    std::vector<Value> row{I(id), name, I(schema), I(0), I(status), type, I(parent), I(1), I(intprop),
                           kCreated, kCreated};
    if (version_ >= 706) row.push_back(I(0));
    R(kSysSchObjs).push_back(std::move(row));
  }

  void Objects() {
    for (const TablePlan* t : all_) {
      Object(t->objectId, t->table.name, t->schemaId, t->system ? 0x000E0001 : 0x000E0000, t->system ? "S " : "U ",
             0, static_cast<std::int32_t>(t->table.columns.size()));
      for (const auto& c : t->constraints) Object(c.id, c.name, t->schemaId, c.status, c.type, t->objectId, c.intprop);
    }
    for (const auto& m : plan_.modules) {
      const bool trigger = m.module->kind == ModuleKind::kTrigger;
      Object(m.id, m.module->name, m.schemaId, trigger ? 0x000C0400 : 0x00040000, ModuleType(m.module->kind),
             m.parentId, 0);
    }
  }

  void Columns() {
    for (const TablePlan* t : all_) {
      for (std::size_t i = 0; i < t->table.columns.size(); ++i) {
        if (static_cast<int>(i) + 1 == t->table.droppedColumn) continue;
        const Column& c = t->table.columns[i];
        const ColumnType stored = StoredType(c, plan_.db->collationId);
        const auto [prec, scale] = PrecisionScale(c);
        std::int32_t status = (c.nullable ? 0 : 1) | (AnsiPadded(c.type) ? 2 : 0) | (c.identity ? 4 : 0) |
                              (c.sparse ? 0x1000000 : 0);
        const int length = ByteLength(c);
        Value identity;
        if (c.identity) identity = IdentityValue(c, t->identityLast[i], t->rowCount > 0);
        R(kSysColPars).push_back({I(t->objectId), I(0), I(t->columnIds[i]), c.name, I(static_cast<int>(c.type)),
                                  I(c.userTypeId ? c.userTypeId : static_cast<int>(c.type)), I(length), I(prec),
                                  I(scale), I(IsCharacterType(c.type) ? stored.collationId : 0), I(status),
                                  I(length < 0 ? 8000 : length), I(0), I(t->defaultIds[i]), I(0), identity});
      }
    }
  }

  void Rowsets() {
    for (const TablePlan* t : all_) {
      for (std::size_t k = 0; k < t->indexes.size(); ++k) {
        const IndexPlan& ix = t->indexes[k];
        const bool main = k == 0;
        const std::int64_t rows = main ? t->rowCount : 0;
        std::vector<Value> rs{I(ix.rowsetId), I(1), I(t->objectId), I(ix.indexId), I(1), I(0), I(0), I(rows)};
        if (version_ >= 655) {
          const int nullBytes = (t->layout.storedColumnCount() + 7) / 8;
          const int minLeaf = t->layout.fixedEnd() + 2 + nullBytes;
          const int minInt = t->layout.IndexFixedEnd(t->keyColumns);
          for (const Value& v : {I(0), I(0), I(t->layout.storedColumnCount()),
                                 I(main ? std::max<std::int64_t>(t->maxRecord, minLeaf) : 0), I(main ? minInt : 0),
                                 I(main ? minLeaf : 0), I(main ? minInt : 0), Value(), Value(), I(1)}) {
            rs.push_back(v);
          }
        }
        R(kSysRowsets).push_back(std::move(rs));
        const UnitPages empty;
        const UnitPages& p = main ? t->pages : empty;
        std::vector<Value> au{I(ix.unitId), I(1), I(ix.rowsetId), I(0), I(1), PagePointer(p.firstPage),
                              PagePointer(p.rootPage), PagePointer(p.firstIamPage), I(p.usedPages),
                              I(p.dataPages), I(p.reservedPages)};
        if (version_ >= 655 && version_ < 706) au.push_back(I(1));
        R(kSysAllocUnits).push_back(std::move(au));
      }
      PhysicalColumns(*t);
    }
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
        std::vector<Value> row{I(rowset), I(s.columnId), I(s.columnId), I(0), I(TypeInfo(c)),
                               I(s.type.collationId), I(ordkey), I(0), I(ordkey ? 0x80 : 0), I(offset),
                               I(s.nullBit), I(s.bitPosition), Value()};
        if (version_ < 706) row.push_back(I(1));
        R(kSysRsCols).push_back(std::move(row));
      } else {
        const auto [prec, scale] = PrecisionScale(c);
        R(kSysHobtColumns).push_back({I(rowset), I(s.columnId), I(0x20), I(ordkey), I(static_cast<int>(c.type)),
                                      I(ByteLength(c)), I(prec), I(scale), I(s.type.collationId),
                                      I(static_cast<std::int16_t>(leaf)), I(nonLeaf), I(0), I(s.nullBit), Value(),
                                      Value()});
        R(kSysRowsetColumns).push_back({I(rowset), I(s.columnId), I(s.columnId), I(0), I(0), I(0)});
      }
    }
  }

  void Indexes() {
    for (const TablePlan* t : all_) {
      for (const IndexPlan& ix : t->indexes) {
        Value name = ix.name.empty() ? Value() : Value(ix.name);
        R(kSysIdxStats).push_back({I(t->objectId), I(ix.indexId), name, I(ix.status), I(0), I(0), I(ix.type), I(0),
                                   I(1), I(0), I(ix.rowsetId)});
        for (std::size_t k = 0; k < ix.columnIds.size(); ++k) {
          const auto ordinal = static_cast<std::int64_t>(k) + 1;
          std::vector<Value> row{I(t->objectId), I(ix.indexId), I(ordinal), I(3), I(ix.columnIds[k]), I(ordinal),
                                 I(0)};
          if (version_ >= 706) row.push_back(I(0));
          if (version_ >= 852) row.push_back(I(0));
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
          R(kSysSingleObjRefs).push_back({I(28), I(c.id), I(ordinal), I(t.objectId), I(ColumnIdOf(t, fk.columns[k])), I(0)});
          const int refColumn = ref && k < refColumns.size() ? ColumnIdOf(*ref, refColumns[k]) : 0;
          R(kSysSingleObjRefs).push_back({I(29), I(c.id), I(ordinal), I(ref ? ref->objectId : 0), I(refColumn), I(0)});
        }
      }
    }
  }

  void Definition(std::int32_t id, std::int32_t subId, const std::string& text) {
    std::int64_t valnum = 0;
    for (auto& piece : DefinitionPieces(text)) {
      R(kSysObjValues).push_back({I(1), I(id), I(subId), I(valnum++), Raw({0x38, 0x01, 0x02, 0, 0, 0}), Value(piece)});
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
    R(kSysClsObjs).push_back({I(31), I(1), "PRIMARY", I(1), "FG", I(0), kCreated, kCreated});
    for (const auto& s : plan_.schemas) {
      R(kSysClsObjs).push_back({I(50), I(s.id), s.name, I(0), Raw({0, 0}), I(0), kCreated, kCreated});
    }
  }

  void Types() {
    for (const auto& t : ScalarTypes()) {
      const bool newer = (t.id >= 40 && t.id <= 43) || (t.id >= 128 && t.id <= 130);
      if (version_ < 655 && newer) continue;
      R(kSysScalarTypes).push_back({I(t.id), I(kSchemaSys), std::string(t.name), I(static_cast<int>(t.xtype)),
                                    I(t.length), I(t.precision), I(t.scale),
                                    I(t.collated ? plan_.db->collationId : 0), I(t.status), kCreated, kCreated, I(0),
                                    I(0)});
    }
  }

  void Files() {
    const std::string folder = "C:\\Program Files\\Microsoft SQL Server\\MSSQL\\DATA\\";
    const std::string& name = plan_.db->name;
    R(kSysFiles1).push_back({I(2), I(1), name, folder + name + ".mdf"});
    R(kSysFiles1).push_back({I(0x00100042), I(2), name + "_log", folder + name + "_log.ldf"});
    std::int64_t id = 3;
    for (const auto& f : plan_.db->secondaryFiles) {
      R(kSysFiles1).push_back({I(2), I(id++), f.logicalName, f.physicalName});
    }
  }

  void Sort(const TablePlan& st) {
    auto it = rows_.find(st.objectId);
    if (it == rows_.end() || st.keyColumns.empty()) return;
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

  const DatabasePlan& plan_;
  const int version_;
  std::vector<const TablePlan*> all_;
  CatalogRows rows_;
};

}  // namespace

CatalogRows BuildCatalogRows(const DatabasePlan& plan) { return Builder(plan).Build(); }

}  // namespace corvane::mdfgen

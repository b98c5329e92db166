#include "tools/mdfgen/legacy_catalog_rows.h"

#include "tools/mdfgen/catalog_values.h"

namespace corvane::mdfgen {
namespace {

using Rows = std::vector<std::vector<Value>>;

// uid as the real rows hold it: 00 00 01 00.
constexpr std::int32_t kUidBytes = 0x00010000;
constexpr std::int32_t kTableStatus = 0x60000000;
constexpr std::int32_t kSystemTableStatus = static_cast<std::int32_t>(0xE0000003);

ByteString KeyDescriptor(const TablePlan& t, const IndexPlan& ix) {
  ByteString keys;
  for (int id : ix.columnIds) {
    const StoredColumn& s = t.layout.columns()[static_cast<std::size_t>(id - 1)];
    const Column& c = t.table.columns[static_cast<std::size_t>(id - 1)];
    ByteString entry(32, 0);
    entry[0] = entry[2] = static_cast<std::uint8_t>(c.type);
    entry[1] = static_cast<std::uint8_t>(c.nullable ? 1 : 3);
    const int length = ByteLength(c);
    entry[4] = static_cast<std::uint8_t>(length);
    entry[5] = static_cast<std::uint8_t>(length >> 8);
    for (int k = 0; k < 4; ++k)
      entry[static_cast<std::size_t>(8 + k)] =
          static_cast<std::uint8_t>(s.type.collationId >> (8 * k));
    entry[16] = static_cast<std::uint8_t>(id);
    entry[18] = 1;
    entry[24] = static_cast<std::uint8_t>(s.leafOffset);
    entry[25] = static_cast<std::uint8_t>(s.leafOffset >> 8);
    entry[26] = 1;
    keys.insert(keys.end(), entry.begin(), entry.end());
  }
  return keys;
}

class LegacyBuilder {
 public:
  explicit LegacyBuilder(const DatabasePlan& plan) : plan_(plan) {
    for (const auto& t : plan.systemTables) all_.push_back(&t);
    for (const auto& t : plan.tables) all_.push_back(&t);
  }

  CatalogRows Build() {
    for (const TablePlan* t : all_) Table(*t);
    for (const auto& m : plan_.modules) {
      Object(m.id, m.module->name, ModuleType(m.module->kind), 0, kTableStatus, m.parentId);
      Comments(m.id, m.module->kind == ModuleKind::kProcedure ? 1 : 0, m.module->definition);
    }
    rows_[kSysFiles1] = FileRows(*plan_.db);
    SortRows(rows_, plan_.systemTables);
    return std::move(rows_);
  }

 private:
  void Object(std::int32_t id, const std::string& name, const std::string& type, std::int32_t info,
              std::int32_t status, std::int32_t parent) {
    rows_[kSysObjects].push_back({name, Num(id), type, Num(kUidBytes), Num(info), Num(status),
                                  Num(0), Num(0), Num(parent), Created(), Num(0)});
  }

  void Comments(std::int32_t id, std::int32_t number, const std::string& text) {
    std::int64_t colid = 1;
    for (auto& piece : DefinitionPieces(text, true)) {
      rows_[kSysComments].push_back({Num(id), Num(number), Num(colid++), Num(0), Value(piece)});
    }
  }

  void Table(const TablePlan& t) {
    const auto columnCount = static_cast<std::int32_t>(t.table.columns.size());
    Object(t.objectId, t.table.name, t.system ? "S " : "U ", columnCount,
           t.system ? kSystemTableStatus : kTableStatus, 0);
    for (const auto& c : t.constraints) {
      const bool keyed = c.type == "PK" || c.type == "UQ";
      Object(c.id, c.name, c.type, c.type == "D " ? c.intprop : 0, keyed ? 0x10 : 0, t.objectId);
      if (!c.definition.empty()) Comments(c.id, 0, c.definition);
    }
    for (std::size_t i = 0; i < t.table.columns.size(); ++i) {
      if (static_cast<int>(i) + 1 == t.table.droppedColumn) continue;
      ColumnRow(t, i);
    }
    const UnitPages empty;
    for (std::size_t k = 0; k < t.indexes.size(); ++k) {
      Index(t, t.indexes[k], k == 0 ? t.pages : empty, k == 0 ? t.rowCount : 0);
    }
    if (t.lobUnitId != 0) {
      // Text and image pages: index id 255, named after the table.
      IndexPlan text{255, "t" + t.table.name, 0, 0, {}, t.lobUnitId, t.lobUnitId, 0};
      Index(t, text, t.lobPages, 0);
    }
  }

  void ColumnRow(const TablePlan& t, std::size_t i) {
    const Column& c = t.table.columns[i];
    const StoredColumn& s = t.layout.columns()[i];
    const auto [prec, scale] = PrecisionScale(c);
    const int xoffset = s.leafOffset;
    const bool collated = IsCharacterType(c.type);
    rows_[kSysColumns].push_back(
        {c.name,
         Num(t.objectId),
         Num(static_cast<int>(c.type)),
         Num((c.nullable ? 0 : 1) | (AnsiPadded(c.type) ? 2 : 0)),
         Num(c.userTypeId ? c.userTypeId : static_cast<int>(c.type)),
         Num(ByteLength(c)),
         Num(prec),
         Num(scale),
         Num(t.columnIds[i]),
         Num(static_cast<std::int16_t>(xoffset)),
         Num(s.bitPosition),
         Num(0),
         Num(c.identity ? 1 : 0),
         Num(t.defaultIds[i]),
         Num(0),
         Num(0),
         Num(t.columnIds[i]),
         Value(),
         Num(static_cast<std::int16_t>(s.variable ? xoffset : xoffset - 2)),
         collated ? Num(s.type.collationId) : Value(),
         Value()});
  }

  void Index(const TablePlan& t, const IndexPlan& ix, const UnitPages& p, std::int64_t rows) {
    const bool main = &p == &t.pages;
    const bool heap = ix.indexId == 0;
    Value keys = ix.columnIds.empty() ? Value() : Value(KeyDescriptor(t, ix));
    const std::int32_t status = heap ? 0 : ix.type == 1 ? 0x4812 : 0x0802;
    rows_[kSysIndexes].push_back({Num(t.objectId),
                                  Num(status),
                                  PagePointer(p.firstPage, p.fileId),
                                  Num(ix.indexId),
                                  PagePointer(p.rootPage, p.fileId),
                                  Num(t.layout.fixedEnd()),
                                  Num(static_cast<std::int64_t>(ix.columnIds.size())),
                                  Num(1),
                                  Num(p.dataPages),
                                  Num(p.reservedPages),
                                  Num(p.usedPages),
                                  Num(rows),
                                  Num(0),
                                  Num(0),
                                  Num(0),
                                  Num(main ? t.maxRecord : 0),
                                  Num(heap ? 0 : t.layout.IndexFixedEnd(t.keyColumns)),
                                  Num(0),
                                  Num(0),
                                  Num(0),
                                  PagePointer(p.firstIamPage, p.fileId),
                                  Num(0),
                                  Num(0),
                                  Num(0),
                                  keys,
                                  heap ? t.table.name : ix.name,
                                  Value()});
  }

  const DatabasePlan& plan_;
  std::vector<const TablePlan*> all_;
  CatalogRows rows_;
};

}  // namespace

CatalogRows BuildLegacyCatalogRows(const DatabasePlan& plan) { return LegacyBuilder(plan).Build(); }

}  // namespace corvane::mdfgen

// Readers of the system tables that both catalog layouts share, and of the
// SQL Server 2005+ tables. Byte layouts: catalog/row_readers.h.

#include "catalog/row_readers.h"

#include <algorithm>
#include <string>

#include "catalog/identity_value.h"
#include "engine/utf16.h"

namespace corvane {
namespace {

PageId PagePointerAt(const SystemRow& row, std::size_t offset) {
  PageId id{0, 0};
  if (!row.fixed.Fits(offset, 6)) return id;
  id.pageNumber = LoadLE<std::int32_t>(row.fixed.data() + offset);
  id.fileId = LoadLE<std::uint16_t>(row.fixed.data() + offset + 4);
  return id;
}

// A fixed nchar field: its characters up to the first zero, without the
// trailing blanks that pad it.
std::string NCharField(const SystemRow& row, std::size_t offset, std::size_t bytes) {
  if (offset >= row.fixed.size()) return {};
  const std::size_t have = std::min(bytes, row.fixed.size() - offset);
  std::string text = Utf16LeToUtf8(row.fixed.data() + offset, have, /*stopAtNul=*/true);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                           text.back() == '\n'))
    text.pop_back();
  return text;
}

std::string TwoCharacters(const SystemRow& row, std::size_t offset) {
  if (!row.fixed.Fits(offset, 2)) return {};
  return std::string{static_cast<char>(row.fixed[offset]), static_cast<char>(row.fixed[offset + 1])};
}

}  // namespace

bool Passes(const SystemRow& row, std::int32_t minimum) {
  return row.hasFixed() && row.length() > minimum;
}

std::string InventName(const char* stem, ReaderState& state) {
  return stem + std::to_string(state.repairCounter++);
}

std::string RowName(const SystemRow& row, const char* missingStem, ReaderState& state) {
  auto stored = row.Text(1);
  std::string name = stored ? std::move(*stored) : InventName(missingStem, state);
  if (name.empty()) name = InventName("RepairColumn", state);
  return name;
}

void ReadFileRows(const DatabaseContext& context, std::vector<SecondaryFile>& files) {
  ForEachSystemRow(context, kSysFiles1, kAllRecords, [&](const SystemRow& row) {
    SecondaryFile f;
    if (Passes(row, 519)) {
      f.status = row.Field<std::uint32_t>(0, f.status);
      f.fileId = row.Field<std::int16_t>(4, static_cast<std::int16_t>(f.fileId));
      f.logicalName = NCharField(row, 6, 256);
      f.physicalPath = NCharField(row, 262, 520);
    }
    files.push_back(std::move(f));
  });
}

void ReadSchemaRows(const DatabaseContext& context, std::vector<SchemaRow>& schemas) {
  ForEachSystemRow(context, kSysClsObjs, kAllRecords, [&](const SystemRow& row) {
    SchemaRow s;
    if (Passes(row, 9)) {
      s.id = row.Field<std::int32_t>(1, s.id);
      s.status = row.Field<std::int32_t>(5, s.status);
    }
    s.name = row.Text(1).value_or(std::string());
    schemas.push_back(std::move(s));
  });
}

void ReadObjectRows(const DatabaseContext& context, bool legacy,
                    const std::vector<SchemaRow>& schemas, ReaderState& state,
                    std::vector<ObjectRow>& objects) {
  ForEachSystemRow(context, legacy ? kSysObjects : kSysSchObjs, kAllRecords,
                   [&](const SystemRow& row) {
    ObjectRow o;
    if (Passes(row, 19)) {
      o.id = row.Field<std::int32_t>(0, o.id);
      o.schemaId = row.Field<std::int32_t>(4, o.schemaId);
      o.nsClass = row.Field<std::uint8_t>(8, o.nsClass);
      o.status = row.Field<std::int32_t>(9, o.status);
      o.type = TwoCharacters(row, legacy ? 4 : 13);
      o.parentId = row.Field<std::int32_t>(legacy && row.length() > 23 ? 24 : 15, o.parentId);
      o.parentClass = row.Field<std::uint8_t>(19, o.parentClass);
      o.intProp = row.Field<std::int32_t>(20, o.intProp);
    }
    o.name = RowName(row, "Repairname", state);
    for (const SchemaRow& s : schemas) {
      if (s.id == o.schemaId && s.status == 0) {
        o.name = s.name + "." + o.name;
        break;
      }
    }
    // SQL Server 2012 and later keep the sys and INFORMATION_SCHEMA objects
    // (over 2000 rows, a few of them tables) under negative ids: every id the
    // row really holds counts except 0.
    if (o.id != 0 && Passes(row, 19) && row.fixed.Fits(0, 4)) objects.push_back(std::move(o));
  });
}

void ReadAllocationUnitRows(const DatabaseContext& context, std::int32_t objectId,
                            std::vector<AllocationUnitRow>& units) {
  ForEachSystemRow(context, objectId, kAllRecords, [&](const SystemRow& row) {
    AllocationUnitRow u;
    if (Passes(row, 38)) {
      u.allocationUnitId = row.Field<std::int64_t>(0, u.allocationUnitId);
      u.unitType = row.Field<std::uint8_t>(8, u.unitType);
      u.ownerId = row.Field<std::int64_t>(9, u.ownerId);
      u.status = row.Field<std::int32_t>(17, u.status);
      u.fileGroupId = row.Field<std::int16_t>(21, u.fileGroupId);
      u.firstPage = PagePointerAt(row, 23);
      u.rootPage = PagePointerAt(row, 29);
      u.firstIamPage = PagePointerAt(row, 35);
    }
    units.push_back(u);
  });
}

void ReadRowsetRows(const DatabaseContext& context, std::vector<RowsetRow>& rowsets) {
  ForEachSystemRow(context, kSysRowsets, kAllRecords, [&](const SystemRow& row) {
    RowsetRow r;
    if (Passes(row, 26)) {
      r.rowsetId = row.Field<std::int64_t>(0, r.rowsetId);
      r.ownerType = row.Field<std::uint8_t>(8, r.ownerType);
      r.objectId = row.Field<std::int32_t>(9, r.objectId);
      r.indexId = row.Field<std::int32_t>(13, r.indexId);
      r.partitionNumber = row.Field<std::int32_t>(17, r.partitionNumber);
      r.status = row.Field<std::int32_t>(21, r.status);
      r.fileGroupId = row.Field<std::int16_t>(25, r.fileGroupId);
      r.rowCount = row.Field<std::int64_t>(27, r.rowCount);
    }
    rowsets.push_back(r);
  });
}

void ReadColumnRows(const DatabaseContext& context, std::int32_t objectId, ReaderState& state,
                    std::vector<ColumnRow>& columns) {
  ForEachSystemRow(context, objectId, kNoIndexRecords, [&](const SystemRow& row) {
    ColumnRow c;
    if (Passes(row, 36)) {
      c.objectId = row.Field<std::int32_t>(0, c.objectId);
      c.number = row.Field<std::int16_t>(4, c.number);
      c.columnId = row.Field<std::int32_t>(6, c.columnId);
      c.typeId = row.Field<std::uint8_t>(10, c.typeId);
      c.userTypeId = row.Field<std::int32_t>(11, c.userTypeId);
      c.maxLength = row.Field<std::int16_t>(15, c.maxLength);
      c.precision = row.Field<std::uint8_t>(17, c.precision);
      c.scale = row.Field<std::uint8_t>(18, c.scale);
      c.collationId = row.Field<std::int32_t>(19, c.collationId);
      c.status = row.Field<std::int32_t>(23, c.status);
      c.maxInRow = row.Field<std::int16_t>(27, c.maxInRow);
      c.xmlNamespace = row.Field<std::int32_t>(29, c.xmlNamespace);
      c.defaultId = row.Field<std::int32_t>(33, c.defaultId);
      c.checkId = row.Field<std::int32_t>(37, c.checkId);
    }
    c.name = RowName(row, "RepairColumn", state);
    if (c.status == 5 && row.record.varValues.size() > 1)
      c.identity = IdentityText(row.Variable(2).value_or(Bytes()));
    columns.push_back(std::move(c));
  });
}

void ReadTypeRows(const DatabaseContext& context, std::vector<TypeRow>& types) {
  ForEachSystemRow(context, kSysScalarTypes, kAllRecords, [&](const SystemRow& row) {
    if (!row.hasFixed()) return;
    TypeRow t;
    if (Passes(row, 33)) {
      t.id = row.Field<std::int32_t>(0, t.id);
      t.schemaId = row.Field<std::int32_t>(4, t.schemaId);
      t.typeId = row.Field<std::uint8_t>(8, t.typeId);
      t.maxLength = row.Field<std::int16_t>(9, t.maxLength);
      t.precision = row.Field<std::uint8_t>(11, t.precision);
      t.scale = row.Field<std::uint8_t>(12, t.scale);
      t.collationId = row.Field<std::int32_t>(13, t.collationId);
      t.status = row.Field<std::int32_t>(17, t.status);
    }
    t.name = row.Text(1).value_or(std::string());
    types.push_back(std::move(t));
  });
}

void ReadRowsetColumnRows(const DatabaseContext& context, std::vector<RowsetColumnRow>& rows) {
  ForEachSystemRow(context, kSysRsCols, kAllRecords, [&](const SystemRow& row) {
    RowsetColumnRow c;
    if (Passes(row, 47)) {
      c.rowsetId = row.Field<std::int64_t>(0, c.rowsetId);
      c.rowsetColumnId = row.Field<std::int32_t>(8, c.rowsetColumnId);
      c.hobtColumnId = row.Field<std::int32_t>(12, c.hobtColumnId);
      c.modifiedCount = row.Field<std::int64_t>(16, c.modifiedCount);
      c.typeInfo = row.Field<std::int32_t>(24, c.typeInfo);
      c.columnId = row.Field<std::int32_t>(28, c.columnId);
      c.orderKey = row.Field<std::int16_t>(32, c.orderKey);
      c.maxInRowLength = row.Field<std::int16_t>(34, c.maxInRowLength);
      c.status = row.Field<std::int32_t>(36, c.status);
      c.leafOffset = row.Field<std::int32_t>(40, c.leafOffset);
      c.nullBit = row.Field<std::int32_t>(44, c.nullBit);
      c.bitPosition = row.Field<std::int16_t>(48, c.bitPosition);
    }
    rows.push_back(c);
  });
}

void ReadObjectRefRows(const DatabaseContext& context, std::vector<ObjectRefRow>& refs) {
  ForEachSystemRow(context, kSysSingleObjRefs, kAllRecords, [&](const SystemRow& row) {
    if (!row.hasFixed()) return;
    ObjectRefRow r;
    r.refClass = row.Field<std::uint8_t>(0, r.refClass);
    r.dependentId = row.Field<std::int32_t>(1, r.dependentId);
    r.dependentSubId = row.Field<std::int32_t>(5, r.dependentSubId);
    r.independentId = row.Field<std::int32_t>(9, r.independentId);
    r.independentSubId = row.Field<std::int32_t>(13, r.independentSubId);
    r.status = row.Field<std::int32_t>(17, r.status);
    refs.push_back(r);
  });
}

void ReadIndexRows(const DatabaseContext& context, std::vector<IndexRow>& indexes) {
  ForEachSystemRow(context, kSysIdxStats, kAllRecords, [&](const SystemRow& row) {
    if (!row.hasFixed()) return;
    IndexRow x;
    if (Passes(row, 26)) {
      x.objectId = row.Field<std::int32_t>(0, x.objectId);
      x.indexId = row.Field<std::int32_t>(4, x.indexId);
      x.status = row.Field<std::int32_t>(8, x.status);
      x.intProp = row.Field<std::int32_t>(12, x.intProp);
      x.fillFactor = row.Field<std::uint8_t>(16, x.fillFactor);
      x.indexType = row.Field<std::uint8_t>(17, x.indexType);
      x.tinyProp = row.Field<std::uint8_t>(18, x.tinyProp);
      x.dataSpaceId = row.Field<std::int32_t>(19, x.dataSpaceId);
      x.lobDataSpaceId = row.Field<std::int32_t>(23, x.lobDataSpaceId);
      x.rowsetId = row.Field<std::int64_t>(27, x.rowsetId);
    }
    x.name = row.Text(1).value_or(std::string());
    indexes.push_back(std::move(x));
  });
}

void ReadIndexColumnRows(const DatabaseContext& context, std::vector<IndexColumnRow>& rows) {
  ForEachSystemRow(context, kSysIsCols, kAllRecords, [&](const SystemRow& row) {
    IndexColumnRow c;
    if (Passes(row, 20)) {
      c.indexObjectId = row.Field<std::int32_t>(0, c.indexObjectId);
      c.indexId = row.Field<std::int32_t>(4, c.indexId);
      c.subId = row.Field<std::int32_t>(8, c.subId);
      c.status = row.Field<std::int32_t>(12, c.status);
      c.intProp = row.Field<std::int32_t>(16, c.intProp);
      c.tinyProp1 = row.Field<std::uint8_t>(20, c.tinyProp1);
      c.tinyProp2 = row.Field<std::uint8_t>(21, c.tinyProp2);
    }
    rows.push_back(c);
  });
}

void ReadHobtColumnRows(const DatabaseContext& context, std::vector<HobtColumnRow>& rows) {
  ForEachSystemRow(context, kSysHobtColumns, kAllRecords, [&](const SystemRow& row) {
    if (!row.hasFixed()) return;
    HobtColumnRow c;
    c.hobtId = row.Field<std::int64_t>(0, c.hobtId);
    c.hobtColumnId = row.Field<std::int32_t>(8, c.hobtColumnId);
    c.leafOffset = row.Field<std::int16_t>(27, c.leafOffset);
    c.nullBit = row.Field<std::int16_t>(33, c.nullBit);
    rows.push_back(c);
  });
}

void ReadRowsetColumnMapRows(const DatabaseContext& context,
                             std::vector<RowsetColumnMapRow>& rows) {
  ForEachSystemRow(context, kSysRowsetColumns, kAllRecords, [&](const SystemRow& row) {
    RowsetColumnMapRow m;
    m.rowsetId = row.Field<std::int64_t>(0, m.rowsetId);
    m.columnKey = row.Field<std::int32_t>(8, m.columnKey);
    m.mappedColumnId = row.Field<std::int32_t>(12, m.mappedColumnId);
    rows.push_back(m);
  });
}

}  // namespace corvane

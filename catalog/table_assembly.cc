// AssembleTable: the column descriptors, keys, constraints and data pages of
// one object, rewritten into the catalog's working set.

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

#include "catalog/catalog.h"
#include "catalog/column_type_codes.h"
#include "catalog/system_type_names.h"

namespace corvane {
namespace {

// Object types that have no columns of their own: the result is their
// properties (id, type, name) instead.
bool IsPropertyOnlyType(const std::string& type) {
  static const char* const kTypes[] = {"PK", "X ", "P ", "C ", "FN", "IF",
                                       "TR", "V ", "D ", "TT", "F ", "TF"};
  return std::any_of(std::begin(kTypes), std::end(kTypes),
                     [&](const char* t) { return type == t; });
}

const ObjectRow* FindObject(const Catalog& catalog, const std::string& name,
                            const std::string& type) {
  for (const ObjectRow& o : catalog.objects)
    if (o.name == name && (o.type == type || (o.type != "U " && o.type != "S "))) return &o;
  return nullptr;
}

std::vector<ColumnDescriptor> PropertyDescriptors(const ObjectRow& o) {
  std::vector<ColumnDescriptor> result(3);
  result[0].valueText = std::to_string(o.id);
  result[1].valueText = o.type;
  result[2].valueText = o.name;
  return result;
}

// Procedure parameters and the columns of the object's other numbered parts
// share the object id; bits 24 and 25 of it are ignored in the comparison.
constexpr std::int32_t kIgnoredIdBits = 0x03000000;

void CollectTableColumns(Catalog& catalog, bool legacy) {
  catalog.tableColumns.clear();
  catalog.tableLegacyColumns.clear();
  const std::int32_t key = catalog.currentObject.id & ~kIgnoredIdBits;
  std::set<std::int32_t> seen;
  if (legacy) {
    for (const LegacyColumnRow& c : catalog.legacyColumns)
      if ((c.objectId & ~kIgnoredIdBits) == key && seen.insert(c.columnId).second)
        catalog.tableLegacyColumns.push_back(c);
  } else {
    for (const ColumnRow& c : catalog.columns)
      if ((c.objectId & ~kIgnoredIdBits) == key && c.number == 0 && seen.insert(c.columnId).second)
        catalog.tableColumns.push_back(c);
  }
}

// The physical layout of the main rowset (SQL Server 2005 and later).
void CollectPhysicalColumns(Catalog& catalog, bool legacy) {
  catalog.tableRowsetColumns.clear();
  catalog.tableHobtColumns.clear();
  catalog.tableRowsetColumnMaps.clear();
  if (legacy) return;
  const std::int64_t rowset = catalog.currentRowset.rowsetId;
  for (const RowsetColumnRow& r : catalog.rowsetColumns)
    if (r.rowsetId == rowset) catalog.tableRowsetColumns.push_back(r);
  if (!catalog.tableRowsetColumns.empty()) return;
  for (const HobtColumnRow& h : catalog.hobtColumns)
    if (h.hobtId == rowset) catalog.tableHobtColumns.push_back(h);
  for (const RowsetColumnMapRow& m : catalog.rowsetColumnMaps) {
    if (m.rowsetId != rowset) continue;
    for (HobtColumnRow& h : catalog.tableHobtColumns)
      if (h.hobtColumnId == m.columnKey) h.mappedColumnId = m.mappedColumnId;
    catalog.tableRowsetColumnMaps.push_back(m);
  }
}

struct IndexColumn {
  IndexColumnRow row;
  std::int32_t indexStatus = 0;
};

std::vector<IndexColumn> CollectIndexes(Catalog& catalog) {
  const std::int32_t id = catalog.currentObject.id;
  catalog.tableIndexes.clear();
  for (const IndexRow& x : catalog.indexes)
    if (x.objectId == id && x.indexId > 0 && (x.status & 0x01)) catalog.tableIndexes.push_back(x);
  std::vector<IndexColumn> columns;
  for (const IndexRow& x : catalog.tableIndexes)
    for (const IndexColumnRow& c : catalog.indexColumns)
      if (c.indexObjectId == id && c.indexId == x.indexId) columns.push_back({c, x.status});
  return columns;
}

// The type's name: the user type when it is a dbo type of this system type,
// else the first type row of the system type id, else SQL Server's own name
// for that id (SQL Server 2000 has no sysscalartypes).
std::string TypeName(const Catalog& catalog, std::int32_t typeId, std::int32_t userTypeId) {
  const TypeRow* first = nullptr;
  for (const TypeRow& t : catalog.types) {
    if (!first && t.id == typeId) first = &t;
    if (t.id == userTypeId && t.typeId == typeId && t.schemaId == 1) return t.name;
  }
  if (first) return first->name;
  return std::string(SystemTypeName(typeId, userTypeId));
}

std::int16_t SizeInParentheses(const std::string& typeText) {
  const auto open = typeText.find('(');
  const auto close = typeText.find(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return 0;
  return static_cast<std::int16_t>(std::atoi(typeText.substr(open + 1, close - open - 1).c_str()));
}

// Type code, size and storage kind of a column.
void ApplyType(ColumnDescriptor& d, std::int32_t typeId, std::int32_t userTypeId, bool legacy) {
  d.typeCode = typeId == 34 ? kTypeImage : TypeCodeOf(typeId);
  if (!legacy && d.typeCode == kTypeClr) {
    if (userTypeId == 129) d.typeCode = kTypeGeometry;
    if (userTypeId == 128) d.typeCode = kTypeHierarchyId;
  }
  switch (d.typeCode) {
    case kTypeBinary: case kTypeChar: case kTypeNChar: case kTypeNumeric: case kTypeDecimal:
      d.size = SizeInParentheses(d.typeText);
      break;
    case kTypeNVarChar: case kTypeNText: case kTypeText: case kTypeClr: case kTypeXml:
      d.size = SizeInParentheses(d.typeText);
      d.variableLength = true;
      break;
    case kTypeNVarCharAlias:
      d.size = SizeInParentheses(d.typeText);
      d.variableLength = true;
      d.typeCode = kTypeNVarChar;
      break;
    case kTypeSqlVariant: case kTypeUniqueIdentifier: case kTypeVarBinary: case kTypeVarChar:
    case kTypeImage:
      d.variableLength = true;
      break;
    case kTypeHierarchyId: case kTypeGeometry:
      d.variableLength = true;
      d.typeCode = kTypeVarChar;
      break;
    default:
      if (d.typeCode > kLastTypeCode) {
        d.variableLength = true;
        d.typeCode = kTypeVarChar;
      }
      break;
  }
}

ColumnDescriptor Describe(const Catalog& catalog, const ColumnRow& c) {
  ColumnDescriptor d;
  d.typeText = TypeName(catalog, c.typeId, c.userTypeId) + "(" + std::to_string(c.maxLength) + ")";
  ApplyType(d, c.typeId, c.userTypeId, /*legacy=*/false);
  d.columnId = c.columnId;
  d.name = c.name;
  d.nullable = (c.status & 0x01) == 0;
  d.sparse = (c.status & (1 << 24)) != 0;
  d.precision = c.precision;
  d.scale = c.scale;
  d.collationId = c.collationId;
  d.identityText = c.identity;
  d.physicalColumnId = c.columnId;
  d.hasPhysicalInfo = true;
  return d;
}

ColumnDescriptor Describe(const Catalog& catalog, const LegacyColumnRow& c) {
  ColumnDescriptor d;
  d.typeText = TypeName(catalog, c.typeId, c.userTypeId) + "(" + std::to_string(c.maxLength) + ")";
  ApplyType(d, c.typeId, c.userTypeId, /*legacy=*/true);
  d.columnId = c.columnId;
  d.name = c.name;
  // syscolumns rows end at offset 42, before the status byte a longer row
  // would hold there; typestat bit 0 is what marks a column NOT NULL.
  d.nullable = (c.typeStatus & 0x01) == 0;
  d.precision = c.precision;
  d.scale = c.scale;
  d.collationId = c.collationId;
  d.physicalColumnId = c.columnId;
  d.nullBit = c.bitPosition;
  d.leafOffset = c.storedOffset;
  d.legacyLeafOffset = c.leafOffset;
  return d;
}

// The default value of column `key` of the current object: the decoded
// stored values listed for it, joined; `text` unchanged when there is none.
void ApplyDefaultValue(const Catalog& catalog, const std::vector<ObjectValueEntry>& values,
                       std::int32_t key, std::string& text) {
  const std::string objectId = std::to_string(catalog.currentObject.id);
  const std::string subId = std::to_string(key);
  std::string joined;
  bool found = false;
  for (const ObjectValueEntry& v : values) {
    if (v.objectIdText != objectId || v.subObjectIdText != subId || v.storedValue.empty()) continue;
    joined += DecodeStoredValue(v.storedValue);
    found = true;
  }
  if (found) text = std::move(joined);
}

ColumnDescriptor* FindDescriptor(std::vector<ColumnDescriptor>& list, std::int32_t columnId) {
  for (ColumnDescriptor& d : list)
    if (d.columnId == columnId) return &d;
  return nullptr;
}

// SQL Server 2005 keeps the physical layout in syshobtcolumns, mapped to the
// table's columns through sysrowsetcolumns.
void ApplyHobtPositions(Catalog& catalog, const std::vector<ObjectValueEntry>& values) {
  auto& list = catalog.tableDescriptors;
  for (const HobtColumnRow& h : catalog.tableHobtColumns) {
    if (ColumnDescriptor* d = FindDescriptor(list, h.hobtColumnId)) {
      d->leafOffset = h.leafOffset;
      d->hasPhysicalInfo = true;
      d->nullBit = h.nullBit;
      d->physicalColumnId = h.mappedColumnId;
      continue;
    }
    ColumnDescriptor stored;
    stored.columnId = h.hobtColumnId;
    stored.leafOffset = h.leafOffset;
    stored.nullBit = h.nullBit;
    stored.physicalColumnId = kNotStoredColumn;
    if (!list.empty()) ApplyDefaultValue(catalog, values, h.hobtColumnId, stored.valueText);
    if (list.size() != catalog.tableHobtColumns.size()) list.push_back(std::move(stored));
  }
  const std::vector<ColumnDescriptor> before = list;
  for (ColumnDescriptor& d : list) {
    const auto it = std::find_if(before.begin(), before.end(), [&](const ColumnDescriptor& s) {
      return s.columnId == d.physicalColumnId;
    });
    if (it != before.end()) {
      d.leafOffset = it->leafOffset;
      d.nullBit = it->nullBit;
    } else {
      ApplyDefaultValue(catalog, values, d.physicalColumnId, d.valueText);
    }
  }
}

void ApplyPhysicalPositions(Catalog& catalog, const std::vector<ObjectValueEntry>& values) {
  auto& list = catalog.tableDescriptors;
  for (const RowsetColumnRow& r : catalog.tableRowsetColumns) {
    if (ColumnDescriptor* d = FindDescriptor(list, r.rowsetColumnId)) {
      // Both words carry more than the position in their high 16 bits
      // (nullbit of the first index key column is 0x10001): the position is
      // the low 16 bits.
      d->leafOffset = static_cast<std::int16_t>(r.leafOffset & 0xFFFF);
      d->physicalColumnId = r.hobtColumnId;
      d->hasPhysicalInfo = true;
      d->nullBit = r.nullBit & 0xFFFF;
    }
  }
  if (catalog.tableRowsetColumns.empty() && catalog.tableHobtColumns.empty())
    for (ColumnDescriptor& d : list) d.hasPhysicalInfo = true;
  if (!catalog.tableHobtColumns.empty()) {
    ApplyHobtPositions(catalog, values);
    return;
  }
  for (ColumnDescriptor& d : list) {
    if (d.hasPhysicalInfo) continue;
    const std::int32_t key = d.physicalColumnId;
    d.physicalColumnId = kNotStoredColumn;
    ApplyDefaultValue(catalog, values, key, d.valueText);
  }
}

void ApplyKeys(Catalog& catalog, const std::vector<IndexColumn>& indexColumns) {
  for (ColumnDescriptor& d : catalog.tableDescriptors) {
    for (const IndexColumn& c : indexColumns) {
      if (c.row.intProp != d.columnId) continue;
      if (c.indexStatus & 0x20) d.inPrimaryKey = true;
      if (c.indexStatus & 0x08) d.inUniqueIndex = true;
      if (c.indexStatus & 0x40) d.inUniqueConstraint = true;
    }
  }
  for (const ForeignKeyColumn& f : catalog.foreignKeyColumns) {
    if (f.parentTableId != catalog.currentObject.id) continue;
    if (f.referencedColumnName.empty() || f.referencedTableName.empty()) continue;
    for (ColumnDescriptor& d : catalog.tableDescriptors) {
      if (d.columnId != f.parentColumnId) continue;
      d.inForeignKey = true;
      d.referencedColumn = f.referencedColumnName;
      d.referencedTable = f.referencedTableName;
    }
  }
}

}  // namespace

std::vector<ColumnDescriptor> AssembleTable(Catalog& catalog, const std::string& name,
                                            const std::string& type,
                                            const std::vector<ObjectValueEntry>& objectValueList) {
  catalog.tableDescriptors.clear();
  const ObjectRow* found = FindObject(catalog, name, type);
  if (!found) {
    catalog.currentObject = ObjectRow{};
    return {};
  }
  catalog.currentObject = *found;
  const ObjectRow& object = catalog.currentObject;
  const bool legacy = catalog.context && catalog.context->app().legacyLayout.load();

  catalog.tableChildren.clear();
  for (const ObjectRow& o : catalog.objects) {
    if (o.parentId != object.id) continue;
    catalog.tableChildren.push_back(
        {o.type == "PK", o.type == "F ", o.type == "UQ", o.name, legacy ? o.parentId : o.id, o.type});
  }
  if (IsPropertyOnlyType(object.type)) {
    catalog.isTable = false;
    return PropertyDescriptors(object);
  }

  catalog.isTable = false;
  LocateTablePages(catalog);
  CollectTableColumns(catalog, legacy);
  CollectPhysicalColumns(catalog, legacy);
  const std::vector<IndexColumn> indexColumns = CollectIndexes(catalog);

  auto& list = catalog.tableDescriptors;
  if (legacy) {
    for (const LegacyColumnRow& c : catalog.tableLegacyColumns)
      if (c.typeId != 0) list.push_back(Describe(catalog, c));
  } else {
    for (const ColumnRow& c : catalog.tableColumns)
      if (c.typeId != 0) list.push_back(Describe(catalog, c));
  }
  std::stable_sort(list.begin(), list.end(), [](const ColumnDescriptor& a, const ColumnDescriptor& b) {
    return a.columnId < b.columnId;
  });
  ApplyPhysicalPositions(catalog, objectValueList);
  ApplyKeys(catalog, indexColumns);

  catalog.firstStoredColumn = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].physicalColumnId != kNotStoredColumn) {
      catalog.firstStoredColumn = static_cast<std::int32_t>(i);
      break;
    }
  }
  catalog.isTable = true;
  return list;
}

}  // namespace corvane

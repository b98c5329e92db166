// AssembleTable: column descriptors, keys and children of one object.

#include <gtest/gtest.h>

#include "catalog/catalog.h"
#include "catalog/column_type_codes.h"
#include "tests/support/system_table_file.h"

namespace corvane {
namespace {

constexpr std::int32_t kTable = 600;
constexpr std::int64_t kRowset = 0x0100000000900000;

ObjectRow Object(std::int32_t id, const std::string& name, const std::string& type, std::int32_t parent = 0) {
  ObjectRow o;
  o.id = id;
  o.name = name;
  o.type = type;
  o.parentId = parent;
  o.status = 0;
  return o;
}

ColumnRow Column(std::int32_t colid, const std::string& name, std::uint8_t typeId, std::int16_t length,
                 std::int32_t status = 0, std::int32_t userType = -1) {
  ColumnRow c;
  c.objectId = kTable;
  c.number = 0;
  c.columnId = colid;
  c.name = name;
  c.typeId = typeId;
  c.userTypeId = userType < 0 ? typeId : userType;
  c.maxLength = length;
  c.status = status;
  return c;
}

TypeRow Type(std::int32_t id, const std::string& name, std::int32_t schema = 4) {
  TypeRow t;
  t.id = id;
  t.typeId = static_cast<std::uint8_t>(id < 256 ? id : 167);
  t.schemaId = schema;
  t.name = name;
  return t;
}

class Assembly : public ::testing::Test {
 protected:
  void SetUp() override {
    context_ = file_.Open(app_);
    ASSERT_TRUE(context_->valid());
    catalog_ = std::make_unique<Catalog>(context_.get());
    RowsetRow r;
    r.rowsetId = kRowset;
    r.objectId = kTable;
    r.indexId = 1;
    catalog_->rowsets = {r};
  }
  const ColumnDescriptor& Named(const std::vector<ColumnDescriptor>& list, const std::string& name) {
    for (const auto& d : list)
      if (d.name == name) return d;
    static const ColumnDescriptor none;
    ADD_FAILURE() << "no column " << name;
    return none;
  }

  testing::SystemTableFile file_;
  AppState app_;
  std::unique_ptr<DatabaseContext> context_;
  std::unique_ptr<Catalog> catalog_;
};

TEST_F(Assembly, TypesCodesAndSizes) {
  Catalog& c = *catalog_;
  c.objects = {Object(kTable, "dbo.T", "U ")};
  c.types = {Type(56, "int"), Type(231, "nvarchar"), Type(34, "image"), Type(240, "hierarchyid"),
             Type(167, "varchar"), Type(257, "empid", 1)};
  c.columns = {Column(5, "Pic", 34, 16), Column(1, "Id", 56, 4, 1), Column(2, "Name", 231, 100),
               Column(2, "Shadow", 56, 4), Column(3, "Node", 240, 892, 0, 128),
               Column(4, "Shape", 240, -1, 0, 129), Column(6, "Gone", 0, 4), Column(7, "Emp", 167, 9, 1, 257)};
  const auto list = AssembleTable(c, "dbo.T", "U ", {});
  ASSERT_EQ(list.size(), 6u);
  std::vector<std::int32_t> ids;
  for (const auto& d : list) ids.push_back(d.columnId);
  EXPECT_EQ(ids, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 7}));  // sorted, first of equal ids kept

  EXPECT_EQ(list[0].typeText, "int(4)");
  EXPECT_FALSE(list[0].nullable);
  EXPECT_EQ(list[1].name, "Name");
  EXPECT_EQ(list[1].typeText, "nvarchar(100)");  // bytes, not characters
  EXPECT_EQ(list[1].size, 100);
  EXPECT_TRUE(list[1].variableLength);
  EXPECT_EQ(list[2].typeCode, kTypeVarChar);  // hierarchyid decoded as varchar
  EXPECT_EQ(list[3].typeCode, kTypeVarChar);  // geometry
  EXPECT_TRUE(list[3].variableLength);
  EXPECT_EQ(list[4].typeCode, kTypeImage);
  EXPECT_EQ(list[5].typeText, "empid(9)");  // a dbo user type over varchar
  EXPECT_TRUE(c.isTable);
  EXPECT_EQ(c.firstStoredColumn, 0);
}

TEST_F(Assembly, PhysicalPositionsComeFromTheLow16BitsOfSysrscols) {
  Catalog& c = *catalog_;
  c.objects = {Object(kTable, "dbo.T", "U ")};
  c.columns = {Column(1, "Key", 56, 4, 1), Column(2, "Note", 231, 40), Column(3, "Computed", 56, 4)};
  RowsetColumnRow key;
  key.rowsetId = kRowset;
  key.rowsetColumnId = 1;
  key.hobtColumnId = 1;
  key.leafOffset = 0x10004;  // high word: not part of the offset
  key.nullBit = 0x10001;     // high word: ordinal of the index key column
  RowsetColumnRow note = key;
  note.rowsetColumnId = note.hobtColumnId = 2;
  note.leafOffset = 0xFFFF;  // first variable column
  note.nullBit = 2;
  c.rowsetColumns = {key, note};
  const auto list = AssembleTable(c, "dbo.T", "U ", {});
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].leafOffset, 4);
  EXPECT_EQ(list[0].nullBit, 1);
  EXPECT_EQ(list[1].leafOffset, -1);
  EXPECT_EQ(list[1].nullBit, 2);
  EXPECT_EQ(list[2].physicalColumnId, 3);  // no sysrscols row
  EXPECT_EQ(list[2].nullBit, -1);
  EXPECT_TRUE(list[2].hasPhysicalInfo);
  EXPECT_EQ(c.tableRowsetColumns.size(), 2u);
}

TEST_F(Assembly, Sql2005HobtColumnsAddAStoredColumnWithoutCatalogColumn) {
  Catalog& c = *catalog_;
  c.objects = {Object(kTable, "dbo.T", "U ")};
  c.columns = {Column(1, "Name", 167, 20)};
  HobtColumnRow uniquifier{kRowset, 0, -1, 0, -1};
  HobtColumnRow name{kRowset, 1, -2, 1, -1};
  c.hobtColumns = {uniquifier, name};
  c.rowsetColumnMaps = {{kRowset, 0, 0}, {kRowset, 1, 1}};
  const std::vector<ObjectValueEntry> values{{std::to_string(kTable), "0", "0x280030002900"}};
  const auto list = AssembleTable(c, "dbo.T", "U ", values);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].name, "Name");
  EXPECT_EQ(list[0].leafOffset, -2);
  EXPECT_EQ(list[0].physicalColumnId, 1);
  EXPECT_EQ(list[1].physicalColumnId, kNotStoredColumn);
  EXPECT_EQ(list[1].columnId, 0);
  EXPECT_EQ(list[1].valueText, "(0)");
  EXPECT_EQ(c.firstStoredColumn, 0);
}

TEST_F(Assembly, KeysForeignKeysAndChildren) {
  Catalog& c = *catalog_;
  c.objects = {Object(kTable, "dbo.T", "U "), Object(601, "dbo.PK_T", "PK", kTable),
               Object(602, "dbo.FK_T_U", "F ", kTable), Object(603, "dbo.UQ_T", "UQ", kTable)};
  c.columns = {Column(1, "Id", 56, 4, 1), Column(2, "Ref", 56, 4), Column(3, "Code", 56, 4)};
  IndexRow pk;
  pk.objectId = kTable;
  pk.indexId = 1;
  pk.status = 0x2B;  // in use, unique, primary key
  IndexRow uq = pk;
  uq.indexId = 2;
  uq.status = 0x49;  // in use, unique index, unique constraint
  IndexRow off = pk;
  off.indexId = 3;
  off.status = 0x20;  // not in use (bit 0 clear)
  c.indexes = {pk, uq, off};
  auto key = [](std::int32_t indid, std::int32_t column) {
    IndexColumnRow r;
    r.indexObjectId = kTable;
    r.indexId = indid;
    r.intProp = column;
    return r;
  };
  c.indexColumns = {key(1, 1), key(2, 3), key(3, 2)};
  ForeignKeyColumn fk;
  fk.parentTableId = kTable;
  fk.parentColumnId = 2;
  fk.referencedTableName = "dbo.U";
  fk.referencedColumnName = "Id";
  ForeignKeyColumn nameless = fk;
  nameless.parentColumnId = 3;
  nameless.referencedColumnName = "";
  c.foreignKeyColumns = {fk, nameless};

  const auto list = AssembleTable(c, "dbo.T", "U ", {});
  ASSERT_EQ(list.size(), 3u);
  EXPECT_TRUE(list[0].inPrimaryKey);
  EXPECT_FALSE(list[1].inPrimaryKey);  // its index is not in use
  EXPECT_TRUE(list[2].inUniqueIndex);
  EXPECT_TRUE(list[2].inUniqueConstraint);
  EXPECT_TRUE(list[1].inForeignKey);
  EXPECT_EQ(list[1].referencedTable, "dbo.U");
  EXPECT_FALSE(list[2].inForeignKey);  // referenced names unknown
  ASSERT_EQ(c.tableChildren.size(), 3u);
  EXPECT_TRUE(c.tableChildren[0].isPrimaryKey);
  EXPECT_TRUE(c.tableChildren[1].isForeignKey);
  EXPECT_TRUE(c.tableChildren[2].isUnique);
  EXPECT_EQ(c.tableChildren[0].id, 601);
}

TEST_F(Assembly, ObjectsWithoutColumnsGiveTheirProperties) {
  Catalog& c = *catalog_;
  c.objects = {Object(700, "dbo.Sales", "V "), Object(kTable, "dbo.T", "U ")};
  c.tablePages = {{1, 42}};
  const auto list = AssembleTable(c, "dbo.Sales", "U ", {});  // a view named like the table asked for
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].valueText, "700");
  EXPECT_EQ(list[1].valueText, "V ");
  EXPECT_EQ(list[2].valueText, "dbo.Sales");
  EXPECT_FALSE(c.isTable);
  EXPECT_TRUE(c.tableDescriptors.empty());
  EXPECT_EQ(c.tablePages.size(), 1u);  // pages are not located for a view

  EXPECT_TRUE(AssembleTable(c, "T", "U ", {}).empty());  // the schema is part of the name
  EXPECT_EQ(c.currentObject.id, -1);
}

TEST_F(Assembly, Sql2000ColumnsUseTheStandardTypeNames) {
  app_.legacyLayout = true;
  Catalog& c = *catalog_;
  c.objects = {Object(kTable, "User", "U "), Object(kTable + 1, "PK_User", "PK", kTable)};
  LegacyColumnRow id;
  id.objectId = kTable;
  id.name = "UserID";
  id.typeId = 175;
  id.typeStatus = 3;  // NOT NULL
  id.maxLength = 36;
  id.columnId = 1;
  id.leafOffset = 4;
  id.storedOffset = 2;
  id.bitPosition = 0;
  id.collationId = 0x3400D008;
  LegacyColumnRow cell = id;
  cell.name = "CellNumber";
  cell.typeId = 167;
  cell.typeStatus = 2;
  cell.columnId = 8;
  cell.leafOffset = -6;
  c.legacyColumns = {cell, id};
  const auto list = AssembleTable(c, "User", "U ", {});
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].typeText, "char(36)");
  EXPECT_EQ(list[0].typeCode, kTypeChar);
  EXPECT_FALSE(list[0].nullable);
  EXPECT_EQ(list[0].leafOffset, 2);
  EXPECT_EQ(list[0].legacyLeafOffset, 4);
  EXPECT_EQ(list[1].typeText, "varchar(36)");
  EXPECT_TRUE(list[1].nullable);
  ASSERT_EQ(c.tableChildren.size(), 1u);
  EXPECT_EQ(c.tableChildren[0].id, kTable);  // the parent's id under the 2000 layout
}

TEST(StoredValue, DecodesHexadecimalText) {
  struct Case {
    const char* stored;
    const char* text;
  } cases[] = {
      {"", ""},
      {"0x", ""},
      {"0x414243", "ABC"},
      {"0x41004200", "AB"},           // a zero byte after the first: UTF-16
      {"0x28003000290000004100", "(0)"},  // UTF-16 up to the first zero character
      {"0x4", "@"},                   // odd digit count: the last digit is a high nibble
      {"0xE9", "\xC3\xA9"},           // Windows-1252 é
      {"0x80", "\xE2\x82\xAC"},       // Windows-1252 euro sign
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeStoredValue(c.stored), c.text) << c.stored;
}

}  // namespace
}  // namespace corvane

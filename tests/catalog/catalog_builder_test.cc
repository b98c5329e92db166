// BuildCatalog and ClearCatalog on small hand-built databases.

#include <gtest/gtest.h>

#include "catalog/catalog.h"
#include "catalog/row_readers.h"
#include "tests/support/system_table_file.h"

namespace corvane {
namespace {

using testing::FixedPart;
using testing::SystemRecord;
using testing::Utf16;

std::vector<std::uint8_t> Object(std::int32_t id, const std::string& type, const std::string& name,
                                 std::int32_t parent = 0, std::int32_t status = 0) {
  std::vector<std::vector<std::uint8_t>> var;
  if (!name.empty()) var.push_back(Utf16(name));
  return SystemRecord(FixedPart(40).Set(0, id).Set(4, 1).Set(9, status).Chars(13, type).Set(15, parent), var);
}

std::vector<std::uint8_t> Column(std::int32_t table, std::int32_t colid, const std::string& name) {
  std::vector<std::vector<std::uint8_t>> var;
  if (!name.empty()) var.push_back(Utf16(name));
  return SystemRecord(FixedPart(41).Set(0, table).Set(6, colid).Set<std::uint8_t>(10, 56).Set<std::int16_t>(15, 4),
                      var);
}

std::vector<std::uint8_t> Ref(std::uint8_t cls, std::int32_t dep, std::int32_t sub, std::int32_t indep,
                              std::int32_t indepSub) {
  return SystemRecord(FixedPart(21).Set(0, cls).Set(1, dep).Set(5, sub).Set(9, indep).Set(13, indepSub));
}

TEST(CatalogBuilder, Sql2005Catalog) {
  testing::SystemTableFile file;
  file.AddBootPage(611);
  file.AddPage(kSysClsObjs, {SystemRecord(FixedPart(31).Set<std::uint8_t>(0, 50).Set(1, 1), {Utf16("dbo")})});
  file.AddPage(kSysSchObjs, {Object(100, "U ", "Orders"), Object(200, "U ", "Customers"),
                             Object(300, "F ", "FK_Orders", 100, 7), Object(400, "V ", "")});
  file.AddPage(kSysColPars, {Column(100, 1, "Id"), Column(100, 2, "CustomerId"), Column(100, 3, ""),
                             Column(200, 1, "Id")});
  file.AddPage(kSysColParsExtraObjectId, {Column(200, 2, "")});
  file.AddPage(kSysSingleObjRefs, {Ref(28, 300, 1, 100, 2), Ref(29, 300, 1, 200, 1), Ref(28, 300, 2, 100, 1),
                                   Ref(29, 300, 2, 200, 2), Ref(29, 999, 1, 200, 1)});
  // SQL Server 2005 keeps system-table column definitions in the 2000
  // syscolumns layout under id 3: no rowset columns.
  file.AddPage(kSysRsCols, {SystemRecord(FixedPart(42).Set(0, 13), {Utf16("hobtid")}, 32)});
  file.AddPage(kSysHobtColumns, {SystemRecord(FixedPart(37).Set<std::int64_t>(0, 0x10000).Set(8, 1))});
  AppState app;
  app.legacyLayout = true;  // cleared: sysschobjs has rows
  auto ctx = file.Open(app);
  ASSERT_TRUE(ctx->valid());
  auto catalog = BuildCatalog(*ctx);
  ASSERT_TRUE(catalog);
  EXPECT_EQ(ctx->bootVersion(), 611);
  EXPECT_EQ(ctx->catalog(), catalog.get());
  EXPECT_FALSE(app.legacyLayout);

  ASSERT_EQ(catalog->objects.size(), 4u);
  EXPECT_EQ(catalog->objects[3].name, "dbo.Repairname0");
  ASSERT_EQ(catalog->columns.size(), 5u);
  EXPECT_EQ(catalog->columns[2].name, "RepairColumn0");  // the counter restarts for columns
  EXPECT_EQ(catalog->columns[4].name, "RepairColumn1");  // 2187 continues after 41
  EXPECT_EQ(catalog->columns[4].objectId, 200);
  EXPECT_TRUE(catalog->rowsetColumns.empty());
  EXPECT_EQ(catalog->hobtColumns.size(), 1u);

  ASSERT_EQ(catalog->foreignKeyColumns.size(), 2u);
  const ForeignKeyColumn& first = catalog->foreignKeyColumns[0];
  EXPECT_EQ(first.constraintColumnId, 1);
  EXPECT_EQ(first.constraintName, "dbo.FK_Orders");
  EXPECT_EQ(first.constraintStatus, 7);
  EXPECT_EQ(first.parentTableName, "dbo.Orders");
  EXPECT_EQ(first.parentColumnName, "CustomerId");
  EXPECT_EQ(first.referencedTableName, "dbo.Customers");
  EXPECT_EQ(first.referencedColumnName, "Id");
  EXPECT_EQ(catalog->foreignKeyColumns[1].parentColumnName, "Id");
  EXPECT_EQ(catalog->foreignKeyColumns[1].referencedColumnName, "RepairColumn1");
}

std::vector<std::uint8_t> LegacyObject(std::int32_t id, const std::string& type, const std::string& name) {
  return SystemRecord(FixedPart(38).Set(0, id).Chars(4, type), {Utf16(name)});
}

std::vector<std::uint8_t> LegacyIndex(std::int32_t id, std::int16_t indid, std::int64_t rows) {
  return SystemRecord(FixedPart(78).Set(0, id).Set(14, indid).Set(40, rows), {Utf16("x")});
}

std::vector<std::uint8_t> LegacyColumn(std::int32_t id, std::int16_t colid, const std::string& name,
                                       std::uint8_t typestat) {
  return SystemRecord(FixedPart(42).Set(0, id).Set<std::uint8_t>(4, 56).Set(5, typestat).Set(12, colid)
                          .Set<std::int16_t>(30, colid),
                      {Utf16(name)}, 21);
}

TEST(CatalogBuilder, Sql2000CatalogListsHeapsAndClusteredTables) {
  testing::SystemTableFile file;
  file.AddPage(kSysObjects, {LegacyObject(50, "S ", "sysx"), LegacyObject(200, "U ", "Heap"),
                             LegacyObject(300, "U ", "Clustered")});
  file.AddPage(kSysIndexes, {LegacyIndex(50, 1, 3), LegacyIndex(200, 0, 7), LegacyIndex(300, 1, 9),
                             LegacyIndex(300, 2, 9), LegacyIndex(400, 0, 1)});
  file.AddPage(kSysColumns, {LegacyColumn(200, 1, "A", 1), LegacyColumn(300, 1, "K", 1),
                             LegacyColumn(200, 2, "B", 0)});
  AppState app;
  auto ctx = file.Open(app);
  auto catalog = BuildCatalog(*ctx);
  EXPECT_TRUE(app.legacyLayout);
  EXPECT_EQ(catalog->objects.size(), 3u);
  EXPECT_TRUE(catalog->columns.empty());
  EXPECT_EQ(catalog->legacyColumns.size(), 3u);
  EXPECT_EQ(catalog->legacyIndexes.size(), 2u);  // index id 1 only
  EXPECT_EQ(catalog->legacyBaseIndexes.at(200).rowCount, 7);

  ASSERT_EQ(catalog->legacyTables.size(), 3u);  // object ids above 100, heap or clustered
  EXPECT_EQ(catalog->legacyTables[0].name, "Heap");
  ASSERT_EQ(catalog->legacyTables[0].columns.size(), 2u);
  EXPECT_EQ(catalog->legacyTables[0].columns[1].name, "B");
  EXPECT_EQ(catalog->legacyTables[0].columns[0].typeStatus, 1);
  EXPECT_EQ(catalog->legacyTables[1].name, "Clustered");
  EXPECT_EQ(catalog->legacyTables[2].name, "");  // no object row for 400
}

TEST(CatalogBuilder, GarbageUnderEverySystemTableIsReadWithoutHarm) {
  // Pages of random bytes with a valid header and slot array: every record
  // length, offset and count in them is arbitrary.
  std::uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  testing::SystemTableFile file;
  for (std::int32_t id : {kSysFiles1, kSysClsObjs, kSysSchObjs, kSysObjects, kSysAllocUnits, kSysRowsets,
                          kSysIndexes, kSysColumns, kSysColPars, kSysScalarTypes, kSysSingleObjRefs,
                          kSysIdxStats, kSysIsCols, kSysHobtColumns, kSysRowsetColumns}) {
    for (int variant = 0; variant < 3; ++variant) {
      std::vector<std::vector<std::uint8_t>> records;
      for (int r = 0; r < 12; ++r) {
        std::vector<std::uint8_t> rec(8 + next() % 300);
        for (auto& b : rec) b = static_cast<std::uint8_t>(next() >> 16);
        rec[0] = static_cast<std::uint8_t>(rec[0] & 0x31);  // mostly primary records
        records.push_back(std::move(rec));
      }
      file.AddPage(id, records);
    }
  }
  for (bool legacy : {false, true}) {
    AppState app;
    auto ctx = file.Open(app);
    auto catalog = BuildCatalog(*ctx);
    ASSERT_TRUE(catalog);
    app.legacyLayout = legacy;
    const auto objects = catalog->objects;
    for (const ObjectRow& o : objects) AssembleTable(*catalog, o.name, o.type, {});
  }
}

TEST(CatalogLifecycle, ClearKeepsTheSql2000TablesAndTheLastAssembly) {
  testing::SystemTableFile file;
  AppState app;
  auto ctx = file.Open(app);
  Catalog catalog(ctx.get());
  catalog.objects.resize(2);
  catalog.columns.resize(2);
  catalog.files.resize(1);
  catalog.tablePages.resize(3);
  catalog.tableChildren.resize(1);
  catalog.legacyColumns.resize(2);
  catalog.legacyIndexes[5] = {};
  catalog.tableDescriptors.resize(4);
  catalog.currentObject.id = 9;
  ClearCatalog(catalog);
  EXPECT_TRUE(catalog.objects.empty());
  EXPECT_TRUE(catalog.columns.empty());
  EXPECT_TRUE(catalog.files.empty());
  EXPECT_TRUE(catalog.tablePages.empty());
  EXPECT_TRUE(catalog.tableChildren.empty());
  EXPECT_EQ(catalog.legacyColumns.size(), 2u);
  EXPECT_EQ(catalog.legacyIndexes.size(), 1u);
  EXPECT_EQ(catalog.tableDescriptors.size(), 4u);
  EXPECT_EQ(catalog.currentObject.id, 9);
}

}  // namespace
}  // namespace corvane

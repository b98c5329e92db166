// The system-table readers on hand-built rows.

#include "catalog/row_readers.h"

#include <gtest/gtest.h>

#include "tests/support/system_table_file.h"

namespace corvane {
namespace {

using testing::FixedPart;
using testing::SystemRecord;
using testing::SystemTableFile;
using testing::Utf16;

std::vector<std::uint8_t> SchemaRecord(std::int32_t id, std::int32_t status, const std::string& name) {
  return SystemRecord(FixedPart(31).Set<std::uint8_t>(0, 50).Set(1, id).Set(5, status), {Utf16(name)});
}

std::vector<std::uint8_t> ObjectRecord(std::int32_t id, std::int32_t schemaId, const std::string& type,
                                       std::vector<std::vector<std::uint8_t>> name) {
  return SystemRecord(FixedPart(40).Set(0, id).Set(4, schemaId).Chars(13, type).Set<std::int32_t>(15, 0),
                      name);
}

TEST(ObjectRows, NamesGetTheirSchemaOrAnInventedName) {
  SystemTableFile file;
  file.AddPage(kSysClsObjs, {SchemaRecord(1, 0, "dbo"), SchemaRecord(5, 1, "PRIMARY")});
  file.AddPage(kSysSchObjs, {ObjectRecord(100, 1, "U ", {Utf16("Orders")}),
                             ObjectRecord(101, 5, "V ", {}),
                             ObjectRecord(102, 9, "P ", {}),
                             ObjectRecord(103, 1, "U ", {{0, 0, 'x', 0}}),
                             ObjectRecord(-1073624922, 4, "P ", {Utf16("sp_who")}),
                             ObjectRecord(0, 1, "U ", {Utf16("nothing")})});
  AppState app;
  auto ctx = file.Open(app);
  ASSERT_TRUE(ctx->valid());
  std::vector<SchemaRow> schemas;
  ReadSchemaRows(*ctx, schemas);
  ReaderState state;
  std::vector<ObjectRow> objects;
  ReadObjectRows(*ctx, /*legacy=*/false, schemas, state, objects);

  ASSERT_EQ(objects.size(), 5u);  // id 0 is no object; 2012+ system objects are negative
  EXPECT_EQ(objects[0].name, "dbo.Orders");
  EXPECT_EQ(objects[0].type, "U ");
  EXPECT_EQ(objects[1].name, "Repairname0");  // schema 5 is no schema (status 1)
  EXPECT_EQ(objects[2].name, "Repairname1");
  EXPECT_EQ(objects[3].name, "dbo.RepairColumn2");  // a stored name that is empty
  EXPECT_EQ(objects[4].id, -1073624922);
  EXPECT_EQ(objects[4].name, "sp_who");
}

TEST(ObjectRows, LegacyRowsTakeTypeAndParentFromTheSql2000Offsets) {
  SystemTableFile file;
  file.AddPage(kSysObjects, {SystemRecord(FixedPart(38).Set(0, 300).Chars(4, "PK").Set(15, 7).Set(24, 200),
                                          {Utf16("PK_T")})});
  AppState app;
  auto ctx = file.Open(app);
  ReaderState state;
  std::vector<ObjectRow> objects;
  ReadObjectRows(*ctx, /*legacy=*/true, {}, state, objects);
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0].type, "PK");
  EXPECT_EQ(objects[0].parentId, 200);
  EXPECT_EQ(objects[0].name, "PK_T");
}

TEST(RowPass, TakesRowsFromDataPagesOnly) {
  // An IAM page's header record (94 bytes) would pass every row minimum.
  const auto unit = SystemRecord(FixedPart(65).Set<std::int64_t>(0, 0x0100000000480000).Set<std::uint8_t>(8, 1));
  SystemTableFile file;
  file.AddPage(kSysAllocUnits, {SystemRecord(FixedPart(90))}, 0, kPageTypeIam);
  file.AddPage(kSysAllocUnits, {unit});
  AppState app;
  auto ctx = file.Open(app);
  std::vector<AllocationUnitRow> units;
  ReadAllocationUnitRows(*ctx, kSysAllocUnits, units);
  ASSERT_EQ(units.size(), 1u);
  EXPECT_EQ(units[0].allocationUnitId, 0x0100000000480000);
  EXPECT_EQ(units[0].unitType, 1);
}

TEST(RowPass, ShortRowsKeepTheirDefaults) {
  SystemTableFile file;
  file.AddPage(kSysRowsets, {SystemRecord(FixedPart(10).Set<std::int64_t>(0, 77))});
  AppState app;
  auto ctx = file.Open(app);
  std::vector<RowsetRow> rowsets;
  ReadRowsetRows(*ctx, rowsets);
  ASSERT_EQ(rowsets.size(), 1u);  // a default row all the same
  EXPECT_EQ(rowsets[0].rowsetId, 0);
  EXPECT_EQ(rowsets[0].rowCount, -1);
}

TEST(FileRows, NamesEndAtTheirFieldAndLoseTheirPadding) {
  FixedPart full(782);
  full.Set<std::uint32_t>(0, 2).Set<std::int16_t>(4, 3).NChars(6, "Sales_2    ").NChars(262, "D:\\old\\Sales_2.NDF   ");
  SystemTableFile file;
  file.AddPage(kSysFiles1, {SystemRecord(full), SystemRecord(FixedPart(500).NChars(6, "short"))});
  AppState app;
  auto ctx = file.Open(app);
  std::vector<SecondaryFile> files;
  ReadFileRows(*ctx, files);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].fileId, 3);
  EXPECT_EQ(files[0].logicalName, "Sales_2");
  EXPECT_EQ(files[0].physicalPath, "D:\\old\\Sales_2.NDF");
  EXPECT_EQ(files[1].logicalName, "");  // a row of 519 bytes or less
}

TEST(ColumnRows, IdentityNeedsStatusFiveAndNamesRestartTheCounter) {
  auto column = [](std::int32_t colid, std::int32_t status, std::vector<std::vector<std::uint8_t>> var) {
    return SystemRecord(FixedPart(41).Set(0, 100).Set(6, colid).Set<std::uint8_t>(10, 56).Set(23, status),
                        var);
  };
  const std::vector<std::uint8_t> identity00{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1};
  SystemTableFile file;
  file.AddPage(kSysColPars, {column(1, 5, {Utf16("Id"), identity00}), column(2, 1, {Utf16("B"), identity00}),
                             column(3, 0, {})});
  AppState app;
  auto ctx = file.Open(app);
  ReaderState state;
  state.repairCounter = 0;
  std::vector<ColumnRow> columns;
  ReadColumnRows(*ctx, kSysColPars, state, columns);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].identity, "identity(0,1)");
  EXPECT_EQ(columns[1].identity, "");
  EXPECT_EQ(columns[2].name, "RepairColumn0");
  EXPECT_EQ(columns[0].typeId, 56);
}

TEST(LegacyRows, HeapsAndClusteredIndexesBothCarryTheirRowCount) {
  auto index = [](std::int32_t id, std::int16_t indid, std::int64_t rows) {
    return SystemRecord(FixedPart(78).Set(0, id).Set<std::int32_t>(8, 40).Set(14, indid).Set(40, rows).Set<std::int32_t>(64, 41),
                        {Utf16("ix")});
  };
  SystemTableFile file;
  file.AddPage(kSysIndexes, {index(200, 0, 7), index(300, 1, 9), index(300, 2, 9)});
  AppState app;
  auto ctx = file.Open(app);
  std::map<std::int32_t, LegacyIndexEntry> clustered, base;
  ReadLegacyIndexRows(*ctx, clustered, base);
  ASSERT_EQ(clustered.size(), 1u);
  EXPECT_EQ(clustered.at(300).firstPage, 40);
  EXPECT_EQ(clustered.at(300).firstIamPage, 41);
  ASSERT_EQ(base.size(), 2u);
  EXPECT_EQ(base.at(200).rowCount, 7);
  EXPECT_EQ(base.at(300).rowCount, 9);
  EXPECT_EQ(base.at(300).indexId, 1);
}

TEST(LegacyRows, ColumnRowsEndBeforeTheStatusByte) {
  // Real syscolumns rows: 42 fixed bytes, 21 columns; offset 42 is the column count.
  SystemTableFile file;
  file.AddPage(kSysColumns, {SystemRecord(FixedPart(42).Set(0, 200).Set<std::uint8_t>(4, 167).Set<std::uint8_t>(5, 3)
                                              .Set<std::int16_t>(8, 15).Set<std::int16_t>(12, 2)
                                              .Set<std::int32_t>(34, 0x3400D008),
                                          {Utf16("Login")}, 21)});
  AppState app;
  auto ctx = file.Open(app);
  ReaderState state;
  std::vector<LegacyColumnRow> columns;
  ReadLegacyColumnRows(*ctx, state, columns);
  ASSERT_EQ(columns.size(), 1u);
  EXPECT_EQ(columns[0].name, "Login");
  EXPECT_EQ(columns[0].typeStatus, 3);
  EXPECT_EQ(columns[0].collationId, 0x3400D008);
  EXPECT_EQ(columns[0].status, 255);
}

}  // namespace
}  // namespace corvane

// The catalog of databases written by the test database builder, for every
// catalog layout it writes.

#ifdef CORVANE_HAVE_MDFGEN

#include <gtest/gtest.h>

#include "catalog/catalog.h"
#include "catalog/stored_row_count.h"
#include "tests/support/page_bytes.h"
#include "tests/support/recording_observer.h"
#include "tools/mdfgen/file_builder.h"

namespace corvane {
namespace {

namespace gen = mdfgen;

gen::Database Shop(int version) {
  gen::Database db;
  db.name = "Shop";
  db.version = version;
  gen::Table& customers = db.AddTable("Customers");
  customers.columns = {gen::Int("Id").NotNull().Identity(0, 1), gen::NVarChar("Name", 40),
                       gen::VarChar("Code", 8).NotNull()};
  customers.primaryKey = {"Id"};
  customers.uniqueKeys = {{"UQ_Customers_Code", {"Code"}}};
  customers.rows = {{0, "Ann", "A"}, {1, "Bob", "B"}, {2, "Cy", "C"}};
  gen::Table& log = db.AddTable("Log");  // a heap
  log.columns = {gen::Int("CustomerId").NotNull(), gen::DateTime("At"), gen::Decimal("Amount", 9, 2)};
  log.foreignKeys = {{"FK_Log_Customers", {"CustomerId"}, "Customers", {"Id"}}};
  log.rows = {{0, gen::Value(), gen::Value()}, {2, gen::Value(), gen::Value()}};
  return db;
}

const ObjectRow* Named(const Catalog& catalog, const std::string& name) {
  for (const ObjectRow& o : catalog.objects)
    if (o.name == name || o.name == "dbo." + name) return &o;
  return nullptr;
}

class MdfgenCatalog : public ::testing::TestWithParam<int> {};

TEST_P(MdfgenCatalog, TablesKeysAndRowCounts) {
  testing::TempDir dir;
  std::string error;
  gen::BuildResult written;
  const std::string path = dir.File("shop.mdf");
  ASSERT_TRUE(gen::WriteDatabaseFile(Shop(GetParam()), path, error, &written)) << error;
  AppState app;
  testing::RecordingObserver observer;
  auto ctx = DatabaseContext::Open(path, app, observer);
  ASSERT_TRUE(ctx->valid());
  auto catalog = BuildCatalog(*ctx);
  const bool legacy = GetParam() < 590;
  EXPECT_EQ(app.legacyLayout.load(), legacy);

  const ObjectRow* customers = Named(*catalog, "Customers");
  const ObjectRow* log = Named(*catalog, "Log");
  ASSERT_TRUE(customers && log);
  EXPECT_EQ(StoredRowCount(*catalog, customers->id, legacy), 3);
  EXPECT_EQ(StoredRowCount(*catalog, log->id, legacy), 2);

  auto columns = AssembleTable(*catalog, log->name, "U ", {});
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].typeText, "int(4)");
  EXPECT_EQ(columns[2].typeText, "decimal(5)");
  EXPECT_FALSE(columns[0].nullable);
  EXPECT_TRUE(columns[1].nullable);
  EXPECT_FALSE(catalog->tablePages.empty());
  if (!legacy) {
    EXPECT_TRUE(columns[0].inForeignKey);
    EXPECT_EQ(columns[0].referencedColumn, "Id");
  }

  columns = AssembleTable(*catalog, customers->name, "U ", {});
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[1].typeText, "nvarchar(80)");
  EXPECT_FALSE(catalog->tablePages.empty());
  if (!legacy) {
    EXPECT_EQ(columns[0].identityText, "identity(0,1)");
    EXPECT_TRUE(columns[0].inPrimaryKey);
    EXPECT_TRUE(columns[2].inUniqueConstraint);
  }
  bool hasPrimaryKey = false;
  for (const ChildObject& c : catalog->tableChildren) hasPrimaryKey |= c.isPrimaryKey;
  EXPECT_TRUE(hasPrimaryKey);
}

INSTANTIATE_TEST_SUITE_P(Versions, MdfgenCatalog, ::testing::Values(539, 611, 655, 661, 706, 782, 852));

}  // namespace
}  // namespace corvane

#endif  // CORVANE_HAVE_MDFGEN

// The catalog of every real database file: each user table that SQL Server
// itself lists is found under its own name, with the row count the catalog
// stores, and its columns have known types.

#include <gtest/gtest.h>

#include "catalog/catalog.h"
#include "catalog/stored_row_count.h"
#include "tests/support/expected_rows.h"
#include "tests/support/page_bytes.h"
#include "tests/support/recording_observer.h"

namespace corvane {
namespace {

std::string WithoutSchema(const std::string& name) {
  auto dot = name.find('.');
  return dot == std::string::npos ? name : name.substr(dot + 1);
}

const ObjectRow* FindById(const Catalog& catalog, std::int32_t id) {
  for (const ObjectRow& o : catalog.objects)
    if (o.id == id) return &o;
  return nullptr;
}

class CorpusCatalog : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    path_ = testing::CorpusFile(GetParam());
    if (path_.empty()) GTEST_SKIP() << "corpus not present";
    context_ = DatabaseContext::Open(path_, app_, observer_);
    ASSERT_TRUE(context_->valid());
    catalog_ = BuildCatalog(*context_);
    ASSERT_TRUE(catalog_);
  }

  std::string path_;
  AppState app_;
  testing::RecordingObserver observer_;
  std::unique_ptr<DatabaseContext> context_;
  std::unique_ptr<Catalog> catalog_;
};

TEST_P(CorpusCatalog, ReadsTheLayoutOfItsVersionWithoutInventedNames) {
  EXPECT_EQ(app_.legacyLayout.load(), context_->bootVersion() < 590);
  EXPECT_FALSE(catalog_->objects.empty());
  EXPECT_EQ(context_->catalog(), catalog_.get());
  for (const ObjectRow& o : catalog_->objects) {
    EXPECT_EQ(o.name.find("Repair"), std::string::npos) << o.id;
    EXPECT_EQ(o.type.size(), 2u) << o.name;
  }
  // Function return values are stored as nameless parameters (number 1,
  // column 0); only those get an invented name.
  for (const ColumnRow& c : catalog_->columns) {
    if (c.number != 0) continue;
    EXPECT_EQ(c.name.find("Repair"), std::string::npos) << c.objectId;
  }
  for (const LegacyColumnRow& c : catalog_->legacyColumns)
    EXPECT_EQ(c.name.find("Repair"), std::string::npos);
}

TEST_P(CorpusCatalog, ListsEveryUserTableWithItsStoredRowCount) {
  const bool legacy = app_.legacyLayout.load();
  for (const testing::ExpectedTable& t : testing::CorpusExpectedTables(GetParam())) {
    const ObjectRow* o = FindById(*catalog_, t.id);
    ASSERT_TRUE(o) << t.name;
    EXPECT_EQ(o->type, "U ") << t.name;
    EXPECT_EQ(WithoutSchema(o->name), t.name);
    // The sys tables that 2012 and later list have no rowset in the file.
    const auto stored = StoredRowCount(*catalog_, t.id, legacy);
    if (t.id > 0) {
      EXPECT_TRUE(stored) << t.name;
    }
    EXPECT_EQ(stored.value_or(0), t.rows) << t.name;
  }
}

TEST_P(CorpusCatalog, AssemblesEveryUserTableWithKnownTypes) {
  for (const testing::ExpectedTable& t : testing::CorpusExpectedTables(GetParam())) {
    const ObjectRow* o = FindById(*catalog_, t.id);
    ASSERT_TRUE(o) << t.name;
    const auto columns = AssembleTable(*catalog_, o->name, o->type, {});
    EXPECT_TRUE(catalog_->isTable) << t.name;
    EXPECT_EQ(catalog_->currentObject.id, t.id);
    if (t.id < 0) continue;  // columns of the 2012+ sys tables live in the resource database
    ASSERT_FALSE(columns.empty()) << t.name;
    if (t.rows > 0) {
      EXPECT_FALSE(catalog_->tablePages.empty()) << t.name;
    }
    for (const ColumnDescriptor& d : columns) {
      // A stored column without a catalog column (the uniquifier of a
      // non-unique clustered index) has no name and no type.
      if (d.physicalColumnId == kNotStoredColumn) continue;
      EXPECT_FALSE(d.name.empty()) << t.name;
      const auto paren = d.typeText.find('(');
      ASSERT_NE(paren, std::string::npos) << t.name << "." << d.name;
      EXPECT_GT(paren, 0u) << t.name << "." << d.name << ": " << d.typeText;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusCatalog, ::testing::ValuesIn(testing::CorpusSlugs()),
                         testing::CorpusTestName());

}  // namespace
}  // namespace corvane

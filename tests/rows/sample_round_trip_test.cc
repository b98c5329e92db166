// The bundled sample database, written in every catalog layout the builder
// knows, read back through catalog, retrieval and decoder: the values that
// were declared come out.

#include <gtest/gtest.h>

#include "cli/collecting_grid.h"
#include "rows/record_retrieval.h"
#include "tests/support/page_bytes.h"
#include "tests/support/recording_observer.h"
#include "tools/mdfgen/file_builder.h"
#include "tools/mdfgen/sample_database.h"

namespace corvane {
namespace {

class SampleRoundTrip : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(mdfgen::WriteDatabaseFile(mdfgen::SampleDatabase(GetParam()),
                                          dir_.File("sample.mdf"), error))
        << error;
    ctx_ = DatabaseContext::Open(dir_.File("sample.mdf"), app_, observer_);
    ASSERT_TRUE(ctx_->valid());
    catalog_ = BuildCatalog(*ctx_);
  }

  // The grid rows of `table` (first grid page).
  std::vector<std::vector<std::string>> Rows(const std::string& table) {
    AssembleTable(*catalog_, table, "U ", {});
    cli::CollectingGrid grid;
    RecordRetrieval retrieval(*ctx_, *catalog_, grid, observer_, RetrievalOptions{});
    retrieval.ShowTableRecords();
    return grid.rows();
  }
  std::string Cell(const std::string& table, std::size_t row, const std::string& column) {
    auto rows = Rows(table);
    const auto shown = GridColumns(*catalog_);
    for (std::size_t i = 0; i < shown.size(); ++i)
      if (catalog_->tableDescriptors[shown[i]].name == column)
        return row < rows.size() ? rows[row].at(i) : "<no row>";
    return "<no column>";
  }

  testing::TempDir dir_;
  AppState app_;
  testing::RecordingObserver observer_;
  std::unique_ptr<DatabaseContext> ctx_;
  std::unique_ptr<Catalog> catalog_;
};

TEST_P(SampleRoundTrip, DeclaredValuesComeBack) {
  const std::string dbo = "dbo.";
  auto name = [&](const char* t) { return GetParam() == 539 ? std::string(t) : dbo + t; };
  EXPECT_EQ(Rows(name("Customers")).size(), 7u);
  EXPECT_EQ(Cell(name("Customers"), 1, "Name"), "Борис Петров");
  EXPECT_EQ(Cell(name("Customers"), 5, "Name"), "佐藤 花子");
  EXPECT_EQ(Cell(name("Customers"), 6, "Email"), "NULL");
  EXPECT_EQ(Cell(name("Orders"), 0, "Total"), "149.9000");
  EXPECT_EQ(Cell(name("Orders"), 1, "Discount"), "NULL");
  EXPECT_EQ(Cell(name("Orders"), 3, "Total"), "2500000.7500");
  EXPECT_EQ(Rows(name("Orders")).size(), 5u) << "ghost rows stay hidden";
  EXPECT_EQ(Cell(name("Events"), 1, "Payload"), "0x") << "an empty varbinary is not NULL";
  EXPECT_EQ(Cell(name("Events"), 2, "Flag2"), "NULL");
  EXPECT_EQ(Cell(name("Events"), 2, "Flag3"), "False") << "bits after a NULL bit";
  EXPECT_EQ(Rows(name("Events")).size(), 4u) << "the forwarded row once";
  EXPECT_EQ(Cell(name("Products"), 2, "Title"), "Cocoa") << "after a dropped column";
  if (GetParam() >= 655) {
    EXPECT_EQ(Cell(name("Settings"), 1, "IntValue"), "NULL");
    EXPECT_EQ(Cell(name("Settings"), 1, "TextValue"), "Grüß Gott");
    EXPECT_EQ(Cell(name("Settings"), 2, "Until"), "2025-05-31");
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, SampleRoundTrip, ::testing::Values(539, 611, 661, 706, 852));

}  // namespace
}  // namespace corvane

// Record retrieval on databases written by the test database builder:
// grid pages of 1000 rows, paging, deleted records, page sources and damage.

#include "rows/record_retrieval.h"

#include <gtest/gtest.h>

#include "cli/collecting_grid.h"
#include "tests/support/page_bytes.h"
#include "tests/support/recording_observer.h"
#include "tools/mdfgen/damage.h"
#include "tools/mdfgen/file_builder.h"

namespace corvane {
namespace {

using mdfgen::Value;

// Tables of `rows` rows each: "Clustered" (clustered primary key) and "Heap".
mdfgen::Database TwoTables(int rows, int version = 661) {
  mdfgen::Database db;
  db.name = "Paging";
  db.version = version;
  for (const char* name : {"Clustered", "Heap"}) {
    mdfgen::Table& t = db.AddTable(name);
    t.columns = {mdfgen::Int("Id").NotNull(), mdfgen::NVarChar("Name", 20)};
    if (std::string(name) == "Clustered") t.primaryKey = {"Id"};
    for (int i = 1; i <= rows; ++i) t.rows.push_back({i, "row " + std::to_string(i)});
  }
  return db;
}

class Retrieval : public ::testing::Test {
 protected:
  // Writes the image, opens it and assembles `table`.
  bool Open(const std::vector<std::uint8_t>& image, const std::string& table) {
    path_ = dir_.Write("db.mdf", image);
    ctx_ = DatabaseContext::Open(path_, app_, observer_);
    if (!ctx_->valid()) return false;
    catalog_ = BuildCatalog(*ctx_);
    AssembleTable(*catalog_, table, "U ", {});
    retrieval_ = std::make_unique<RecordRetrieval>(*ctx_, *catalog_, grid_, observer_, options_);
    return catalog_->isTable;
  }
  std::vector<std::uint8_t> Image(const mdfgen::Database& db) {
    std::string error;
    auto image = mdfgen::BuildImage(db, &error);
    EXPECT_TRUE(image) << error;
    return image ? *image : std::vector<std::uint8_t>{};
  }
  std::int64_t CountAll() {
    std::int64_t n = retrieval_->ShowTableRecords();
    for (int k; (k = retrieval_->NextRecords()) >= 0;) n += k;
    return n;
  }

  testing::TempDir dir_;
  std::string path_;
  AppState app_;
  testing::RecordingObserver observer_;
  RetrievalOptions options_;
  cli::CollectingGrid grid_;
  std::unique_ptr<DatabaseContext> ctx_;
  std::unique_ptr<Catalog> catalog_;
  std::unique_ptr<RecordRetrieval> retrieval_;
};

TEST_F(Retrieval, PagesOfAThousandRowsWithNextAndPrevious) {
  for (const char* table : {"dbo.Clustered", "dbo.Heap"}) {
    ASSERT_TRUE(Open(Image(TwoTables(2500)), table)) << table;
    EXPECT_EQ(retrieval_->ShowTableRecords(), 1000) << table;
    EXPECT_EQ(retrieval_->pageLabel(), "Page1 - [1000](1-1000) Records");
    EXPECT_EQ(grid_.rows().front().front(), "1");
    EXPECT_EQ(grid_.rows().back().back(), "row 1000");
    EXPECT_FALSE(retrieval_->hasPrevious());
    EXPECT_EQ(retrieval_->NextRecords(), 1000);
    EXPECT_EQ(retrieval_->pageLabel(), "Page2 - [1000](1001-2000) Records");
    EXPECT_EQ(grid_.rows().front().front(), "1001");
    EXPECT_EQ(retrieval_->NextRecords(), 500);
    EXPECT_EQ(retrieval_->pageLabel(), "Page3 - [500](2001-2500) Records");
    EXPECT_FALSE(retrieval_->hasNext());
    EXPECT_EQ(retrieval_->NextRecords(), -1);
    EXPECT_EQ(retrieval_->PreviousRecords(), 1000);
    EXPECT_EQ(retrieval_->pageLabel(), "Page2 - [1000](1001-2000) Records");
    EXPECT_EQ(grid_.rows().front().front(), "1001") << "the grid shows what the label says";
    EXPECT_EQ(retrieval_->PreviousRecords(), 1000);
    EXPECT_EQ(grid_.rows().front().front(), "1");
    EXPECT_EQ(retrieval_->PreviousRecords(), -1);
  }
}

TEST_F(Retrieval, SourcesFollowTheTableKind) {
  ASSERT_TRUE(Open(Image(TwoTables(10)), "dbo.Clustered"));
  retrieval_->ShowTableRecords();
  EXPECT_EQ(retrieval_->sourceKind(), PageSourceKind::kPageChain);
  ASSERT_TRUE(Open(Image(TwoTables(10)), "dbo.Heap"));
  retrieval_->ShowTableRecords();
  EXPECT_EQ(retrieval_->sourceKind(), PageSourceKind::kIamChain);
  options_.advancedRecordMode = true;
  ASSERT_TRUE(Open(Image(TwoTables(10)), "dbo.Heap"));
  EXPECT_EQ(retrieval_->ShowTableRecords(), 10);
  EXPECT_EQ(retrieval_->sourceKind(), PageSourceKind::kTablePages);
}

TEST_F(Retrieval, EmptyTableShowsNothingAndLogsNoRange) {
  ASSERT_TRUE(Open(Image(TwoTables(0)), "dbo.Heap"));
  EXPECT_EQ(retrieval_->ShowTableRecords(), 0);
  EXPECT_TRUE(grid_.rows().empty());
  for (const auto& line : observer_.logs) EXPECT_EQ(line.find("rows to"), std::string::npos);
}

TEST_F(Retrieval, ACycleInThePageChainEndsTheWalk) {
  mdfgen::BuildResult result;
  std::string error;
  auto image = mdfgen::BuildImage(TwoTables(2500), &error, &result);
  ASSERT_TRUE(image) << error;
  const mdfgen::WrittenTable* t = result.Find("Clustered");
  ASSERT_TRUE(t && t->dataPages > 2);
  // The second data page of the chain links back to the first.
  std::int32_t second;
  std::memcpy(&second, image->data() + static_cast<std::size_t>(t->firstPage) * 8192 + 16, 4);
  mdfgen::Damage damage;
  damage.nextPointers = {{second, t->firstPage}};
  ASSERT_TRUE(Open(mdfgen::ApplyDamage(*image, damage), "dbo.Clustered"));
  const std::int64_t shown = CountAll();
  EXPECT_GT(shown, 0);
  EXPECT_LT(shown, 2500);
}

TEST_F(Retrieval, GhostForwardedAndDeletedRows) {
  mdfgen::Database db = TwoTables(0);
  auto& heap = db.tables[1].rows;
  heap = {{1, "live"}, mdfgen::Ghost({2, "ghost"}), mdfgen::Forwarded({3, "moved"}),
          mdfgen::Deleted({4, "lost"}), {5, "live too"}};
  const auto image = Image(db);
  ASSERT_TRUE(Open(image, "dbo.Heap"));
  EXPECT_EQ(CountAll(), 3) << "live rows, the forwarded one once";
  app_.showDeleted = true;
  ASSERT_TRUE(Open(image, "dbo.Heap"));
  EXPECT_EQ(CountAll(), 4) << "with the ghost";
  app_.showAdvancedDeleted = true;
  ASSERT_TRUE(Open(image, "dbo.Heap"));
  EXPECT_GE(CountAll(), 5) << "with the record no slot references";
}

TEST_F(Retrieval, TornAndShiftedFilesReadTheSame) {
  mdfgen::BuildResult result;
  std::string error;
  auto image = mdfgen::BuildImage(TwoTables(300), &error, &result);
  ASSERT_TRUE(image) << error;
  mdfgen::Damage damage;
  for (std::int32_t p = 0; p < result.pageCount; ++p) damage.tornPages.push_back(p);
  damage.bytesBefore = 1234;
  ASSERT_TRUE(Open(mdfgen::ApplyDamage(*image, damage), "dbo.Heap"));
  EXPECT_EQ(CountAll(), 300);
  EXPECT_EQ(ctx_->baseOffset(), 1234u);
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// A table whose pages live in a secondary file recorded under a Windows path
// in another case: found beside the primary file and read through.
TEST_F(Retrieval, TablesInASecondaryFile) {
  for (const char* table : {"dbo.Clustered", "dbo.Heap"}) {
    mdfgen::Database db = TwoTables(1500);
    db.secondaryFiles = {{"Sales_2", "D:\\old\\Sales_2.NDF"}};
    for (auto& t : db.tables) t.fileId = 3;
    std::string error;
    ASSERT_TRUE(mdfgen::WriteDatabaseFile(db, dir_.File("main.mdf"), error)) << error;
    ctx_ = DatabaseContext::Open(dir_.File("main.mdf"), app_, observer_);
    ASSERT_TRUE(ctx_->valid());
    catalog_ = BuildCatalog(*ctx_);
    ASSERT_EQ(ctx_->secondaryFiles().count(3), 1u);
    AssembleTable(*catalog_, table, "U ", {});
    retrieval_ = std::make_unique<RecordRetrieval>(*ctx_, *catalog_, grid_, observer_, options_);
    EXPECT_EQ(CountAll(), 1500) << table;
    EXPECT_EQ(grid_.rows().back().front(), "1500") << table;
  }
}

}  // namespace
}  // namespace corvane

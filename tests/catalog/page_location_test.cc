// LocateTablePages: rowsets, allocation units and data pages of one table.

#include <gtest/gtest.h>

#include "catalog/catalog.h"
#include "tests/support/system_table_file.h"

namespace corvane {
namespace {

constexpr std::int32_t kTable = 500;

// User allocation units and rowsets are numbered (1 << 56) | (n << 16).
constexpr std::int64_t UserUnit(std::int64_t n) { return (std::int64_t{1} << 56) | (n << 16); }

RowsetRow Rowset(std::int64_t id, std::int32_t indexId, std::int32_t partition = 1) {
  RowsetRow r;
  r.rowsetId = id;
  r.objectId = kTable;
  r.indexId = indexId;
  r.partitionNumber = partition;
  return r;
}

AllocationUnitRow Unit(std::int64_t id, std::int64_t owner, std::uint8_t type = 1) {
  AllocationUnitRow a;
  a.allocationUnitId = id;
  a.ownerId = owner;
  a.unitType = type;
  a.firstPage = {1, 9};
  return a;
}

class PageLocation : public ::testing::Test {
 protected:
  void Open() {
    context_ = file_.Open(app_);
    ASSERT_TRUE(context_->valid());
    catalog_ = std::make_unique<Catalog>(context_.get());
    catalog_->currentObject.id = kTable;
  }
  std::vector<std::int32_t> PageNumbers() const {
    std::vector<std::int32_t> numbers;
    for (const PageId& p : catalog_->tablePages) numbers.push_back(p.pageNumber);
    return numbers;
  }

  testing::SystemTableFile file_;
  AppState app_;
  std::unique_ptr<DatabaseContext> context_;
  std::unique_ptr<Catalog> catalog_;
};

TEST_F(PageLocation, AUnitNumberedLikeASystemTableKeepsOnlyItsOwnPages) {
  // Unit (1 << 56) | (50 << 16) files its pages under object id 50, where
  // sysscalartypes (index id 1) lives too.
  file_.AddPage(50, {}, /*indexId=*/1);
  const auto own = file_.AddPage(50, {}, /*indexId=*/256);
  file_.AddPage(50, {}, /*indexId=*/1);
  Open();
  catalog_->rowsets = {Rowset(UserUnit(0x8a), 1)};
  catalog_->allocationUnits = {Unit(UserUnit(50), UserUnit(0x8a))};
  LocateTablePages(*catalog_);
  EXPECT_EQ(PageNumbers(), std::vector<std::int32_t>{own});
  EXPECT_EQ(catalog_->currentAllocationUnit.firstPage.pageNumber, 9) << "the unit row's own first page";
  EXPECT_FALSE(catalog_->pagesByFallback);
}

TEST_F(PageLocation, HeapBeforeClusteredIndexAndTheLastOfEqualRows) {
  Open();
  catalog_->rowsets = {Rowset(11, 1), Rowset(12, 0), Rowset(13, 2)};
  LocateTablePages(*catalog_);
  EXPECT_EQ(catalog_->currentRowset.rowsetId, 12);
  catalog_->rowsets = {Rowset(21, 1, 1), Rowset(22, 1, 2), Rowset(23, 2)};
  LocateTablePages(*catalog_);
  EXPECT_EQ(catalog_->currentRowset.rowsetId, 22);
  EXPECT_EQ(catalog_->tableRowsets.size(), 3u);
}

TEST_F(PageLocation, OnlyDataPagesOfEveryUnitAreListed) {
  const auto inRow = file_.AddPage(0x101, {}, 256);
  file_.AddPage(0x102, {}, 256, kPageTypeTextMix);  // large-object unit
  const auto overflow = file_.AddPage(0x103, {}, 256);
  Open();
  catalog_->rowsets = {Rowset(UserUnit(0x100), 1)};
  catalog_->allocationUnits = {Unit(UserUnit(0x101), UserUnit(0x100), 1),
                               Unit(UserUnit(0x102), UserUnit(0x100), 2),
                               Unit(UserUnit(0x103), UserUnit(0x100), 3)};
  LocateTablePages(*catalog_);
  EXPECT_EQ(catalog_->tableAllocationUnits.size(), 3u);
  EXPECT_EQ(PageNumbers(), (std::vector<std::int32_t>{inRow, overflow}));
}

TEST_F(PageLocation, AMissingAllocationUnitRowIsDerivedFromTheRowset) {
  const auto data1 = file_.AddPage(0x200, {}, 256);
  const auto iam = file_.AddPage(0x200, {}, 256, kPageTypeIam);
  const auto data2 = file_.AddPage(0x200, {}, 256);
  Open();
  catalog_->rowsets = {Rowset(UserUnit(0x200), 0)};
  LocateTablePages(*catalog_);
  const AllocationUnitRow& unit = catalog_->currentAllocationUnit;
  EXPECT_EQ(unit.allocationUnitId, UserUnit(0x200));
  EXPECT_EQ(unit.ownerId, UserUnit(0x200));
  EXPECT_EQ(unit.firstPage.pageNumber, data1);  // the first met stands for the chain's head
  EXPECT_EQ(unit.firstIamPage.pageNumber, iam);
  EXPECT_TRUE(catalog_->pagesByFallback);
  EXPECT_EQ(PageNumbers(), (std::vector<std::int32_t>{data1, data2}));
}

TEST_F(PageLocation, AnEmptyTableDoesNotTakeTheUnitNumberedLikeItsRowset) {
  // sql2005-aspnetdb-tractis: the empty aspnet_Applications has rowset
  // (1 << 56) | (0x0a << 16) and an in-row unit without pages; unit
  // (1 << 56) | (0x0a << 16) exists too and holds another rowset's 91 rows.
  file_.AddPage(0x0a, {}, 256);
  Open();
  RowsetRow other = Rowset(UserUnit(0x05), 1);
  other.objectId = kTable + 1;
  catalog_->rowsets = {Rowset(UserUnit(0x0a), 1), other};
  AllocationUnitRow empty = Unit(UserUnit(0x56), UserUnit(0x0a));
  empty.firstPage = {0, 0};
  catalog_->allocationUnits = {empty, Unit(UserUnit(0x0a), UserUnit(0x05))};
  LocateTablePages(*catalog_);
  EXPECT_EQ(catalog_->currentAllocationUnit.allocationUnitId, UserUnit(0x56));
  EXPECT_FALSE(catalog_->pagesByFallback);
  EXPECT_TRUE(catalog_->tablePages.empty());

  catalog_->allocationUnits = {Unit(UserUnit(0x0a), UserUnit(0x05))};  // the in-row row is lost
  LocateTablePages(*catalog_);
  EXPECT_TRUE(catalog_->tablePages.empty());
}

TEST_F(PageLocation, PagesCarryingTheTableIdAreTheLastResort) {
  const auto page = file_.AddPage(kTable, {}, 0);
  Open();
  LocateTablePages(*catalog_);
  EXPECT_EQ(PageNumbers(), std::vector<std::int32_t>{page});
  EXPECT_EQ(catalog_->currentAllocationUnit.allocationUnitId, 0);
}

TEST_F(PageLocation, LegacyTablesOwnThePagesFiledUnderTheirId) {
  const auto page = file_.AddPage(kTable, {}, 0);
  file_.AddPage(kTable + 1, {}, 0);
  Open();
  app_.legacyLayout = true;
  catalog_->currentRowset.rowsetId = 77;
  LocateTablePages(*catalog_);
  EXPECT_EQ(PageNumbers(), std::vector<std::int32_t>{page});
  EXPECT_EQ(catalog_->currentRowset.rowsetId, 77);  // untouched
}

}  // namespace
}  // namespace corvane

// The builder's files as the engine's readers see them: determinism, the
// page walk, page headers, boot page, damaged variants.

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "engine/database_context.h"
#include "engine/page_header.h"
#include "tests/support/page_bytes.h"
#include "tests/support/recording_observer.h"
#include "tools/mdfgen/allocator.h"
#include "tools/mdfgen/damage.h"
#include "tools/mdfgen/file_builder.h"
#include "tools/mdfgen/sample_database.h"

namespace corvane::mdfgen {
namespace {

using corvane::testing::CorpusFile;
using corvane::testing::RecordingObserver;
using corvane::testing::TempDir;

constexpr std::size_t kPage = 8192;

std::vector<std::uint8_t> Build(const Database& db, BuildResult* result = nullptr) {
  std::string error;
  auto image = BuildImage(db, &error, result);
  EXPECT_TRUE(image.has_value()) << error;
  return image.value_or(std::vector<std::uint8_t>{});
}

struct Opened {
  TempDir dir;
  AppState app;
  RecordingObserver observer;
  std::unique_ptr<DatabaseContext> context;
};

std::unique_ptr<Opened> Open(const std::vector<std::uint8_t>& image) {
  auto o = std::make_unique<Opened>();
  o->context = DatabaseContext::Open(o->dir.Write("db.mdf", image), o->app, o->observer);
  return o;
}

CPage_Header HeaderAt(const std::vector<std::uint8_t>& image, std::int64_t page) {
  return CPage_Header::Parse(image.data() + page * kPage);
}

bool AllZero(const std::uint8_t* page) {
  for (std::size_t i = 0; i < kPage; ++i) {
    if (page[i] != 0) return false;
  }
  return true;
}

TEST(Mdfgen, SameDeclarationGivesTheSameBytes) {
  EXPECT_EQ(Build(SampleDatabase()), Build(SampleDatabase()));
  EXPECT_EQ(Build(BenchDatabase(1)), Build(BenchDatabase(1)));
}

TEST(Mdfgen, EveryVersionOpensWithItsBootPage) {
  for (int version : {539, 611, 655, 661, 706, 782, 852}) {
    BuildResult result;
    auto o = Open(Build(SampleDatabase(version), &result));
    ASSERT_TRUE(o->context->valid()) << version;
    EXPECT_EQ(o->context->pageCount(), static_cast<std::uint64_t>(result.pageCount));
    EXPECT_EQ(o->context->baseOffset(), 0u);
    ASSERT_TRUE(o->context->ReadBootPage()) << version;
    EXPECT_EQ(o->context->databaseName(), "CorvaneSample") << version;
    EXPECT_EQ(o->context->bootVersion(), version);
    EXPECT_EQ(o->context->bootCollationId(), kDefaultCollation);
  }
}

// Data pages carry the page-header id of their allocation unit (unit id >> 16)
// and index id 256 (SQL Server 2000: the table's object id, index id 0); the
// IAM pages sit in iamPages under the same id.
TEST(Mdfgen, TablePagesAreFiledUnderTheirAllocationUnits) {
  for (int version : {539, 661}) {
    BuildResult result;
    const auto image = Build(SampleDatabase(version), &result);
    auto o = Open(image);
    ASSERT_TRUE(o->context->valid());
    for (const auto& t : result.tables) {
      EXPECT_EQ(t.headerObjectId,
                version < 611 ? t.objectId : static_cast<std::int32_t>(t.allocationUnitId >> 16))
          << t.name;
      const auto& data = PageIndex::Lookup(o->context->dataPages(), t.headerObjectId);
      std::int64_t ours = 0;
      bool first = false;
      for (const auto& e : data) {
        if (HeaderAt(image, e.pageNumber).indexId != t.headerIndexId) continue;
        ++ours;
        first = first || e.pageNumber == t.firstPage;
      }
      EXPECT_EQ(ours, t.dataPages) << t.name;
      EXPECT_TRUE(first) << t.name;
      // A table with large values has a second IAM page under the same id in
      // SQL Server 2000 files (index id 255).
      bool iamFound = false;
      for (const auto& e : PageIndex::Lookup(o->context->iamPages(), t.headerObjectId)) {
        iamFound = iamFound || e.pageNumber == t.firstIamPage;
      }
      EXPECT_TRUE(iamFound) << t.name;
    }
  }
}

// System objects the catalog readers take rows from that hold data pages of
// their own (not pages of user allocation units, index id 256, which may
// carry the same small header ids).
std::set<std::int32_t> CatalogIds(const DatabaseContext& ctx, int version) {
  std::set<std::int32_t> ids;
  std::vector<int> all = {5, 7, 8, 34, 41, 50, 54, 55, 60, 64, 74};
  if (version < 611) {
    all = {1, 2, 3, 6, 8};
  } else if (version < 655) {
    all.insert(all.end(), {4, 13});
  } else {
    all.push_back(3);
  }
  for (int id : all) {
    for (const auto& e : PageIndex::Lookup(ctx.systemPages(), id)) {
      const auto header = ctx.ReadPageHeader(e.id());
      // SQL Server 2000 data pages of system tables: index id 0.
      if (e.pageType == 1 && header && header->indexId < 256) ids.insert(id);
    }
  }
  return ids;
}

// The system tables the catalog readers read hold data pages in our files
// as in a real file of the same version.
TEST(Mdfgen, SystemTablesAsInARealFileOfTheSameVersion) {
  struct Case {
    const char* slug;
    int version;
  };
  for (const Case& c : {Case{"sql2000-friendsdata", 539}, Case{"sql2005-kigg2x", 611},
                        Case{"sql2008r2-bookshop", 661}, Case{"sql2012-nerddinner", 706},
                        Case{"sql2016-school", 852}}) {
    const std::string path = CorpusFile(c.slug);
    if (path.empty()) GTEST_SKIP() << "corpus not available";
    AppState app;
    RecordingObserver observer;
    auto real = DatabaseContext::Open(path, app, observer);
    ASSERT_TRUE(real->valid());
    auto ours = Open(Build(SampleDatabase(c.version)));
    ASSERT_TRUE(ours->context->valid());
    EXPECT_EQ(CatalogIds(*ours->context, c.version), CatalogIds(*real, c.version)) << c.slug;
  }
}

TEST(Mdfgen, PageHeadersAndSlotArraysAreConsistent) {
  BuildResult result;
  const auto image = Build(SampleDatabase(), &result);
  ASSERT_EQ(image.size(), static_cast<std::size_t>(result.pageCount) * kPage);
  for (std::int64_t n = 0; n < result.pageCount; ++n) {
    const std::uint8_t* page = image.data() + n * kPage;
    if (AllZero(page)) continue;
    const CPage_Header h = CPage_Header::Parse(page);
    SCOPED_TRACE("page " + std::to_string(n));
    EXPECT_EQ(h.pageNumber, n);
    EXPECT_EQ(h.fileId, 1);
    EXPECT_EQ(h.flagBits, 0);
    EXPECT_EQ(h.tornBits, 0u);
    ASSERT_GT(h.slotCount, 0);
    EXPECT_LE(h.ghostRecordCount, h.slotCount);
    EXPECT_LE(h.freeData + 2 * h.slotCount, 8192);
    EXPECT_GE(h.freeCount, 0);
    for (int j = 0; j < h.slotCount; ++j) {
      std::uint16_t slot;
      std::memcpy(&slot, page + 8190 - 2 * j, 2);
      EXPECT_GE(slot, 96);
      EXPECT_LT(slot, h.freeData);
    }
    if (h.type == 1 && h.nextPage.pageNumber != 0) {
      EXPECT_EQ(HeaderAt(image, h.nextPage.pageNumber).prevPage.pageNumber, n);
    }
  }
}

TEST(Mdfgen, GhostAndForwardedRowsOfTheSample) {
  BuildResult result;
  const auto image = Build(SampleDatabase(), &result);
  const WrittenTable* orders = result.Find("Orders");
  ASSERT_NE(orders, nullptr);
  EXPECT_EQ(orders->rowCount, 5);
  EXPECT_EQ(HeaderAt(image, orders->firstPage).ghostRecordCount, 2);

  const WrittenTable* events = result.Find("Events");
  ASSERT_NE(events, nullptr);
  const std::uint8_t* page = image.data() + events->firstPage * kPage;
  const CPage_Header h = CPage_Header::Parse(page);
  bool stubFound = false;
  for (int j = 0; j < h.slotCount; ++j) {
    std::uint16_t offset;
    std::memcpy(&offset, page + 8190 - 2 * j, 2);
    if (page[offset] != 0x04) continue;
    stubFound = true;
    std::int32_t target;
    std::uint16_t slot;
    std::memcpy(&target, page + offset + 1, 4);
    std::memcpy(&slot, page + offset + 7, 2);
    const std::uint8_t* tp = image.data() + static_cast<std::size_t>(target) * kPage;
    std::uint16_t toffset;
    std::memcpy(&toffset, tp + 8190 - 2 * slot, 2);
    EXPECT_EQ((tp[toffset] >> 1) & 7, 1);  // a forwarded record
  }
  EXPECT_TRUE(stubFound);
}

TEST(Mdfgen, DamagedVariantsGiveTheExpectedBaseOffset) {
  const auto image = Build(SampleDatabase());
  struct Case {
    std::size_t before, after;
    std::int32_t shift;
    std::uint64_t baseOffset;
  };
  const Case cases[] = {
      {100, 0, 0, 100}, {8191, 0, 0, 8191}, {0, 100, 0, 0}, {0, 0, -3, 0}, {0, 0, 2, 0}};
  for (const Case& c : cases) {
    Damage damage;
    damage.bytesBefore = c.before;
    damage.bytesAfter = c.after;
    damage.pageShift = c.shift;
    auto o = Open(ApplyDamage(image, damage));
    ASSERT_TRUE(o->context->valid());
    EXPECT_EQ(o->context->baseOffset(), c.baseOffset);
    ASSERT_TRUE(o->context->ReadBootPage());
    EXPECT_EQ(o->context->databaseName(), "CorvaneSample");
  }
}

TEST(Mdfgen, TornBitsRestoreToTheWrittenPage) {
  BuildResult result;
  const auto image = Build(SampleDatabase(), &result);
  const std::int32_t page = result.Find("Customers")->firstPage;
  Damage damage;
  damage.tornPages = {page};
  const auto torn = ApplyDamage(image, damage);
  std::vector<std::uint8_t> bytes(torn.begin() + page * kPage, torn.begin() + (page + 1) * kPage);
  EXPECT_NE(0, std::memcmp(bytes.data(), image.data() + page * kPage, kPage));
  EXPECT_EQ(CPage_Header::Parse(bytes.data()).flagBits, kFlagTornBits);
  RestoreTornBits(bytes.data());
  // Only the flag and the saved bits in the header stay different.
  EXPECT_EQ(0, std::memcmp(bytes.data() + 96, image.data() + page * kPage + 96, kPage - 96));
}

TEST(Mdfgen, ZeroedGarbageAndCyclicPagesKeepTheFileOpenable) {
  Database db = BenchDatabase(1);
  BuildResult result;
  const auto image = Build(db, &result);
  const WrittenTable* orders = result.Find("BenchOrders");
  ASSERT_NE(orders, nullptr);
  ASSERT_GT(orders->dataPages, 2);
  // The leaf chain of the clustered index: follow it to its last page.
  std::int32_t last = orders->firstPage;
  while (HeaderAt(image, last).nextPage.pageNumber != 0)
    last = HeaderAt(image, last).nextPage.pageNumber;
  const std::int32_t garbage = result.Find("BenchEvents")->firstPage;
  Damage damage;
  damage.zeroedPages = {kBootPage};
  damage.garbagePages = {garbage};
  damage.nextPointers = {{last, orders->firstPage}};
  const auto damaged = ApplyDamage(image, damage);
  ASSERT_EQ(damaged.size(), image.size());
  EXPECT_TRUE(AllZero(damaged.data() + kBootPage * kPage));
  EXPECT_NE(CPage_Header::Parse(damaged.data() + garbage * kPage).pageNumber, garbage);
  EXPECT_EQ(CPage_Header::Parse(damaged.data() + last * kPage).nextPage.pageNumber,
            orders->firstPage);
  auto o = Open(damaged);
  EXPECT_TRUE(o->context->valid());
}

// A table declared in a secondary file: its pages carry file id 3 and are
// filed under its allocation unit once the listed file is attached.
TEST(Mdfgen, SecondaryFilesHoldTheirTables) {
  Database db;
  db.name = "Split";
  db.secondaryFiles = {{"Split_2", "D:\\old\\Split_2.NDF"}};
  Table& local = db.AddTable("Local");
  local.columns = {Int("Id").NotNull()};
  local.rows = {{1}, {2}};
  Table& remote = db.AddTable("Remote");
  remote.columns = {Int("Id").NotNull(), NVarChar("Text", 20)};
  remote.primaryKey = {"Id"};
  remote.fileId = 3;
  for (int i = 0; i < 2000; ++i) remote.rows.push_back({i, "row " + std::to_string(i)});

  TempDir dir;
  BuildResult result;
  std::string error;
  ASSERT_TRUE(WriteDatabaseFile(db, dir.File("Split.mdf"), error, &result)) << error;
  EXPECT_EQ(SecondaryFileName(db.secondaryFiles[0]), "Split_2.ndf");
  const WrittenTable* t = result.Find("Remote");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->fileId, 3);
  ASSERT_EQ(result.secondaryPageCounts.size(), 1u);

  AppState app;
  RecordingObserver observer;
  auto ctx = DatabaseContext::Open(dir.File("Split.mdf"), app, observer);
  ASSERT_TRUE(ctx->valid());
  std::vector<SecondaryFile> files(1);
  files[0].status = 2;
  files[0].fileId = 3;
  files[0].logicalName = "Split_2";
  files[0].physicalPath = "D:\\old\\Split_2.NDF";
  ctx->AttachSecondaryFiles(files);
  EXPECT_EQ(files[0].pageCount, static_cast<std::uint64_t>(result.secondaryPageCounts[0]));
  std::int64_t remotePages = 0;
  for (const auto& e : PageIndex::Lookup(ctx->dataPages(), t->headerObjectId)) {
    if (e.fileId != 3) continue;
    ++remotePages;
    const auto header = ctx->ReadPageHeader(e.id());
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->fileId, 3);
    EXPECT_EQ(header->pageNumber, e.pageNumber);
  }
  EXPECT_EQ(remotePages, t->dataPages);
  EXPECT_GT(t->dataPages, 1);
}

TEST(Mdfgen, DeclarationErrorsAreReported) {
  Database db;
  Table& t = db.AddTable("T");
  t.columns = {Int("A").NotNull(), NVarChar("B", 3)};
  t.rows = {{1, "too long"}};
  std::string error;
  EXPECT_FALSE(BuildImage(db, &error).has_value());
  EXPECT_NE(error.find("T"), std::string::npos);
  t.rows = {{nullptr, "ok"}};
  EXPECT_FALSE(BuildImage(db, &error).has_value());
  t.rows = {};
  t.primaryKey = {"Missing"};
  EXPECT_FALSE(BuildImage(db, &error).has_value());
  EXPECT_NE(error.find("Missing"), std::string::npos);
  t.primaryKey = {};
  t.fileId = 4;
  EXPECT_FALSE(BuildImage(db, &error).has_value());
  t.fileId = 1;
  Column xml;
  xml.name = "Body";
  xml.type = SqlType::kXml;
  t.columns.push_back(xml);
  EXPECT_FALSE(BuildImage(db, &error).has_value());
  EXPECT_NE(error.find("xml columns are not supported"), std::string::npos);
}

}  // namespace
}  // namespace corvane::mdfgen

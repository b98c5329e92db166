#include "engine/database_context.h"

#include <gtest/gtest.h>

#include "engine/page_walk.h"
#include "tests/support/page_bytes.h"
#include "tests/support/recording_observer.h"

namespace corvane {
namespace {

using testing::Join;
using testing::MakePage;
using testing::RecordingObserver;
using testing::TempDir;

// A small file: page n carries page number n; page 1 is a system page.
std::vector<std::vector<std::uint8_t>> Pages(int count) {
  std::vector<std::vector<std::uint8_t>> pages;
  for (int n = 0; n < count; ++n) pages.push_back(MakePage(n, n == 1 ? 99 : 5000 + n, 1));
  return pages;
}

TEST(DatabaseContext, OpensAndWalksAnOrdinaryFile) {
  TempDir dir;
  auto path = dir.Write("a.mdf", Join(Pages(20)));
  AppState app;
  RecordingObserver obs;
  auto ctx = DatabaseContext::Open(path, app, obs);
  ASSERT_TRUE(ctx->valid());
  EXPECT_EQ(ctx->pageCount(), 20u);
  EXPECT_EQ(ctx->baseOffset(), 0u);
  EXPECT_EQ(ctx->extentCount(), 2u);
  EXPECT_TRUE(obs.errors.empty());
}

TEST(DatabaseContext, SinglePageFileIsAccepted) {
  TempDir dir;
  auto path = dir.Write("one.mdf", std::vector<std::uint8_t>(8192, 0));
  AppState app;
  RecordingObserver obs;
  auto ctx = DatabaseContext::Open(path, app, obs);
  ASSERT_TRUE(ctx->valid());
  EXPECT_EQ(ctx->pageCount(), 1u);
  // An all-zero page is a system page of object 0, file id 0, type 0.
  const auto& list = PageIndex::Lookup(ctx->systemPages(), 0);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0], (PageEntry{0, 0, 0}));
}

TEST(DatabaseContext, BaseOffsetKeptForBytesBeforePageZero) {
  TempDir dir;
  auto bytes = Join(Pages(20));
  bytes.insert(bytes.begin(), 100, 0xEE);
  auto path = dir.Write("before.mdf", bytes);
  AppState app;
  RecordingObserver obs;
  auto ctx = DatabaseContext::Open(path, app, obs);
  ASSERT_TRUE(ctx->valid());
  EXPECT_EQ(ctx->baseOffset(), 100u);
  EXPECT_EQ(ctx->pageCount(), 20u);
  auto header = ctx->ReadPageHeader({1, 12});
  ASSERT_TRUE(header);
  EXPECT_EQ(header->pageNumber, 12);
}

TEST(DatabaseContext, BaseOffsetDroppedForBytesAfterLastPage) {
  TempDir dir;
  auto bytes = Join(Pages(20));
  bytes.insert(bytes.end(), 100, 0xEE);
  auto path = dir.Write("after.mdf", bytes);
  AppState app;
  RecordingObserver obs;
  auto ctx = DatabaseContext::Open(path, app, obs);
  ASSERT_TRUE(ctx->valid());
  EXPECT_EQ(ctx->baseOffset(), 0u);
  EXPECT_EQ(ctx->pageCount(), 20u);
  auto header = ctx->ReadPageHeader({1, 12});
  ASSERT_TRUE(header);
  EXPECT_EQ(header->pageNumber, 12);
}

TEST(DatabaseContext, ReadersAcceptTheirPageRanges) {
  TempDir dir;
  auto path = dir.Write("r.mdf", Join(Pages(10)));
  AppState app;
  RecordingObserver obs;
  auto ctx = DatabaseContext::Open(path, app, obs);
  ASSERT_TRUE(ctx->valid());
  EXPECT_TRUE(ctx->ReadPage({1, 0}, 0));
  EXPECT_FALSE(ctx->ReadPageBytes({1, 0}));
  EXPECT_FALSE(ctx->ReadPageHeader({1, 0}));
  EXPECT_TRUE(ctx->ReadPageBytes({1, 9}));
  EXPECT_FALSE(ctx->ReadPageBytes({1, 10}));
  EXPECT_FALSE(ctx->ReadPage({1, -1}, 0));
  EXPECT_FALSE(ctx->ReadPageBytes({3, 2})) << "no secondary file attached";
  EXPECT_FALSE(ctx->ReadPageBytes({0, 2}));
}

TEST(DatabaseContext, FailuresReportTheEngineText) {
  TempDir dir;
  struct Case {
    std::string name;
    std::string path;
    const char* text;
  } cases[] = {
      {"missing", dir.File("nope.mdf"), kTextCannotOpen},
      {"directory", dir.path(), kTextCannotOpen},
      {"short", dir.Write("short.mdf", std::vector<std::uint8_t>(8191, 0)), kTextNotValid},
      {"no system pages", dir.Write("nosys.mdf", Join({MakePage(0, 500, 1), MakePage(1, 501, 1)})),
       kTextNotValid},
  };
  for (const auto& c : cases) {
    AppState app;
    RecordingObserver obs;
    auto ctx = DatabaseContext::Open(c.path, app, obs);
    EXPECT_FALSE(ctx->valid()) << c.name;
    ASSERT_EQ(obs.errors.size(), 1u) << c.name;
    EXPECT_EQ(obs.errors[0], c.text) << c.name;
  }
}

// A user table's page whose allocation unit 0x0100000000230000 has bits
// 16..47 equal to 35, as real files hold them.
std::vector<std::uint8_t> UserPageWithSmallId() {
  auto page = MakePage(8, 35, 1);
  testing::Put<std::uint16_t>(page, 6, 256);
  return page;
}

TEST(PageWalk, FilesPagesByObjectIdAndType) {
  TempDir dir;
  auto path = dir.Write(
      "w.mdf", Join({MakePage(0, 0, 15), MakePage(1, 2187, 1), MakePage(2, -5, 1),
                     MakePage(3, 0, 1), MakePage(4, 34, 1), MakePage(5, 34, 10),
                     MakePage(6, 70000, 10), MakePage(7, 70000, 1), UserPageWithSmallId()}));
  AppState app;
  RecordingObserver obs;
  auto ctx = DatabaseContext::Open(path, app, obs);
  ASSERT_TRUE(ctx->valid());
  const auto& sys = ctx->systemPages();
  const auto& data = ctx->dataPages();
  const auto& iam = ctx->iamPages();
  EXPECT_EQ(PageIndex::Lookup(sys, 2187).size(), 1u);
  EXPECT_EQ(PageIndex::Lookup(data, 2187).size(), 1u);
  EXPECT_EQ(PageIndex::Lookup(sys, -5).size(), 0u) << "negative ids are not system ids";
  EXPECT_EQ(PageIndex::Lookup(data, -5).size(), 1u);
  EXPECT_EQ(PageIndex::Lookup(sys, 0).size(), 2u);
  EXPECT_EQ(PageIndex::Lookup(data, 0).size(), 0u);
  EXPECT_EQ(PageIndex::Lookup(sys, 34).size(), 2u);
  EXPECT_EQ(PageIndex::Lookup(data, 34).size(), 1u);
  EXPECT_EQ(PageIndex::Lookup(iam, 34).size(), 1u);
  EXPECT_EQ(PageIndex::Lookup(iam, 70000), (PageList{{1, 6, 10}}));
  EXPECT_EQ(PageIndex::Lookup(sys, 35).size(), 0u) << "index id 256: a user allocation unit";
  EXPECT_EQ(PageIndex::Lookup(data, 35), (PageList{{1, 8, 1, 256}}));
  EXPECT_EQ(PageIndex::Lookup(data, 70000), (PageList{{1, 7, 1}}));
}

TEST(PageWalk, ProgressStepsForTwoHundredFiftyPages) {
  TempDir dir;
  auto path = dir.Write("p.mdf", Join(Pages(250)));
  ReadOnlyFile::Open(path);
  auto file = ReadOnlyFile::Open(path);
  AppState app;
  RecordingObserver obs;
  PageIndex index;
  ASSERT_TRUE(WalkPrimaryPages(*file, {0, 250}, app, obs, index));
  ASSERT_EQ(obs.ranges, std::vector<std::uint64_t>{250});
  std::vector<std::uint64_t> expected{0};
  for (std::uint64_t p = 3; p < 250; p += 3) expected.push_back(p);
  expected.push_back(250);
  EXPECT_EQ(obs.positions, expected);
}

TEST(PageWalk, StopBeforeFirstPageFailsTheWalk) {
  TempDir dir;
  auto path = dir.Write("s.mdf", Join(Pages(20)));
  AppState app;
  app.stopRequested = true;
  RecordingObserver obs;
  auto file = ReadOnlyFile::Open(path);
  PageIndex index;
  EXPECT_FALSE(WalkPrimaryPages(*file, {0, 20}, app, obs, index));
  EXPECT_TRUE(index.systemPages.empty());
}

TEST(PageWalk, StopDuringOpenEndsTheWalkAndIsCleared) {
  TempDir dir;
  auto path = dir.Write("s2.mdf", Join(Pages(300)));
  AppState app;
  RecordingObserver obs;
  obs.app = &app;
  obs.stopAfterPositions = 5;  // base-offset check: 0, 300; walk: 0, 3, 6
  auto ctx = DatabaseContext::Open(path, app, obs);
  EXPECT_TRUE(ctx->valid()) << "page 1, a system page, was already filed";
  EXPECT_LT(ctx->dataPages().size(), 299u);
  EXPECT_FALSE(app.stopRequested.load());
}

TEST(SecondaryFiles, ListedFileIsFoundBesideThePrimaryWhateverItsCase) {
  TempDir dir;
  auto path = dir.Write("main.mdf", Join(Pages(10)));
  dir.Write("SALES_2.ndf", Join({MakePage(0, 0, 15, 3), MakePage(1, 600, 1, 3),
                                 MakePage(2, 34, 1, 3)}));
  AppState app;
  RecordingObserver obs;
  auto ctx = DatabaseContext::Open(path, app, obs);
  ASSERT_TRUE(ctx->valid());
  std::vector<SecondaryFile> files(1);
  files[0].fileId = 3;
  files[0].logicalName = "sales_2";
  files[0].physicalPath = "D:\\old\\Sales_2.NDF";
  ctx->AttachSecondaryFiles(files);
  EXPECT_EQ(files[0].physicalPath, dir.File("SALES_2.ndf"));
  EXPECT_EQ(files[0].pageCount, 3u);
  auto header = ctx->ReadPageHeader({3, 1});
  ASSERT_TRUE(header);
  EXPECT_EQ(header->objectId, 600);
  EXPECT_EQ(PageIndex::Lookup(ctx->dataPages(), 600), (PageList{{3, 1, 1}}));
  EXPECT_EQ(PageIndex::Lookup(ctx->systemPages(), 34), (PageList{{3, 2, 1}}));
  EXPECT_FALSE(ctx->ReadPageBytes({3, 3}));
}

TEST(SecondaryFiles, WithoutAListTheFolderIsSearched) {
  TempDir dir;
  auto path = dir.Write("main.mdf", Join(Pages(10)));
  dir.Write("extra.NDF", Join({MakePage(0, 0, 15, 2), MakePage(1, 700, 1, 2)}));
  dir.Write("notes.txt", {1, 2, 3});
  AppState app;
  RecordingObserver obs;
  auto ctx = DatabaseContext::Open(path, app, obs);
  std::vector<SecondaryFile> files;
  ctx->AttachSecondaryFiles(files);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].fileId, 2);
  EXPECT_EQ(files[0].status, 0u);
  EXPECT_TRUE(ctx->ReadPageHeader({2, 1}));
}

TEST(SecondaryFiles, NothingAttachedWhenNoneExists) {
  TempDir dir;
  auto path = dir.Write("main.mdf", Join(Pages(10)));
  AppState app;
  RecordingObserver obs;
  auto ctx = DatabaseContext::Open(path, app, obs);
  std::vector<SecondaryFile> files;
  ctx->AttachSecondaryFiles(files);
  EXPECT_TRUE(files.empty());
  EXPECT_TRUE(ctx->secondaryFiles().empty());
}

}  // namespace
}  // namespace corvane

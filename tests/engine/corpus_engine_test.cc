// The engine on the real database files: geometry, boot page, and every page
// parsed without a crash, a hang or an overread.

#include <gtest/gtest.h>

#include <set>

#include "engine/database_context.h"
#include "tests/support/page_bytes.h"
#include "tests/support/recording_observer.h"

namespace corvane {
namespace {

class CorpusEngine : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusEngine, GeometryAndBootPageMatchTheManifest) {
  const std::string path = testing::CorpusFile(GetParam());
  if (path.empty()) GTEST_SKIP() << "corpus not present";
  auto row = testing::CorpusManifestRow(GetParam());
  AppState app;
  testing::RecordingObserver obs;
  auto ctx = DatabaseContext::Open(path, app, obs);
  ASSERT_TRUE(ctx->valid());
  EXPECT_EQ(ctx->pageCount(), std::stoull(row["page_count"]));
  ASSERT_TRUE(ctx->ReadBootPage());
  EXPECT_EQ(ctx->bootVersion(), std::stoi(row["boot_version"]));
  EXPECT_EQ(ctx->databaseName(), row["db_name"]);
  EXPECT_EQ(static_cast<std::uint32_t>(ctx->bootCollationId()),
            std::stoul(row["collation_id"], nullptr, 16));
}

TEST_P(CorpusEngine, EveryPageParsesAndSystemRowsAgreeOnTheirColumnCount) {
  const std::string path = testing::CorpusFile(GetParam());
  if (path.empty()) GTEST_SKIP() << "corpus not present";
  for (bool advanced : {false, true}) {
    AppState app;
    app.showDeleted = advanced;
    app.showAdvancedDeleted = advanced;
    testing::RecordingObserver obs;
    auto ctx = DatabaseContext::Open(path, app, obs);
    ASSERT_TRUE(ctx->valid());
    std::map<std::int32_t, std::set<int>> counts;
    for (std::int32_t n = 0; n < static_cast<std::int32_t>(ctx->pageCount()); ++n) {
      auto page = ctx->ReadDataPage({1, n});
      ASSERT_TRUE(page) << n;
      const auto& h = page->header();
      for (std::size_t i = 0; i < page->recordCount(); ++i) {
        const CPrimaryRecord* r = page->record(i);
        if (!r || r->invalid || r->recordType != kRecordPrimary || advanced) continue;
        // Live rows of the catalog tables on pages that belong to them.
        if (h.type == kPageTypeData && h.indexId < 256 && (h.objectId == 34 || h.objectId == 41 || h.objectId == 5 ||
                                        h.objectId == 7 || h.objectId == 54))
          counts[h.objectId].insert(r->columnCount);
      }
    }
    for (const auto& [id, set] : counts) EXPECT_EQ(set.size(), 1u) << "object " << id;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, CorpusEngine, ::testing::ValuesIn(testing::CorpusSlugs()),
                         testing::CorpusTestName());

}  // namespace
}  // namespace corvane

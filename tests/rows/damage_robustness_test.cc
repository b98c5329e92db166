// Damage anywhere in a file must never crash, hang or overread: every page of
// the sample database is in turn zeroed or filled with garbage, and the whole
// road from the page walk to rendered values is run on the result.

#include <gtest/gtest.h>

#include "cli/collecting_grid.h"
#include "rows/record_retrieval.h"
#include "tests/support/page_bytes.h"
#include "tests/support/recording_observer.h"
#include "tools/mdfgen/damage.h"
#include "tools/mdfgen/file_builder.h"
#include "tools/mdfgen/sample_database.h"

namespace corvane {
namespace {

// Reads every user table of the file at `path` to its last row, with the
// deleted-record views on or off. Returns the rows shown.
std::int64_t ReadEverything(const std::string& path, bool deleted) {
  AppState app;
  app.showDeleted = deleted;
  app.showAdvancedDeleted = deleted;
  NullObserver observer;
  auto ctx = DatabaseContext::Open(path, app, observer);
  if (!ctx->valid()) return 0;
  auto catalog = BuildCatalog(*ctx);
  std::int64_t rows = 0;
  const std::vector<ObjectRow> objects = catalog->objects;
  for (const ObjectRow& o : objects) {
    if (o.type != "U ") continue;
    AssembleTable(*catalog, o.name, o.type, {});
    cli::CollectingGrid grid;
    RecordRetrieval retrieval(*ctx, *catalog, grid, observer, RetrievalOptions{});
    rows += retrieval.ShowTableRecords();
    for (int n; (n = retrieval.NextRecords()) >= 0;) rows += n;
  }
  return rows;
}

class DamagedSample : public ::testing::TestWithParam<int> {};

TEST_P(DamagedSample, EveryPageZeroedOrGarbageIsSurvived) {
  mdfgen::BuildResult result;
  std::string error;
  auto image = mdfgen::BuildImage(mdfgen::SampleDatabase(GetParam()), &error, &result);
  ASSERT_TRUE(image) << error;
  testing::TempDir dir;
  const std::int64_t intact = ReadEverything(dir.Write("intact.mdf", *image), false);
  EXPECT_GT(intact, 0);
  for (std::int32_t p = 0; p < result.pageCount; ++p) {
    mdfgen::Damage zero, garbage;
    zero.zeroedPages = {p};
    garbage.garbagePages = {p};
    for (const auto& damage : {zero, garbage}) {
      const std::string path = dir.Write("damaged.mdf", mdfgen::ApplyDamage(*image, damage));
      for (bool deleted : {false, true}) {
        // Nothing to assert but survival: a lost page loses its rows, and
        // garbage may be read as rows in the deleted-record views.
        const std::int64_t rows = ReadEverything(path, deleted);
        if (!deleted) {
          EXPECT_LE(rows, intact + 1000) << "page " << p;
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, DamagedSample, ::testing::Values(539, 661));

}  // namespace
}  // namespace corvane

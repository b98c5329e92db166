// corvane info and corvane page, end to end.

#include <gtest/gtest.h>

#include "tests/support/page_bytes.h"
#include "tests/support/run_cli.h"

namespace corvane {
namespace {

using testing::RunCli;
using testing::ShellQuote;

TEST(CliInfo, FailuresGiveTheEngineTextAndAnErrorStatus) {
  testing::TempDir dir;
  struct Case {
    std::string name;
    std::string path;
    std::string text;
  } cases[] = {
      {"missing", dir.File("missing.mdf"), "File cannot be open..........."},
      {"directory", dir.path(), "File cannot be open..........."},
      {"short", dir.Write("short.mdf", std::vector<std::uint8_t>(100, 1)),
       "Wheteher File is not valid mdf file or file is highly corrupted..........."},
      {"no system pages", dir.Write("none.mdf", testing::MakePage(0, 500, 1)),
       "Wheteher File is not valid mdf file or file is highly corrupted..........."},
  };
  for (const auto& c : cases) {
    auto r = RunCli("info " + ShellQuote(c.path));
    EXPECT_NE(r.status, 0) << c.name;
    EXPECT_NE(r.err.find(c.text), std::string::npos) << c.name << ": " << r.err;
    EXPECT_TRUE(r.out.empty()) << c.name;
  }
}

TEST(CliInfo, UsageErrorsAndHelp) {
  EXPECT_EQ(RunCli("--help").status, 0);
  EXPECT_NE(RunCli("--help").out.find("info FILE"), std::string::npos);
  EXPECT_EQ(RunCli("").status, 2);
  EXPECT_EQ(RunCli("frobnicate x").status, 2);
  EXPECT_EQ(RunCli("info").status, 2);
  EXPECT_EQ(RunCli("page x.mdf 1:abc").status, 2);
}

TEST(CliInfo, EveryCorpusFileReportsItsGeometryAndBootPage) {
  for (const auto& slug : testing::CorpusSlugs()) {
    const std::string path = testing::CorpusFile(slug);
    if (path.empty()) GTEST_SKIP() << "corpus not present";
    auto row = testing::CorpusManifestRow(slug);
    auto r = RunCli("info --json " + ShellQuote(path));
    ASSERT_EQ(r.status, 0) << slug << r.err;
    EXPECT_NE(r.out.find("\"pageCount\":" + row["page_count"] + ","), std::string::npos) << slug;
    EXPECT_NE(r.out.find("\"version\":" + row["boot_version"] + ","), std::string::npos) << slug;
  }
}

TEST(CliPage, ShowsHeaderSlotsRecordsAndIamExtents) {
  const std::string path = testing::CorpusFile("sql2008r2-bookshop");
  if (path.empty()) GTEST_SKIP() << "corpus not present";
  auto iam = RunCli("page --json " + ShellQuote(path) + " 8");
  ASSERT_EQ(iam.status, 0) << iam.err;
  EXPECT_NE(iam.out.find("\"type\":10"), std::string::npos);
  EXPECT_NE(iam.out.find("\"singlePages\":[\"0:0\",\"1:64\""), std::string::npos) << iam.out.substr(0, 300);
  auto boot = RunCli("page " + ShellQuote(path) + " 1:9");
  ASSERT_EQ(boot.status, 0);
  EXPECT_NE(boot.out.find("pageNumber: 9"), std::string::npos);
  auto beyond = RunCli("page " + ShellQuote(path) + " 99999");
  EXPECT_EQ(beyond.status, 2);
  auto otherFile = RunCli("page " + ShellQuote(path) + " 3:1");
  EXPECT_EQ(otherFile.status, 2);
}

}  // namespace
}  // namespace corvane

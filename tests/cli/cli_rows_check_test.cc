// corvane check and corvane rows, end to end, on the real files and on a
// builder database.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "tests/support/expected_rows.h"
#include "tests/support/page_bytes.h"
#include "tests/support/run_cli.h"
#include "tools/mdfgen/file_builder.h"

namespace corvane {
namespace {

using testing::RunCli;
using testing::ShellQuote;

class CliCheckCorpus : public ::testing::TestWithParam<std::string> {};

// Every value of every table is decoded (under the sanitizers, too), and each
// table's row count equals the live rows SQL Server stored.
TEST_P(CliCheckCorpus, DecodedRowsMatchTheExpectedRows) {
  const std::string path = testing::CorpusFile(GetParam());
  if (path.empty()) GTEST_SKIP() << "corpus not present";
  auto r = RunCli("check --json --decode " + ShellQuote(path));
  ASSERT_NE(r.status, 2) << r.err;
  // Each table entry: ..."id":N,"storedRows":S,"decodedRows":D}
  std::map<std::int64_t, std::int64_t> decoded;
  for (std::size_t at = r.out.find("\"id\":"); at != std::string::npos;
       at = r.out.find("\"id\":", at + 1)) {
    const std::size_t rows = r.out.find("\"decodedRows\":", at);
    if (rows == std::string::npos) break;
    decoded[std::stoll(r.out.substr(at + 5))] = std::stoll(r.out.substr(rows + 14));
  }
  for (const auto& t : testing::CorpusExpectedTables(GetParam())) {
    auto found = decoded.find(t.id);
    ASSERT_NE(found, decoded.end()) << t.name;
    EXPECT_EQ(found->second, t.rows) << t.name;
  }
  EXPECT_EQ(r.status, 0) << r.out;
}

INSTANTIATE_TEST_SUITE_P(Files, CliCheckCorpus, ::testing::ValuesIn(testing::CorpusSlugs()),
                         testing::CorpusTestName());

class CliRows : public ::testing::Test {
 protected:
  void SetUp() override {
    mdfgen::Database db;
    db.name = "Rows";
    mdfgen::Table& t = db.AddTable("People");
    t.columns = {mdfgen::Int("Id").NotNull(), mdfgen::NVarChar("Name", 20),
                 mdfgen::Money("Pay")};
    t.primaryKey = {"Id"};
    for (int i = 1; i <= 1500; ++i)
      t.rows.push_back({i, i == 2 ? "Zo\xc3\xab, \"Z\"" : "P" + std::to_string(i), i * 100});
    std::string error;
    ASSERT_TRUE(mdfgen::WriteDatabaseFile(db, dir_.File("rows.mdf"), error)) << error;
    path_ = ShellQuote(dir_.File("rows.mdf"));
  }
  testing::TempDir dir_;
  std::string path_;
};

TEST_F(CliRows, FormatsAndPages) {
  auto csv = RunCli("rows " + path_ + " People --format csv");
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')), "Id,Name,Pay");
  EXPECT_NE(csv.out.find("\n2,\"Zo\xc3\xab, \"\"Z\"\"\",200.0000\n"), std::string::npos);
  EXPECT_NE(csv.err.find("Page1 - [1000](1-1000) Records"), std::string::npos);
  auto page2 = RunCli("rows " + path_ + " dbo.People --page 2 --format tsv");
  ASSERT_EQ(page2.status, 0);
  EXPECT_NE(page2.out.find("\n1001\tP1001\t100100.0000\n"), std::string::npos);
  EXPECT_NE(page2.err.find("Page2 - [500](1001-1500) Records"), std::string::npos);
  auto all = RunCli("rows " + path_ + " people --all --format json");
  ASSERT_EQ(all.status, 0);
  EXPECT_NE(all.out.find("\"label\":\"Page2 - [500](1001-1500) Records\""), std::string::npos);
  EXPECT_EQ(RunCli("rows " + path_ + " People --page 3").status, 2);
  EXPECT_EQ(RunCli("rows " + path_ + " Nobody").status, 2);
  EXPECT_EQ(RunCli("rows " + path_ + " People --format xml").status, 2);
}

TEST_F(CliRows, CheckPassesAndWritesALogFile) {
  auto r = RunCli("check " + path_ + " --log-dir " + ShellQuote(dir_.path()));
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("stored 1500"), std::string::npos);
  bool found = false;
  for (const auto& e : std::filesystem::directory_iterator(dir_.path()))
    found |= e.path().filename().string().rfind("QORSQLDb_log_", 0) == 0;
  EXPECT_TRUE(found);
}

}  // namespace
}  // namespace corvane

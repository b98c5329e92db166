// corvane tables and corvane schema, end to end on real files.

#include <gtest/gtest.h>

#include "tests/support/page_bytes.h"
#include "tests/support/run_cli.h"

namespace corvane {
namespace {

using testing::RunCli;
using testing::ShellQuote;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CliTables, ListsTreeObjectsWithPagesAndStoredRows) {
  const std::string path = testing::CorpusFile("sql2000-friendsdata");
  if (path.empty()) GTEST_SKIP() << "corpus not present";
  auto r = RunCli("tables " + ShellQuote(path) + " --json");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Contains(r.out, "{\"database\":\"FriendsData\",\"tables\":["));
  // A heap: its row count is in the index-0 row of sysindexes.
  EXPECT_TRUE(Contains(r.out, "{\"name\":\"Contact\",\"type\":\"U \",\"id\":2025058250,\"parentId\":null,"
                              "\"dataPages\":1,\"storedRows\":6}"))
      << r.out;
  EXPECT_TRUE(Contains(r.out, "\"name\":\"dt_adduserobject\",\"type\":\"P \""));
  EXPECT_FALSE(Contains(r.out, "\"PK_User\""));  // keys only with --all

  auto all = RunCli("tables " + ShellQuote(path) + " --all --json");
  ASSERT_EQ(all.status, 0);
  EXPECT_TRUE(Contains(all.out, "{\"name\":\"PK_User\",\"type\":\"PK\",\"id\":2089058478,"
                                "\"parentId\":2009058193,\"dataPages\":null,\"storedRows\":null}"))
      << all.out;
}

TEST(CliSchema, FindsTablesByNameWithOrWithoutSchema) {
  const std::string path = testing::CorpusFile("sql2005-pubs-student");
  if (path.empty()) GTEST_SKIP() << "corpus not present";
  for (const char* name : {"dbo.employee", "EMPLOYEE"}) {
    auto r = RunCli("schema " + ShellQuote(path) + " " + name + " --json");
    ASSERT_EQ(r.status, 0) << name << ": " << r.err;
    EXPECT_TRUE(Contains(r.out, "\"table\":\"dbo.employee\",\"type\":\"U \",\"id\":405576483"));
    EXPECT_TRUE(Contains(r.out, "\"name\":\"job_id\",\"typeText\":\"smallint(2)\""));
    EXPECT_TRUE(Contains(r.out, "\"references\":{\"table\":\"dbo.jobs\",\"column\":\"job_id\"}"));
    EXPECT_TRUE(Contains(r.out, "{\"name\":\"dbo.PK_emp_id\",\"type\":\"PK\""));
  }
  auto text = RunCli("schema " + ShellQuote(path) + " jobs");
  ASSERT_EQ(text.status, 0);
  EXPECT_TRUE(Contains(text.out, "identity(1,1)"));
}

TEST(CliSchema, UnknownTablesAndBadArgumentsAreErrors) {
  const std::string path = testing::CorpusFile("sql2005-pubs-student");
  if (path.empty()) GTEST_SKIP() << "corpus not present";
  auto missing = RunCli("schema " + ShellQuote(path) + " nosuch");
  EXPECT_EQ(missing.status, 2);
  EXPECT_TRUE(Contains(missing.err, "no table named 'nosuch'")) << missing.err;
  EXPECT_TRUE(missing.out.empty());
  EXPECT_EQ(RunCli("schema " + ShellQuote(path) + " byroyalty").status, 2);  // a procedure
  EXPECT_EQ(RunCli("schema " + ShellQuote(path)).status, 2);
  EXPECT_EQ(RunCli("tables").status, 2);
}

}  // namespace
}  // namespace corvane

#pragma once
// The corpus's EXPECTED-ROWS.tsv: every user table of every corpus file with
// the number of live rows that SQL Server stored for it.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::testing {

struct ExpectedTable {
  std::int32_t id = 0;
  std::string name;  // without schema
  std::int64_t rows = 0;
};

// The tables listed for `slug`, in file order (empty when none or no corpus).
std::vector<ExpectedTable> CorpusExpectedTables(const std::string& slug);

}  // namespace corvane::testing

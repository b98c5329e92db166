#include "tests/support/expected_rows.h"

#include <fstream>
#include <sstream>

namespace corvane::testing {

std::vector<ExpectedTable> CorpusExpectedTables(const std::string& slug) {
  std::vector<ExpectedTable> tables;
  std::ifstream in(std::string(CORVANE_CORPUS_DIR) + "/EXPECTED-ROWS.tsv");
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string s, id, name, rows;
    if (!std::getline(fields, s, '\t') || s != slug) continue;
    std::getline(fields, id, '\t');
    std::getline(fields, name, '\t');
    std::getline(fields, rows, '\t');
    tables.push_back({static_cast<std::int32_t>(std::stol(id)), name, std::stoll(rows)});
  }
  return tables;
}

}  // namespace corvane::testing

#include "engine/collation_table.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>

namespace corvane {
namespace {

// The C library's text-to-int rule: leading blanks, optional sign, digits up
// to the first other character, 0 when there are none.
std::int32_t ToInt(const std::string& s) {
  return static_cast<std::int32_t>(std::strtol(s.c_str(), nullptr, 10));
}

bool Readable(const std::string& path) { return !path.empty() && ::access(path.c_str(), R_OK) == 0; }

}  // namespace

bool LoadCollationTable(const std::string& path, CollationTable& table) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const auto tab1 = line.find('\t');
    if (tab1 == std::string::npos) continue;
    const std::string rest = line.substr(tab1 + 1);
    const auto tab2 = rest.find('\t');
    if (rest.empty() || tab2 == std::string::npos) continue;
    const std::int64_t key = ToInt(rest.substr(0, tab2));
    table[key] = CollationEntry{line.substr(0, tab1), ToInt(rest.substr(tab2 + 1))};
  }
  return true;
}

std::string FindCollationFile() {
  char exe[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n > 0) {
    std::string dir(exe, static_cast<std::size_t>(n));
    dir = dir.substr(0, dir.find_last_of('/') + 1);
    if (Readable(dir + "collation.txt")) return dir + "collation.txt";
  }
#ifdef CORVANE_DATA_DIR
  if (Readable(std::string(CORVANE_DATA_DIR) + "/collation.txt"))
    return std::string(CORVANE_DATA_DIR) + "/collation.txt";
#endif
  return {};
}

const CollationTable::value_type* FindCollation(const CollationTable& table,
                                                std::int64_t collationId) {
  auto it = table.find(collationId);
  if (it == table.end()) it = table.find(collationId & 0xFFFF);
  return it == table.end() ? nullptr : &*it;
}

std::optional<std::int64_t> FindCollationKey(const CollationTable& table, std::int32_t collationId) {
  const auto* entry = FindCollation(table, collationId);
  if (!entry) return std::nullopt;
  return entry->first;
}

}  // namespace corvane

#include "tests/support/page_bytes.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace corvane::testing {

std::vector<std::uint8_t> MakePage(std::int32_t pageNumber, std::int32_t objectId,
                                   std::uint8_t type, std::uint16_t fileId) {
  std::vector<std::uint8_t> page(8192, 0);
  page[0] = 1;
  page[1] = type;
  Put<std::int32_t>(page, 24, objectId);
  Put<std::int32_t>(page, 32, pageNumber);
  Put<std::uint16_t>(page, 36, fileId);
  return page;
}

TempDir::TempDir() {
  char tmpl[] = "/tmp/corvane-test-XXXXXX";
  path_ = ::mkdtemp(tmpl);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
  std::string p = File(name);
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return p;
}

std::vector<std::uint8_t> Join(const std::vector<std::vector<std::uint8_t>>& pages) {
  std::vector<std::uint8_t> out;
  for (const auto& p : pages) out.insert(out.end(), p.begin(), p.end());
  return out;
}

std::string CorpusFile(const std::string& slug) {
  std::string p = std::string(CORVANE_CORPUS_DIR) + "/" + slug + ".mdf";
  return std::filesystem::exists(p) ? p : std::string();
}

std::vector<std::string> CorpusSlugs() {
  std::vector<std::string> slugs;
  std::ifstream in(std::string(CORVANE_CORPUS_DIR) + "/MANIFEST.tsv");
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    auto tab = line.find('\t');
    if (tab != std::string::npos) slugs.push_back(line.substr(0, tab));
  }
  return slugs;
}

std::map<std::string, std::string> CorpusManifestRow(const std::string& slug) {
  auto split = [](const std::string& line) {
    std::vector<std::string> cells;
    std::stringstream ss(line);
    std::string cell;
    while (std::getline(ss, cell, '\t')) cells.push_back(cell);
    return cells;
  };
  std::ifstream in(std::string(CORVANE_CORPUS_DIR) + "/MANIFEST.tsv");
  std::string line;
  std::getline(in, line);
  const auto names = split(line);
  std::map<std::string, std::string> row;
  while (std::getline(in, line)) {
    auto cells = split(line);
    if (cells.empty() || cells[0] != slug) continue;
    for (std::size_t i = 0; i < cells.size() && i < names.size(); ++i) row[names[i]] = cells[i];
  }
  return row;
}

}  // namespace corvane::testing

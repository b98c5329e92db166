#pragma once
// Helpers that build raw pages and files for tests.

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace corvane::testing {

// A zeroed 8192-byte page with the given header fields.
std::vector<std::uint8_t> MakePage(std::int32_t pageNumber, std::int32_t objectId,
                                   std::uint8_t type, std::uint16_t fileId = 1);

template <typename T>
void Put(std::vector<std::uint8_t>& bytes, std::size_t offset, T value) {
  std::memcpy(bytes.data() + offset, &value, sizeof(T));
}

// A fresh temporary directory, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes `bytes` to `name` inside the directory and returns its path.
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

 private:
  std::string path_;
};

// Concatenates pages into one file image.
std::vector<std::uint8_t> Join(const std::vector<std::vector<std::uint8_t>>& pages);

// Path of a file of the real corpus; empty when the corpus is not beside us.
std::string CorpusFile(const std::string& slug);
// Slugs listed in MANIFEST.tsv.
std::vector<std::string> CorpusSlugs();
// A test name made of a slug ("sql2005-pubs" -> "sql2005_pubs"), for
// INSTANTIATE_TEST_SUITE_P over CorpusSlugs().
struct CorpusTestName {
  template <typename Info>
  std::string operator()(const Info& info) const {
    std::string n = info.param;
    for (char& c : n)
      if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) c = '_';
    return n;
  }
};

// The MANIFEST.tsv row of a slug, as column name -> value.
std::map<std::string, std::string> CorpusManifestRow(const std::string& slug);

}  // namespace corvane::testing

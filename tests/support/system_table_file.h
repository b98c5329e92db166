#pragma once
// Database files made of hand-built system-table rows, for catalog tests:
// rows are laid out field by field at the offsets the catalog readers use,
// placed on data pages filed under a system object id, and written to a file
// that a DatabaseContext opens.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/database_context.h"
#include "tests/support/page_bytes.h"
#include "tests/support/recording_observer.h"

namespace corvane::testing {

// A row's fixed part, written field by field.
class FixedPart {
 public:
  explicit FixedPart(std::size_t size) : bytes_(size, 0) {}
  template <typename T>
  FixedPart& Set(std::size_t offset, T value) {
    Put<T>(bytes_, offset, value);
    return *this;
  }
  FixedPart& Chars(std::size_t offset, const std::string& text);  // one byte per character
  FixedPart& NChars(std::size_t offset, const std::string& ascii);  // UTF-16LE
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// ASCII text as UTF-16LE bytes.
std::vector<std::uint8_t> Utf16(const std::string& ascii);

// A record with a null bitmap and the given variable columns; columnCount
// defaults to one per variable column plus one.
std::vector<std::uint8_t> SystemRecord(const FixedPart& fixed,
                                       const std::vector<std::vector<std::uint8_t>>& variable = {},
                                       int columnCount = -1);

class SystemTableFile {
 public:
  // Appends a page filed under `objectId` holding `records`; returns its page
  // number. Page 0 is a file header page filed under object 0.
  std::int32_t AddPage(std::int32_t objectId, const std::vector<std::vector<std::uint8_t>>& records,
                       std::uint16_t indexId = 0, std::uint8_t type = 1);
  // Pads the file to page 9 and makes that the boot page of format `version`.
  // Call before AddPage.
  void AddBootPage(std::uint16_t version);
  // Writes the file and opens it; the context is valid unless the bytes are not.
  std::unique_ptr<DatabaseContext> Open(AppState& app);
  std::string path() const { return path_; }

 private:
  std::vector<std::vector<std::uint8_t>> pages_{MakePage(0, 0, 15)};
  TempDir dir_;
  RecordingObserver observer_;
  std::string path_;
};

}  // namespace corvane::testing

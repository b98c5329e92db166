#include "tests/support/system_table_file.h"

#include "tests/support/record_bytes.h"

namespace corvane::testing {

FixedPart& FixedPart::Chars(std::size_t offset, const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) bytes_.at(offset + i) = static_cast<std::uint8_t>(text[i]);
  return *this;
}

FixedPart& FixedPart::NChars(std::size_t offset, const std::string& ascii) {
  const auto units = Utf16(ascii);
  for (std::size_t i = 0; i < units.size(); ++i) bytes_.at(offset + i) = units[i];
  return *this;
}

std::vector<std::uint8_t> Utf16(const std::string& ascii) {
  std::vector<std::uint8_t> out;
  for (char c : ascii) {
    out.push_back(static_cast<std::uint8_t>(c));
    out.push_back(0);
  }
  return out;
}

std::vector<std::uint8_t> SystemRecord(const FixedPart& fixed,
                                       const std::vector<std::vector<std::uint8_t>>& variable,
                                       int columnCount) {
  RecordSpec s;
  s.statusA = variable.empty() ? 0x10 : 0x30;
  s.fixed = fixed.bytes();
  s.columnCount = static_cast<std::uint16_t>(
      columnCount >= 0 ? columnCount : static_cast<int>(variable.size()) + 1);
  s.nullBitmap.assign((s.columnCount + 7) / 8, 0);
  s.variable = variable;
  return BuildRecord(s);
}

std::int32_t SystemTableFile::AddPage(std::int32_t objectId,
                                      const std::vector<std::vector<std::uint8_t>>& records,
                                      std::uint16_t indexId, std::uint8_t type) {
  const auto number = static_cast<std::int32_t>(pages_.size());
  auto page = PageWithRecords(number, objectId, records);
  page[1] = type;
  Put<std::uint16_t>(page, 6, indexId);
  pages_.push_back(std::move(page));
  return number;
}

void SystemTableFile::AddBootPage(std::uint16_t version) {
  while (pages_.size() < 9) pages_.push_back(MakePage(static_cast<std::int32_t>(pages_.size()), 0, 0));
  auto boot = MakePage(9, 0, 13);
  Put<std::uint16_t>(boot, 100, version);
  pages_.push_back(std::move(boot));
}

std::unique_ptr<DatabaseContext> SystemTableFile::Open(AppState& app) {
  path_ = dir_.Write("fixture.mdf", Join(pages_));
  return DatabaseContext::Open(path_, app, observer_);
}

}  // namespace corvane::testing

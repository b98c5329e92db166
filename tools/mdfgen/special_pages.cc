#include "tools/mdfgen/special_pages.h"

#include <cstring>
#include <vector>

#include "tools/mdfgen/allocator.h"
#include "tools/mdfgen/file_builder.h"
#include "tools/mdfgen/page_builder.h"
#include "tools/mdfgen/value_encoder.h"

namespace corvane::mdfgen {
namespace {

constexpr std::uint8_t kObjectAllocationPages = 99;

int BootRecordSize(int version) {
  if (version < 611) return 548;
  if (version < 655) return 728;
  if (version < 706) return 1440;
  if (version < 852) return 1500;
  return 1616;
}

template <typename T>
void Put(std::vector<std::uint8_t>& record, int pageOffset, T value) {
  std::memcpy(record.data() + (pageOffset - kHeaderSize), &value, sizeof(T));
}

void WriteSingleRecordPage(PageSink& sink, std::uint8_t type, std::int32_t pageNumber,
                           const std::vector<std::uint8_t>& record, std::uint16_t fileId = 1) {
  PageBuilder b;
  PageHeader h;
  h.type = type;
  h.objectId = kObjectAllocationPages;
  h.pageNumber = pageNumber;
  h.fileId = fileId;
  b.Reset(h);
  b.Add(record);
  sink.Write(pageNumber, b.Finish());
}

}  // namespace

void WriteBootPage(PageSink& sink, const BootInfo& boot) {
  const int size = BootRecordSize(boot.version);
  std::vector<std::uint8_t> record(static_cast<std::size_t>(4 + size), 0);
  record[2] = static_cast<std::uint8_t>((4 + size) & 0xFF);
  record[3] = static_cast<std::uint8_t>((4 + size) >> 8);
  Put<std::uint16_t>(record, 100, static_cast<std::uint16_t>(boot.version));
  Put<std::uint16_t>(record, 102, static_cast<std::uint16_t>(boot.version));
  std::vector<std::uint8_t> name;
  AppendUtf16(boot.name, name);
  name.resize(std::min<std::size_t>(name.size(), 256));
  std::memset(record.data() + (148 - kHeaderSize), 0x20, 256);
  std::memcpy(record.data() + (148 - kHeaderSize), name.data(), name.size());
  Put<std::int16_t>(record, 408, 5);
  Put<std::int16_t>(record, 410, static_cast<std::int16_t>(CompatibilityLevel(boot.version)));
  Put<std::int16_t>(record, 412, 2000);
  Put<std::int32_t>(record, 488, boot.collationId);
  Put<std::int32_t>(record, 612, boot.firstSystemPage);
  Put<std::int16_t>(record, 616, 1);
  WriteSingleRecordPage(sink, kTypeBoot, kBootPage, record);
}

void WriteFileHeader(PageSink& sink, const std::string& name, std::int64_t pageCount,
                     std::uint16_t fileId) {
  // Lengths of the variable columns as a SQL Server 2008 R2 file header has them.
  static constexpr int kLengths[46] = {16, 0,  2,  2,  4,  4,  4,  4,  10, 10, 10, 0,  4,  4,  4, 4,
                                       10, 28, 10, 10, 10, 16, 10, 16, 4,  10, 0,  -1, 16, 0,  0, 0,
                                       0,  0,  0,  16, 0,  0,  10, 10, 28, 10, 16, 28, 8,  824};
  std::vector<std::uint8_t> nameBytes;
  AppendUtf16(name, nameBytes);
  std::vector<std::vector<std::uint8_t>> columns;
  for (int length : kLengths)
    columns.emplace_back(
        length < 0 ? nameBytes : std::vector<std::uint8_t>(static_cast<std::size_t>(length), 0));
  for (int k = 0; k < 16; ++k) {
    columns[0][static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(0x40 + 7 * k);  // file GUID
    columns[23][static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(0x0B + 5 * k);
  }
  auto put32 = [&columns](int column, std::int64_t v) {
    const auto x = static_cast<std::int32_t>(v);
    std::memcpy(columns[static_cast<std::size_t>(column)].data(), &x, 4);
  };
  columns[2][0] = static_cast<std::uint8_t>(fileId);
  columns[3][0] = 1;
  put32(4, pageCount);
  put32(5, -1);
  put32(6, 128);
  put32(12, pageCount);
  put32(14, -1);

  std::vector<std::uint8_t> record = {0x30, 0x00, 8, 0, 0, 0, 0, 0, 47, 0, 0, 0, 0, 0, 0, 0, 46, 0};
  std::size_t end = record.size() + 2 * columns.size();
  for (const auto& c : columns) {
    end += c.size();
    record.push_back(static_cast<std::uint8_t>(end & 0xFF));
    record.push_back(static_cast<std::uint8_t>(end >> 8));
  }
  for (const auto& c : columns) record.insert(record.end(), c.begin(), c.end());
  WriteSingleRecordPage(sink, kTypeFileHeader, 0, record, fileId);
}

}  // namespace corvane::mdfgen

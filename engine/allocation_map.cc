#include "engine/allocation_map.h"

#include "engine/database_context.h"

namespace corvane {
namespace {

PageId ReadDiskPointer(Bytes b, std::size_t offset) {
  return PageId{b.ReadOr<std::uint16_t>(offset + 4, 0),
                static_cast<std::int32_t>(b.ReadOr<std::uint32_t>(offset, 0))};
}

// IAM pages are read whatever the deleted-record settings: only slots 0 and 1.
RecordParseOptions IamOptions() { return RecordParseOptions{}; }

}  // namespace

ExtentAllocationMap::ExtentAllocationMap(PageBuffer buffer, const DatabaseContext* context)
    : PrimaryRecordPage(std::move(buffer), context, IamOptions()) {
  const CPrimaryRecord* bitmap = record(1);
  if (recordCount() < 2 || !bitmap || !bitmap->fixedData) return;
  const Bytes bits = *bitmap->fixedData;
  for (std::size_t i = 0; i < bits.size() && extentBits_.size() < kGamIntervalExtents; ++i)
    for (int b = 0; b < 8 && extentBits_.size() < kGamIntervalExtents; ++b)
      extentBits_.push_back((bits[i] >> b) & 1);
}

IamPage::IamPage(PageBuffer buffer, const DatabaseContext* context)
    : ExtentAllocationMap(std::move(buffer), context) {
  const CPrimaryRecord* head = record(0);
  if (!head || !head->fixedData) return;
  const Bytes f = *head->fixedData;
  sequence_ = f.ReadOr<std::uint32_t>(0, 0);
  if (f.Fits(36, 6)) startPage_ = ReadDiskPointer(f, 36);
  for (int k = 0; k < 8; ++k)
    if (f.Fits(42 + 6 * k, 6)) singlePages_[k] = ReadDiskPointer(f, 42 + 6 * k);
}

std::vector<ExtentEntry> IamPage::AllocatedExtents() const {
  std::vector<ExtentEntry> out;
  // The interval starts at a multiple of the GAM interval; round a damaged
  // startPage down to one.
  const std::int64_t start =
      (static_cast<std::int64_t>(static_cast<std::uint32_t>(startPage_.pageNumber)) /
       kGamIntervalPages) * kGamIntervalPages;
  std::uint64_t limit = extentBits_.size();
  if (context_) {
    const std::uint64_t pages = context_->PageCountOf(startPage_.fileId);
    // An interval of a file this database does not have maps nothing readable.
    if (pages == 0) return out;
    {
      // Bits beyond the end of the file mark nothing that can be read.
      const std::uint64_t fileExtents = pages / 8;
      const std::uint64_t before = static_cast<std::uint64_t>(start) / 8;
      limit = fileExtents > before ? std::min<std::uint64_t>(limit, fileExtents - before) : 0;
    }
  }
  for (std::uint64_t i = 0; i < limit; ++i) {
    if (!extentBits_[i]) continue;
    const std::int64_t firstPage = start + 8 * static_cast<std::int64_t>(i);
    if (firstPage + 7 > INT32_MAX) break;
    const auto first = static_cast<std::int32_t>(firstPage);
    out.push_back({PageId{startPage_.fileId, first}, PageId{startPage_.fileId, first + 7}});
  }
  return out;
}

std::vector<PageId> ExtentPages(const ExtentEntry& extent) {
  std::vector<PageId> pages;
  for (int i = 0; i < 8; ++i)
    pages.push_back({extent.first.fileId, extent.first.pageNumber + i});
  return pages;
}

}  // namespace corvane

#pragma once
// The pages of one allocation unit: where they come from and the IAM pages
// that list them.
//
// Page-header identity of a unit: objectId = bits 16-47 of the allocation
// unit id, indexId = bits 48-63 (256 for units of user tables, whose ids are
// 0x0100000000000000 + (n << 16); the index id for system tables).
//
// IAM page (type 10): slot 0 a 90-byte header record (status 0, no column
// count): offset 0 sequence number, 36 start page of the GAM interval it maps
// (page number, file id), 42 + 6k the eight single-page slots (page number,
// file id); slot 1 the extent bitmap record, one bit per uniform extent of
// the interval. IAM pages of one unit are chained through the header's
// prev/next pointers, one per GAM interval that holds its extents.

#include <cstdint>
#include <vector>

#include "tools/mdfgen/allocator.h"
#include "tools/mdfgen/page_builder.h"
#include "tools/mdfgen/page_sink.h"

namespace corvane::mdfgen {

// Page-header object id and index id of an allocation unit id.
inline std::int32_t HeaderObjectId(std::int64_t unitId) {
  return static_cast<std::int32_t>(static_cast<std::uint64_t>(unitId) >> 16);
}
inline std::uint16_t HeaderIndexId(std::int64_t unitId) {
  return static_cast<std::uint16_t>(static_cast<std::uint64_t>(unitId) >> 48);
}

// Pages handed out in the order they were first handed out, so that a second
// pass over the same rows lands on the same pages (the system tables are laid
// out once to learn their size, then written for real).
class PageSource {
 public:
  explicit PageSource(PageAllocator& allocator) : allocator_(allocator) {}
  void StartReplay() { replaying_ = true, position_ = 0; }
  std::int32_t Single() { return Next(false); }
  std::int32_t Extent() { return Next(true); }
  PageAllocator& allocator() { return allocator_; }

 private:
  std::int32_t Next(bool extent);
  PageAllocator& allocator_;
  std::vector<std::int32_t> taken_;
  bool replaying_ = false;
  std::size_t position_ = 0;
};

struct UnitPages {
  std::uint16_t fileId = 1;  // the file that holds every page of the unit
  std::int32_t firstPage = 0;
  std::int32_t rootPage = 0;
  std::int32_t firstIamPage = 0;
  std::int64_t usedPages = 0;      // data, index and IAM pages
  std::int64_t dataPages = 0;      // leaf pages
  std::int64_t reservedPages = 0;  // single pages, uniform extents, IAM pages
  std::vector<std::int32_t> iamPages;
};

class UnitWriter {
 public:
  // legacy: SQL Server 2000 data pages carry index id 0 in their header (the
  // unit's index id goes to its index and IAM pages only).
  UnitWriter(PageSource& source, PageSink& sink, std::int64_t unitId, bool mixedFirstPages,
             bool legacy = false, std::uint16_t fileId = 1);

  std::int64_t unitId() const { return unitId_; }
  std::uint16_t fileId() const { return fileId_; }
  // A header for a new page of this unit.
  PageHeader Header(std::uint8_t type, std::int32_t pageNumber) const;
  // The next page of the unit: single pages first, then uniform extents.
  std::int32_t NewPage();
  // Writes a finished page and records its PFS flags.
  void Write(std::int32_t page, const std::uint8_t* bytes, std::uint8_t pfsFlags, bool isData);
  // Writes the IAM chain; fills the page counts of `result`.
  void Finish(UnitPages& result);

 private:
  PageSource& source_;
  PageSink& sink_;
  std::int64_t unitId_;
  bool mixedFirstPages_;
  bool legacy_;
  std::uint16_t fileId_;
  std::vector<std::int32_t> singles_;
  std::vector<std::int32_t> extents_;  // first pages
  int extentUsed_ = 8;
  std::int64_t written_ = 0;
  std::int64_t dataWritten_ = 0;
};

}  // namespace corvane::mdfgen

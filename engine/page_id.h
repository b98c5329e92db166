#pragma once
// Page addresses and page-index entries.

#include <compare>
#include <cstdint>

namespace corvane {

inline constexpr std::size_t kPageSize = 8192;
inline constexpr std::size_t kPageHeaderSize = 96;
inline constexpr std::uint16_t kPrimaryFileId = 1;

// In memory a page is named file id first; on disk a page pointer stores the
// page number (4 bytes) before the file id (2 bytes). See DiskPagePointer.
struct PageId {
  std::uint16_t fileId = kPrimaryFileId;
  std::int32_t pageNumber = 0;
  auto operator<=>(const PageId&) const = default;
};

// One entry of a PageIndex list: where a page lies and what type it is.
// pageNumber is the page's position in its file, not the number its header
// carries (the two differ in shifted files).
//
// indexId is the header's index id (offset 6). From SQL Server 2005 on, a
// page belongs to allocation unit (indexId << 48) | (objectId << 16): the
// object id alone does not tell a system table's page from a user table's.
struct PageEntry {
  std::uint16_t fileId = 0;
  std::int32_t pageNumber = 0;
  std::int32_t pageType = 0;
  std::uint16_t indexId = 0;
  PageId id() const { return PageId{fileId, pageNumber}; }
  bool operator==(const PageEntry&) const = default;
};

}  // namespace corvane

#pragma once
// Hands out pages of the primary file and remembers what the allocation
// maps must say about them; at the end it writes those maps.
//
// Fixed pages: 0 file header, 1 + 8088k PFS, 2 + 511232k GAM, 3 + 511232k
// SGAM, 6 + 511232k differential map, 7 + 511232k bulk-change map, 9 boot
// page; pages 4 and 5 stay unused, as in the real files. Other pages come
// from mixed extents (one page at a time, shared by allocation units) or
// from uniform extents (eight pages of one allocation unit).
//
// PFS byte of a page: 0x40 allocated, 0x20 in a mixed extent, 0x10 IAM page,
// 0x08 holds ghost records, bits 0-2 fullness of a heap page (0 empty,
// 1 up to 50 %, 2 up to 80 %, 3 up to 95 %, 4 full). GAM bit 1: extent free;
// SGAM bit 1: mixed extent with a free page. Each map page holds a 90-byte
// header record and a 7988-byte bitmap record (63904 extents).

#include <cstdint>
#include <vector>

#include "tools/mdfgen/page_sink.h"

namespace corvane::mdfgen {

inline constexpr std::int64_t kPfsInterval = 8088;
inline constexpr std::int64_t kGamInterval = 511232;
inline constexpr std::int32_t kBootPage = 9;

inline constexpr std::uint8_t kPfsAllocated = 0x40;
inline constexpr std::uint8_t kPfsMixed = 0x20;
inline constexpr std::uint8_t kPfsIam = 0x10;
inline constexpr std::uint8_t kPfsGhosts = 0x08;

class PageAllocator {
 public:
  // The allocator of one file (its id goes into the headers of its map pages).
  explicit PageAllocator(std::uint16_t fileId = 1);

  // True for the fixed pages above.
  static bool IsReserved(std::int64_t page);

  // One page from a mixed extent.
  std::int32_t AllocateSingle();
  // The first page of a fresh uniform extent (its eight pages belong to the caller).
  std::int32_t AllocateExtent();

  // Records the PFS flags of an allocated page (allocated and mixed bits are added).
  void MarkPage(std::int32_t page, std::uint8_t flags);
  // PFS fullness bits for a heap page with `usedBytes` of 8096 in use.
  static std::uint8_t Fullness(int usedBytes);

  // Whole extents in use: (last allocated page + 1) rounded up to 8, at least 16.
  std::int64_t PageCount() const;

  // Writes the PFS, GAM, SGAM, differential and bulk-change map pages for a
  // file of `pageCount` pages.
  void WriteMaps(PageSink& sink, std::int64_t pageCount) const;

 private:
  enum class Extent : std::uint8_t { kFree, kMixed, kUniform };
  void Grow(std::int64_t extent);
  std::int64_t NewExtent(Extent kind);

  std::uint16_t fileId_;
  std::vector<std::uint8_t> pfs_;  // one byte per page
  std::vector<Extent> extents_;
  std::vector<std::int64_t>
      spareMixed_;  // extents holding fixed pages, not yet used for mixed pages
  std::int64_t nextExtent_ = 2;
  std::int64_t mixedExtent_ = 1;
  int mixedNext_ = 0;  // next page within the current mixed extent
  std::int64_t lastPage_ = 15;
};

}  // namespace corvane::mdfgen

#pragma once
// Page free space (PFS) pages: page 1 of every file and every 8088th page
// after it. One record whose 8088 bytes of fixed data hold one byte per page
// of the interval, from page offset 100:
//
//   bit    meaning
//   -----  ------------------------------------------
//   0-2    fill level
//   0x08   the page holds ghost records
//   0x10   the page is an IAM page
//   0x20   the page lies in a mixed extent
//   0x40   the page is allocated
//
// Allocation units keep whole extents; pages of an extent that the unit has
// not (or no longer) allocated still carry what an earlier owner wrote there.

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "engine/page_id.h"

namespace corvane {

class DatabaseContext;

inline constexpr std::int32_t kPfsInterval = 8088;
inline constexpr std::uint8_t kPfsAllocated = 0x40;

// Answers "is this page allocated?" from the PFS pages, reading each PFS page
// once. Owned by one walk; one thread.
class PageAllocationStatus {
 public:
  explicit PageAllocationStatus(const DatabaseContext& context) : context_(context) {}

  // The PFS byte of `page`; nullopt when its PFS page cannot be read.
  std::optional<std::uint8_t> PfsByte(PageId page);
  // True when the PFS byte has the allocated bit; a page whose PFS page cannot
  // be read counts as allocated (nothing says otherwise).
  bool IsAllocated(PageId page);

 private:
  const DatabaseContext& context_;
  std::map<PageId, std::vector<std::uint8_t>> pfsPages_;
};

}  // namespace corvane

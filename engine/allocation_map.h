#pragma once
// Index allocation map (IAM) pages: which extents (runs of 8 pages) and which
// single pages of one GAM interval belong to an allocation unit.
//
// Record 0, the IAM header (offsets from its fixed data, i.e. record offset 4):
//
//  Offset       Width    Field
//  -----------  -------  ----------------------------------------------
//   0           uint32   sequence number
//  36           6 bytes  startPage: page number (uint32), file id (uint16) of
//                        the first page of the interval this page maps
//  42 + 6k      6 bytes  singlePages[k], k = 0..7 (file id 0: empty slot)
//
// Record 1: the extent bitmap; bit i (least significant first) stands for the
// extent starting at startPage + 8i. A GAM interval is 511232 pages (63904
// extents). The IAM page itself may lie anywhere, even in another file: the
// interval and its file come from startPage, never from the IAM page's own
// address.

#include <cstdint>
#include <vector>

#include "engine/page_id.h"
#include "engine/record_page.h"

namespace corvane {

inline constexpr int kGamIntervalExtents = 63904;
inline constexpr int kGamIntervalPages = kGamIntervalExtents * 8;

struct ExtentEntry {
  PageId first;
  PageId last;  // first + 7
};

class ExtentAllocationMap : public PrimaryRecordPage {
 public:
  ExtentAllocationMap(PageBuffer buffer, const DatabaseContext* context);

  const std::vector<bool>& extentBits() const { return extentBits_; }
  int bitCount() const { return static_cast<int>(extentBits_.size()); }

 protected:
  std::vector<bool> extentBits_;
};

class IamPage : public ExtentAllocationMap {
 public:
  IamPage(PageBuffer buffer, const DatabaseContext* context);

  std::uint32_t sequence() const { return sequence_; }
  PageId startPage() const { return startPage_; }
  const PageId* singlePages() const { return singlePages_; }

  // Extents marked in the bitmap, bounded by the extent count of the file
  // the interval lies in (all bits when that file is unknown).
  std::vector<ExtentEntry> AllocatedExtents() const;

 private:
  std::uint32_t sequence_ = 0;
  PageId startPage_{1, 0};
  PageId singlePages_[8] = {};
};

// The 8 pages of an extent.
std::vector<PageId> ExtentPages(const ExtentEntry& extent);

}  // namespace corvane

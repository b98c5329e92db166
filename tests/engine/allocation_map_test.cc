#include "engine/allocation_map.h"

#include <gtest/gtest.h>

#include "tests/support/page_bytes.h"
#include "tests/support/record_bytes.h"

namespace corvane {
namespace {

using testing::BuildRecord;
using testing::RecordSpec;

// An IAM page: header record (90 bytes of fixed data) and bitmap record.
std::vector<std::uint8_t> IamBytes(std::int32_t ownPage, std::uint32_t startPage,
                                   std::uint16_t startFile, std::vector<std::uint8_t> bitmap,
                                   bool withBitmap = true) {
  RecordSpec head;
  head.statusA = 0;
  head.fixed.assign(90, 0);
  std::memcpy(head.fixed.data() + 36, &startPage, 4);
  std::memcpy(head.fixed.data() + 40, &startFile, 2);
  std::uint32_t single = 64;
  std::uint16_t one = 1;
  std::memcpy(head.fixed.data() + 42 + 6, &single, 4);
  std::memcpy(head.fixed.data() + 42 + 6 + 4, &one, 2);
  RecordSpec bits;
  bits.statusA = 0;
  bitmap.resize(7988, 0);
  bits.fixed = bitmap;
  std::vector<std::vector<std::uint8_t>> records{BuildRecord(head)};
  if (withBitmap) records.push_back(BuildRecord(bits));
  auto page = testing::PageWithRecords(ownPage, 77, records);
  page[1] = 10;
  return page;
}

TEST(IamPage, BitmapMarksExtentsOfTheInterval) {
  IamPage iam(IamBytes(8, 0, 1, {0x05}), nullptr);
  auto extents = iam.AllocatedExtents();
  ASSERT_EQ(extents.size(), 2u);
  EXPECT_EQ(extents[0].first, (PageId{1, 0}));
  EXPECT_EQ(extents[0].last, (PageId{1, 7}));
  EXPECT_EQ(extents[1].first, (PageId{1, 16}));
  EXPECT_EQ(iam.singlePages()[1], (PageId{1, 64}));
  EXPECT_EQ(ExtentPages(extents[1]).size(), 8u);
  EXPECT_EQ(ExtentPages(extents[1]).back(), (PageId{1, 23}));
}

TEST(IamPage, IntervalAndFileComeFromStartPageNotTheIamPagesOwnAddress) {
  // The IAM page lies at page 8 of file 1 but maps the second interval of file 3.
  IamPage iam(IamBytes(8, 511232, 3, {0x01}), nullptr);
  auto extents = iam.AllocatedExtents();
  ASSERT_EQ(extents.size(), 1u);
  EXPECT_EQ(extents[0].first, (PageId{3, 511232}));
}

TEST(IamPage, OneRecordMeansNoExtents) {
  IamPage iam(IamBytes(8, 0, 1, {0xFF}, false), nullptr);
  EXPECT_TRUE(iam.AllocatedExtents().empty());
  EXPECT_EQ(iam.bitCount(), 0);
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

TEST(IamPage, AnExtentAtTheTopOfThePageRangeStaysInRange) {
  std::vector<std::uint8_t> bitmap(38655 / 8 + 1, 0);
  bitmap[38655 / 8] = static_cast<std::uint8_t>(1 << (38655 % 8));
  IamPage iam(IamBytes(8, 0x7FFF0000, 77, bitmap), nullptr);
  auto extents = iam.AllocatedExtents();
  ASSERT_EQ(extents.size(), 1u);
  EXPECT_EQ(extents[0].last.pageNumber, INT32_MAX);
  auto pages = ExtentPages(extents[0]);
  ASSERT_EQ(pages.size(), 8u);
  EXPECT_EQ(pages.back().pageNumber, INT32_MAX);
}

}  // namespace
}  // namespace corvane

#include "engine/page_header.h"

#include <gtest/gtest.h>

#include "tests/support/page_bytes.h"

namespace corvane {
namespace {

using testing::MakePage;
using testing::Put;

TEST(PageHeader, AllZeroPageParsesToZeros) {
  std::vector<std::uint8_t> page(8192, 0);
  auto h = CPage_Header::FromPage(page.data());
  EXPECT_EQ(h.type, 0);
  EXPECT_EQ(h.objectId, 0);
  EXPECT_EQ(h.pageNumber, 0);
  EXPECT_EQ(h.slotCount, 0);
}

TEST(PageHeader, ReadsFieldsAtTheirOffsets) {
  auto page = MakePage(77, 123456, 1, 3);
  page[2] = 0x80;
  page[3] = 2;
  Put<std::int32_t>(page, 8, 76);
  Put<std::int16_t>(page, 12, 3);
  Put<std::int32_t>(page, 16, 78);
  Put<std::int16_t>(page, 20, 3);
  Put<std::int16_t>(page, 22, 42);
  Put<std::int16_t>(page, 58, 5);
  auto h = CPage_Header::FromPage(page.data());
  EXPECT_EQ(h.type, 1);
  EXPECT_EQ(h.typeFlagBits, 0x80);
  EXPECT_EQ(h.level, 2);
  EXPECT_EQ(h.prevPage.pageNumber, 76);
  EXPECT_EQ(h.nextPage.pageNumber, 78);
  EXPECT_EQ(h.nextPage.fileId, 3);
  EXPECT_EQ(h.slotCount, 42);
  EXPECT_EQ(h.objectId, 123456);
  EXPECT_EQ(h.pageNumber, 77);
  EXPECT_EQ(h.fileId, 3);
  EXPECT_EQ(h.ghostRecordCount, 5);
}

TEST(PageHeader, TornBitsRestoreLastByteOfSectorsOneToFifteen) {
  auto page = MakePage(5, 7, 1);
  Put<std::uint16_t>(page, 4, 0x0100);
  Put<std::uint32_t>(page, 60, 0xFFFFFFFF);
  page[511] = 0x40;
  for (int k = 1; k < 16; ++k) page[512 * k + 511] = 0xA8;
  CPage_Header::FromPage(page.data());
  EXPECT_EQ(page[511], 0x40) << "sector 0 is never changed";
  for (int k = 1; k < 16; ++k) EXPECT_EQ(page[512 * k + 511], 0xAB) << "sector " << k;
}

TEST(PageHeader, TornBitsTakeTwoBitsPerSector) {
  auto page = MakePage(5, 7, 1);
  Put<std::uint16_t>(page, 4, 0x0100);
  // Sector 1 gets bits 2-3 (= 2), sector 15 gets bits 30-31 (= 1).
  Put<std::uint32_t>(page, 60, (2u << 2) | (1u << 30));
  page[1023] = 0xFF;
  page[8191] = 0xFC;
  CPage_Header::FromPage(page.data());
  EXPECT_EQ(page[1023], 0xFE);
  EXPECT_EQ(page[8191], 0xFD);
}

TEST(PageHeader, WithoutTornFlagThePageIsUntouched) {
  auto page = MakePage(5, 7, 1);
  Put<std::uint32_t>(page, 60, 0xFFFFFFFF);
  auto before = page;
  CPage_Header::FromPage(page.data());
  EXPECT_EQ(page, before);
}

}  // namespace
}  // namespace corvane

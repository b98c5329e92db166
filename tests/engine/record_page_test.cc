#include "engine/record_page.h"

#include <gtest/gtest.h>

#include "engine/database_context.h"
#include "tests/support/page_bytes.h"
#include "tests/support/record_bytes.h"
#include "tests/support/recording_observer.h"

namespace corvane {
namespace {

using testing::BuildRecord;
using testing::PageWithRecords;
using testing::Put;
using testing::RecordSpec;

std::vector<std::uint8_t> SimpleRecord(std::uint8_t statusA = 0x30) {
  RecordSpec s;
  s.statusA = statusA;
  s.fixed = {1, 0, 0, 0};
  s.columnCount = 3;
  s.nullBitmap = {0};
  s.variable = {{'a', 'b'}, {'c'}};
  return BuildRecord(s);
}

RecordParseOptions Deleted(bool show, bool advanced = false) {
  RecordParseOptions o;
  o.showDeleted = show;
  o.showAdvancedDeleted = advanced;
  return o;
}

TEST(RecordPage, ParsesFixedNullBitmapAndVariableColumns) {
  PrimaryRecordPage page(PageWithRecords(5, 100, {SimpleRecord()}), nullptr, Deleted(false));
  ASSERT_EQ(page.recordCount(), 1u);
  const CPrimaryRecord* r = page.record(0);
  ASSERT_TRUE(r);
  EXPECT_FALSE(r->invalid);
  EXPECT_EQ(r->fixedLength, 4);
  ASSERT_TRUE(r->fixedData);
  EXPECT_EQ((*r->fixedData)[0], 1);
  EXPECT_EQ(r->columnCount, 3);
  ASSERT_TRUE(r->nullBitmap);
  EXPECT_EQ(r->nullBitmap->size(), 1u);
  ASSERT_EQ(r->varValues.size(), 2u);
  EXPECT_EQ(r->varValues[0].length, 2);
  EXPECT_EQ(r->varValues[1].data[0], 'c');
  EXPECT_EQ(r->length, static_cast<int>(SimpleRecord().size()));
}

TEST(RecordPage, NullBitmapWithoutVariableColumns) {
  RecordSpec s;
  s.statusA = 0x10;
  s.fixed = {7, 0};
  s.columnCount = 3;
  s.nullBitmap = {0x04};
  PrimaryRecordPage page(PageWithRecords(5, 100, {BuildRecord(s)}), nullptr, Deleted(false));
  const CPrimaryRecord* r = page.record(0);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->nullBitmap->size(), 1u);
  EXPECT_EQ(r->varColumnCount, 0);
  EXPECT_TRUE(r->IsNullBit(2));
  EXPECT_FALSE(r->IsNullBit(0));
}

TEST(RecordPage, ComplexColumnEndOffsetHasBitFifteenCleared) {
  RecordSpec s;
  s.fixed = {1, 0, 0, 0};
  s.columnCount = 2;
  s.nullBitmap = {0};
  s.variable = {std::vector<std::uint8_t>(16, 0xAB)};
  s.complex = {true};
  auto rec = BuildRecord(s);
  PrimaryRecordPage page(PageWithRecords(5, 100, {rec}), nullptr, Deleted(false));
  const CPrimaryRecord* r = page.record(0);
  ASSERT_TRUE(r);
  ASSERT_EQ(r->varValues.size(), 1u);
  EXPECT_TRUE(r->varValues[0].complex);
  EXPECT_EQ(r->varEndOffsets[0], rec.size());
  EXPECT_EQ(r->varValues[0].length, 16);
}

TEST(RecordPage, SparseVectorIsParsedFromAComplexColumn) {
  RecordSpec s;
  s.fixed = {1, 0, 0, 0};
  s.columnCount = 2;
  s.nullBitmap = {0};
  // column 3 = 3 (smallint), column 6 = 1234 (int)
  s.variable = {{0x05, 0x00, 0x02, 0x00, 0x03, 0x00, 0x06, 0x00, 0x10, 0x00, 0x14, 0x00, 0x03,
                 0x00, 0x00, 0x00, 0xd2, 0x04, 0x00, 0x00}};
  s.complex = {true};
  PrimaryRecordPage page(PageWithRecords(5, 100, {BuildRecord(s)}), nullptr, Deleted(false));
  const CPrimaryRecord* r = page.record(0);
  ASSERT_TRUE(r && r->sparseVector);
  ASSERT_EQ(r->sparseVector->count, 2);
  EXPECT_EQ(r->sparseVector->values[0].columnId, 3);
  EXPECT_EQ(r->sparseVector->values[0].length, 4);
  EXPECT_EQ(r->sparseVector->values[1].columnId, 6);
  EXPECT_EQ(LoadLE<std::int32_t>(r->sparseVector->values[1].data.data()), 1234);
}

TEST(RecordPage, SlotArrayBoundsAndImpossibleOffsets) {
  struct Case {
    const char* name;
    std::int16_t slotCount;
    std::uint16_t slot0;
    std::size_t records;
    bool firstIsNull;
  } cases[] = {
      {"no slots", 0, 96, 0, false},
      {"4000 slots", 4000, 96, 0, false},
      {"slot inside the header", 1, 50, 1, true},
      {"slot beyond the page", 1, 9000, 1, true},
      {"ordinary slot", 1, 96, 1, false},
  };
  for (const auto& c : cases) {
    auto bytes = PageWithRecords(5, 100, {SimpleRecord()});
    Put<std::int16_t>(bytes, 22, c.slotCount);
    Put<std::uint16_t>(bytes, 8190, c.slot0);
    PrimaryRecordPage page(bytes, nullptr, Deleted(false));
    EXPECT_EQ(page.recordCount(), c.records) << c.name;
    if (c.records) {
      EXPECT_EQ(page.record(0) == nullptr, c.firstIsNull) << c.name;
    }
  }
}

TEST(RecordPage, DamagedHeaderFieldsYieldNoRecords) {
  for (std::size_t offset : {8u, 16u, 28u, 32u, 58u}) {
    auto bytes = PageWithRecords(5, 100, {SimpleRecord()});
    Put<std::int32_t>(bytes, offset, -2);
    PrimaryRecordPage page(bytes, nullptr, Deleted(false));
    EXPECT_EQ(page.recordCount(), 0u) << "offset " << offset;
  }
}

TEST(RecordPage, GhostRecordsFollowShowDeleted) {
  auto bytes = PageWithRecords(5, 100, {SimpleRecord(), SimpleRecord(0x3C)});
  Put<std::int16_t>(bytes, 58, 1);
  PrimaryRecordPage hidden(bytes, nullptr, Deleted(false));
  ASSERT_TRUE(hidden.record(1));
  EXPECT_TRUE(hidden.record(1)->invalid);
  PrimaryRecordPage shown(bytes, nullptr, Deleted(true));
  ASSERT_TRUE(shown.record(1));
  EXPECT_FALSE(shown.record(1)->invalid);
  EXPECT_FALSE(shown.record(1)->isGhost);
  EXPECT_EQ(shown.record(1)->recordType, kRecordGhostData);
}

TEST(RecordPage, PageOfOnlyGhostsYieldsNothingUnlessShowDeleted) {
  auto bytes = PageWithRecords(5, 100, {SimpleRecord(0x3C), SimpleRecord(0x3C)});
  Put<std::int16_t>(bytes, 58, 2);
  PrimaryRecordPage hidden(bytes, nullptr, Deleted(false));
  ASSERT_EQ(hidden.recordCount(), 2u);
  EXPECT_FALSE(hidden.record(0) || hidden.record(1));
  PrimaryRecordPage shown(bytes, nullptr, Deleted(true));
  EXPECT_TRUE(shown.record(0) && shown.record(1));
}

TEST(RecordPage, AdvancedScanFindsRecordsNoSlotReferences) {
  // A record at 96 (slotted), a lost record after it, matching the start
  // pattern 30 00 84 00 (fixed part ending at 132).
  RecordSpec lost;
  lost.fixed = std::vector<std::uint8_t>(128, 0x11);
  lost.columnCount = 2;
  lost.nullBitmap = {0};
  lost.variable = {{'z'}};
  auto lostBytes = BuildRecord(lost);
  auto bytes = PageWithRecords(5, 100, {SimpleRecord(), lostBytes});
  Put<std::int16_t>(bytes, 22, 1);  // only the first record keeps its slot
  PrimaryRecordPage plain(bytes, nullptr, Deleted(true));
  EXPECT_EQ(plain.recordCount(), 1u);
  PrimaryRecordPage advanced(bytes, nullptr, Deleted(true, true));
  ASSERT_EQ(advanced.recordCount(), 2u);
  ASSERT_TRUE(advanced.record(1));
  EXPECT_EQ(advanced.foundStarts()[1], 96 + SimpleRecord().size());
  EXPECT_EQ(advanced.record(1)->fixedLength, 128);
  EXPECT_EQ(advanced.record(1)->varValues.at(0).data[0], 'z');
}

TEST(RecordPage, AdvancedScanSurvivesGarbage) {
  auto bytes = testing::MakePage(5, 100, 1);
  for (std::size_t i = 96; i < 8190; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  for (std::size_t i = 200; i < 8000; i += 37) {  // many start patterns
    bytes[i] = 0x30; bytes[i + 1] = 0; bytes[i + 2] = 0x84; bytes[i + 3] = 0;
  }
  Put<std::int16_t>(bytes, 22, 1);
  Put<std::uint16_t>(bytes, 8190, 96);
  PrimaryRecordPage page(bytes, nullptr, Deleted(true, true));
  EXPECT_GE(page.recordCount(), 1u);
}

class ForwardingTest : public ::testing::Test {
 protected:
  // Page 1 holds a stub to (target page, slot 0); page 2 holds the target.
  std::unique_ptr<DatabaseContext> Open(std::uint32_t targetPage, std::uint16_t targetFile) {
    std::vector<std::uint8_t> stub{0x04, 0, 0, 0, 0, 0, 0, 0, 0};
    std::memcpy(stub.data() + 1, &targetPage, 4);
    std::memcpy(stub.data() + 5, &targetFile, 2);
    auto fwd = SimpleRecord(0x32);  // type 1: forwarded record
    auto file = testing::Join({testing::MakePage(0, 99, 1), PageWithRecords(1, 100, {stub}),
                               PageWithRecords(2, 100, {fwd})});
    path_ = dir_.Write("fwd.mdf", file);
    return DatabaseContext::Open(path_, app_, observer_);
  }
  testing::TempDir dir_;
  std::string path_;
  AppState app_;
  testing::RecordingObserver observer_;
};

TEST_F(ForwardingTest, StubIsReplacedByItsTarget) {
  auto ctx = Open(2, 1);
  auto page = ctx->ReadDataPage({1, 1});
  ASSERT_TRUE(page && page->record(0));
  const CPrimaryRecord* r = page->record(0);
  EXPECT_EQ(r->recordType, kRecordForwardingStub);
  EXPECT_EQ(r->fixedLength, 4);
  ASSERT_EQ(r->varValues.size(), 2u);
  EXPECT_EQ(r->varValues[1].data[0], 'c');
  EXPECT_EQ(*r->forwardedFromPage, 2u);
}

TEST_F(ForwardingTest, StubToUnreadablePageHasNoFixedData) {
  for (std::uint32_t target : {0u, 50u}) {
    auto ctx = Open(target, 1);
    auto page = ctx->ReadDataPage({1, 1});
    ASSERT_TRUE(page && page->record(0));
    EXPECT_EQ(page->record(0)->fixedLength, -5) << target;
    EXPECT_FALSE(page->record(0)->fixedData) << target;
  }
}

TEST_F(ForwardingTest, StubPointingAtItselfDoesNotLoop) {
  auto ctx = Open(1, 1);
  auto page = ctx->ReadDataPage({1, 1});
  ASSERT_TRUE(page && page->record(0));
  EXPECT_EQ(page->record(0)->fixedLength, -5);
}

}  // namespace
}  // namespace corvane

// Large values as the builder stores them: text pointers in the row, small
// and large roots with their data records in text-mix pages.

#include "tools/mdfgen/lob_writer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/page_header.h"
#include "tools/mdfgen/file_builder.h"

namespace corvane::mdfgen {
namespace {

constexpr std::size_t kPage = 8192;

std::uint16_t Slot(const std::uint8_t* page, int slot) {
  std::uint16_t offset;
  std::memcpy(&offset, page + 8190 - 2 * slot, 2);
  return offset;
}

// The bytes a text pointer leads to: a small root's data, or the data records
// a large root links.
std::vector<std::uint8_t> LargeValue(const std::vector<std::uint8_t>& image, std::int32_t page,
                                     int slot) {
  const std::uint8_t* root = image.data() + page * kPage + Slot(image.data() + page * kPage, slot);
  std::int16_t type, count;
  std::memcpy(&type, root + 12, 2);
  std::vector<std::uint8_t> out;
  if (type == 0) {
    std::uint16_t length;
    std::memcpy(&length, root + 14, 2);
    return {root + 20, root + 20 + length};
  }
  std::memcpy(&count, root + 16, 2);
  for (int k = 0; k < count; ++k) {
    std::int32_t end, dataPage;
    std::uint16_t dataSlot, length;
    std::memcpy(&end, root + 24 + 12 * k, 4);
    std::memcpy(&dataPage, root + 28 + 12 * k, 4);
    std::memcpy(&dataSlot, root + 34 + 12 * k, 2);
    const std::uint8_t* data = image.data() + dataPage * kPage;
    data += Slot(data, dataSlot);
    std::memcpy(&length, data + 2, 2);
    out.insert(out.end(), data + 14, data + length);
    EXPECT_EQ(static_cast<std::int32_t>(out.size()), end);
  }
  return out;
}

TEST(Mdfgen, LargeValuesAreReachedThroughTheirTextPointers) {
  Database db;
  Table& t = db.AddTable("Docs");
  t.columns = {Int("Id").NotNull(), NText("Body"), Image("Scan")};
  ByteString scan(20000);
  for (std::size_t i = 0; i < scan.size(); ++i) scan[i] = static_cast<std::uint8_t>(i % 251);
  t.rows = {{1, "short", Value(scan)}};
  BuildResult result;
  std::string error;
  const auto built = BuildImage(db, &error, &result);
  ASSERT_TRUE(built.has_value()) << error;
  const auto& image = *built;
  const WrittenTable* docs = result.Find("Docs");
  ASSERT_NE(docs->lobAllocationUnitId, 0);
  EXPECT_EQ(CPage_Header::Parse(image.data() + docs->lobFirstPage * kPage).type, kPageTypeTextMix);
  // The row: fixed int, column count, null bitmap, variable count, then the
  // two end offsets of the complex 16-byte text pointers.
  const std::uint8_t* page = image.data() + docs->firstPage * kPage;
  const std::uint8_t* row = page + Slot(page, 0);
  const std::vector<ByteString> expected = {{'s', 0, 'h', 0, 'o', 0, 'r', 0, 't', 0}, scan};
  for (int k = 0; k < 2; ++k) {
    std::uint16_t end;
    std::memcpy(&end, row + 8 + 2 + 1 + 2 + 2 * k, 2);
    EXPECT_TRUE(end & 0x8000);
    const std::uint8_t* pointer = row + (end & 0x7FFF) - 16;
    std::int32_t rootPage;
    std::uint16_t rootSlot;
    std::memcpy(&rootPage, pointer + 8, 4);
    std::memcpy(&rootSlot, pointer + 14, 2);
    EXPECT_EQ(LargeValue(image, rootPage, rootSlot), expected[static_cast<std::size_t>(k)]);
  }
}

}  // namespace
}  // namespace corvane::mdfgen

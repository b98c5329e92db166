#include "rows/row_decoder.h"

#include <gtest/gtest.h>

#include "catalog/column_type_codes.h"
#include "tests/support/page_bytes.h"
#include "tests/support/record_bytes.h"

namespace corvane {
namespace {

using testing::BuildRecord;
using testing::PageWithRecords;
using testing::RecordSpec;

ColumnDescriptor Col(std::int32_t id, const char* name, ColumnTypeCode code, const char* typeText,
                     std::int16_t leaf, std::int32_t nullBit, bool variable = false,
                     std::int16_t size = 0) {
  ColumnDescriptor c;
  c.columnId = id;
  c.name = name;
  c.typeCode = code;
  c.typeText = typeText;
  c.size = size;
  c.variableLength = variable;
  c.leafOffset = leaf;
  c.nullBit = nullBit;
  c.physicalColumnId = id;
  c.hasPhysicalInfo = true;
  c.nullable = true;
  return c;
}

// id int (offset 4), three bits sharing the byte at 8, name nvarchar
// (variable column 1), data varbinary (variable column 2).
std::vector<ColumnDescriptor> Table() {
  return {Col(1, "id", kTypeInt, "int(4)", 4, 1),
          Col(2, "a", kTypeBit, "bit(1)", 8, 2),
          Col(3, "b", kTypeBit, "bit(1)", 8, 3),
          Col(4, "c", kTypeBit, "bit(1)", 8, 4),
          Col(5, "name", kTypeNVarChar, "nvarchar(20)", -1, 5, true, 20),
          Col(6, "data", kTypeVarBinary, "varbinary(10)", -2, 6, true, 10)};
}

std::vector<std::uint8_t> Record(std::int32_t id, std::uint8_t bits, std::uint8_t nulls,
                                 std::vector<std::uint8_t> name = {'A', 0, 'B', 0},
                                 std::vector<std::uint8_t> data = {1, 2}) {
  RecordSpec s;
  s.fixed = {0, 0, 0, 0, bits};
  std::memcpy(s.fixed.data(), &id, 4);
  s.columnCount = 6;
  s.nullBitmap = {nulls};
  s.variable = {name, data};
  return BuildRecord(s);
}

std::vector<Row> Decode(const std::vector<std::vector<std::uint8_t>>& records,
                        std::vector<ColumnDescriptor> cols = Table(), DecodeOptions o = {}) {
  TextDecoder text;
  RowDecoder decoder(std::move(cols), text, o);
  PrimaryRecordPage page(PageWithRecords(5, 100, records), nullptr, RecordParseOptions{});
  std::vector<Row> rows;
  decoder.DecodePage(page, rows);
  return rows;
}

TEST(RowDecoder, RowsetLayoutValues) {
  auto rows = Decode({Record(42, 0x05, 0), Record(-7, 0x02, 0)});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (Row{"42", "True", "False", "True", "AB", "0x0102"}));
  EXPECT_EQ(rows[1], (Row{"-7", "False", "True", "False", "AB", "0x0102"}));
}

TEST(RowDecoder, NullBitsGiveNullAndKeepTheBitColumnsInStep) {
  // a is NULL (null bit 2 = bitmap bit 1); b and c still read their own bits.
  auto rows = Decode({Record(1, 0x04, 0x02)});
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][1], "NULL");
  EXPECT_EQ(rows[0][2], "False");
  EXPECT_EQ(rows[0][3], "True");
}

TEST(RowDecoder, NullVariableColumnAndEmptyVarbinary) {
  auto rows = Decode({Record(1, 0, 0x10, {}, {})});  // name NULL (bit 4), data empty
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][4], "NULL");
  EXPECT_EQ(rows[0][5], "0x");
}

TEST(RowDecoder, ColumnsAddedAfterTheRecordWasWrittenAreNull) {
  RecordSpec s;
  s.statusA = 0x10;
  s.fixed = {9, 0, 0, 0};
  s.columnCount = 1;
  s.nullBitmap = {0};
  auto rows = Decode({BuildRecord(s)});
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0], "9");
  EXPECT_EQ(rows[0][4], "NULL");
}

TEST(RowDecoder, NotStoredColumnShowsItsDefault) {
  auto cols = Table();
  cols[5].physicalColumnId = kNotStoredColumn;
  cols[5].valueText = "(0)";
  auto rows = Decode({Record(1, 0, 0)}, cols);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][5], "(0)");
}

TEST(RowDecoder, MissingPhysicalInfoIsNullInTheRowsetLayout) {
  auto cols = Table();
  cols[0].hasPhysicalInfo = false;
  auto rows = Decode({Record(1, 0, 0)}, cols);
  EXPECT_EQ(rows.at(0)[0], "NULL");
}

TEST(RowDecoder, CatalogLayoutUsesRunningPositions) {
  // No leaf offsets known: fixed columns follow one another, variable
  // columns take the next variable entry.
  auto cols = Table();
  for (auto& c : cols) {
    c.leafOffset = 0;
    c.nullBit = -1;
  }
  cols[4].leafOffset = 0;
  DecodeOptions o;
  o.rowsetLayout = false;
  auto rows = Decode({Record(42, 0x05, 0)}, cols, o);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], (Row{"42", "True", "False", "True", "AB", "0x0102"}));
}

TEST(RowDecoder, FilterSkipsGhostsUnlessShown) {
  auto ghost = Record(1, 0, 0);
  ghost[0] = 0x3C;
  TextDecoder text;
  RecordParseOptions parse;
  parse.showDeleted = false;
  PrimaryRecordPage hidden(PageWithRecords(5, 100, {ghost, Record(2, 0, 0)}), nullptr, parse);
  RowDecoder decoder(Table(), text, DecodeOptions{});
  std::vector<Row> rows;
  decoder.DecodePage(hidden, rows);
  EXPECT_EQ(rows.size(), 1u);
  parse.showDeleted = true;
  PrimaryRecordPage shown(PageWithRecords(5, 100, {ghost, Record(2, 0, 0)}), nullptr, parse);
  DecodeOptions o;
  o.showDeleted = true;
  RowDecoder withGhosts(Table(), text, o);
  rows.clear();
  withGhosts.DecodePage(shown, rows);
  EXPECT_EQ(rows.size(), 2u);
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// Faults a damaged catalog or a table shape could cause.
TEST(RowDecoder, NegativeCatalogLengthNeverMovesBeforeTheRecord) {
  auto cols = Table();
  for (auto& c : cols) c.leafOffset = 0;  // no offsets: running positions
  cols[0].typeText = "int(-30000)";
  DecodeOptions o;
  o.rowsetLayout = false;
  auto rows = Decode({Record(42, 0x05, 0)}, cols, o);
  ASSERT_EQ(rows.size(), 1u);  // and no read outside the record (sanitizers)
}

TEST(RowDecoder, ColumnsAfterSparseColumnsKeepTheirValues) {
  // Stored: id (1), the sparse vector (2), last (3); the descriptor list has
  // two sparse columns between id and last.
  std::vector<ColumnDescriptor> cols = {Col(1, "id", kTypeInt, "int(4)", 4, 1),
                                        Col(2, "s1", kTypeInt, "int(4)", 0, 0),
                                        Col(3, "s2", kTypeInt, "int(4)", 0, 0),
                                        Col(4, "last", kTypeInt, "int(4)", 8, 3)};
  cols[1].sparse = cols[2].sparse = true;
  RecordSpec s;
  s.fixed = {7, 0, 0, 0, 100, 0, 0, 0};
  s.columnCount = 3;
  s.nullBitmap = {0};
  s.variable = {{0x05, 0x00, 0x01, 0x00, 0x03, 0x00, 0x0A, 0x00, 0x05, 0, 0, 0}};
  s.complex = {true};
  auto rows = Decode({BuildRecord(s)}, cols);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], (Row{"7", "NULL", "5", "100"}));
}

}  // namespace
}  // namespace corvane

#include "tools/mdfgen/record_layout.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tools/mdfgen/database_plan.h"
#include "tools/mdfgen/system_tables.h"

namespace corvane::mdfgen {
namespace {

ByteString Hex(const std::string& hex) {
  ByteString out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

std::string ToHex(const ByteString& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string s;
  for (auto b : bytes) s += {digits[b >> 4], digits[b & 15]};
  return s;
}

RecordLayout LayoutOf(std::int32_t objectId, int version) {
  for (const auto& t : SystemTables(version)) {
    if (t.objectId != objectId) continue;
    std::vector<StoredColumn> stored;
    for (const auto& c : t.table.columns) {
      StoredColumn s;
      s.type = StoredType(c, 0xD008);
      s.columnId = static_cast<int>(stored.size()) + 1;
      s.nullable = c.nullable;
      stored.push_back(s);
    }
    return RecordLayout::Build(stored);
  }
  ADD_FAILURE() << "no system table " << objectId;
  return {};
}

Value Ptr(std::int32_t page) {
  ByteString b(6, 0);
  std::memcpy(b.data(), &page, 4);
  b[4] = 1;
  return Value(b);
}

struct RealRow {
  const char* what;
  std::int32_t objectId;
  std::vector<Value> values;
  const char* bytes;  // the record as sql2008r2-bookshop.mdf holds it
};

// Rows of the SQL Server 2008 R2 file sql2008r2-bookshop.mdf (table Author,
// object 0x7D78A4E7, rowset 0x01000000000D0000), re-encoded from their
// values: the builder must lay them out byte for byte as SQL Server did.
TEST(RecordLayout, SystemRowsMatchARealFileByteForByte) {
  const std::int64_t rowset = 0x01000000000D0000LL;
  const RealRow rows[] = {
      {"sysschobjs Author",
       kSysSchObjs,
       {0x7D78A4E7, "Author", 1, 0, 0xE0000, "U ", 0, 1, 2, Raw(Hex("db2b9c00719e0000")),
        Raw(Hex("fa2b9c00719e0000"))},
       "30002c00e7a4787d010000000000000e005520000000000102000000db2b9c00719e0000fa2b9c00719e00000b0"
       "000000100400041007500"
       "740068006f007200"},
      {"syscolpars AuthorName",
       kSysColPars,
       {0x7D78A4E7, 0, 2, "AuthorName", 231, 231, 100, 0, 0, 0xD008, 2, 100, 0, 0, 0, nullptr},
       "30002d00e7a4787d000002000000e7e70000006400000008d000000200000064000000000000000000000000001"
       "00000800100490041007500"
       "740068006f0072004e0061006d006500"},
      {"sysallocunits Author",
       kSysAllocUnits,
       {0x01000000001D0000LL, 1, rowset, 0, 1, Ptr(79), Ptr(79), Ptr(80), 2, 1, 2, 1},
       "1000490000001d00000000010100000d00000000010000000001004f00000001004f00000001005000000001000"
       "200000000000000010000"
       "00000000000200000000000000010000000c000000"},
      {"sysrowsets Author",
       kSysRowsets,
       {rowset, 1, 0x7D78A4E7, 1, 1, 0x206, 0, 3, 0, 0, 2, 115, 15, 8, 11, nullptr, nullptr, 1},
       "1000390000000d000000000101e7a4787d010000000100000006020000000003000000000000000000020073000"
       "0000f0008000b00010000"
       "001200008001"},
      {"sysrscols Book.Description",
       kSysRsCols,
       {0x01000000000E0000LL, 4, 4, 6, 0x0190E7, 0xD008, 0, 0, 0, 0xFFFE, 4, 0, nullptr, 1},
       "10003a0000000e000000000104000000040000000600000000000000e790010008d000000000000000000000fef"
       "f0000040000000000010000"
       "000e000010"},
      {"sysidxstats PK__Author",
       kSysIdxStats,
       {0x7D78A4E7, 1, "PK__Author__70DAFC347F60ED59", 0x2B, 0, 0, 1, 0, 1, 0, rowset},
       "30002700e7a4787d010000002b00000000000000000100010000000000000000000d00000000010b00000001006"
       "70050004b005f005f00410075"
       "00740068006f0072005f005f00370030004400410046004300330034003700460036003000450044003500390"
       "0"},
  };
  for (const auto& row : rows) {
    RecordLayout layout = LayoutOf(row.objectId, 661);
    ByteString out;
    std::string error;
    ASSERT_TRUE(layout.Encode(row.values, {}, out, error)) << row.what << ": " << error;
    EXPECT_EQ(ToHex(out), row.bytes) << row.what;
  }
}

TEST(RecordLayout, BitColumnsShareBytesAndTrailingNullVariablesAreLeftOut) {
  std::vector<StoredColumn> columns(5);
  columns[0].type = {SqlType::kBit};
  columns[1].type = {SqlType::kInt};
  columns[2].type = {SqlType::kBit};
  columns[3].type = {SqlType::kVarChar, 10};
  columns[4].type = {SqlType::kVarChar, 10};
  RecordLayout layout = RecordLayout::Build(columns);
  EXPECT_EQ(layout.columns()[0].leafOffset, 4);
  EXPECT_EQ(layout.columns()[2].leafOffset, 4);
  EXPECT_EQ(layout.columns()[2].bitPosition, 1);
  EXPECT_EQ(layout.columns()[4].leafOffset, ~1);
  EXPECT_EQ(layout.fixedEnd(), 9);

  ByteString out;
  std::string error;
  ASSERT_TRUE(layout.Encode({1, 7, 1, "ab", nullptr}, {}, out, error)) << error;
  // status 0x30, fixed end 9, bits 0b11, int 7, 5 columns, column 5 NULL,
  // one variable column ending at 18.
  EXPECT_EQ(ToHex(out), "300009000307000000050010010012006162");
  ASSERT_TRUE(layout.Encode({0, 7, 0, nullptr, nullptr}, {}, out, error));
  EXPECT_EQ(ToHex(out), "100009000007000000050018");
}

TEST(RecordLayout, GhostForwardedAndStubRecords) {
  std::vector<StoredColumn> columns(2);
  columns[0].type = {SqlType::kSmallInt};
  columns[1].type = {SqlType::kNVarChar, 5};
  RecordLayout layout = RecordLayout::Build(columns);
  ByteString out;
  std::string error;
  ASSERT_TRUE(layout.Encode({1, nullptr}, {kRecordGhostData}, out, error));
  EXPECT_EQ(ToHex(out), "1c0006000100020002");
  const ByteString back = BackPointer(1, 0x12, 3);
  ASSERT_TRUE(layout.Encode({1, nullptr}, {kRecordForwarded, back.data()}, out, error));
  // The NULL nvarchar keeps its (empty) place; the back pointer is complex.
  EXPECT_EQ(ToHex(out),
            "32000600010002000202000f0019800400120000000100"
            "0300");
  EXPECT_EQ(ToHex(ForwardingStub(1, 0x12, 3)),
            "04120000000100"
            "0300");
}

TEST(RecordLayout, SparseColumnsGoToTheSparseVector) {
  std::vector<StoredColumn> columns(3);
  columns[0].type = {SqlType::kInt};
  columns[1].type = {SqlType::kInt};
  columns[1].sparse = true;
  columns[2].type = {SqlType::kInt};
  columns[2].sparse = true;
  for (int i = 0; i < 3; ++i) columns[static_cast<std::size_t>(i)].columnId = i + 1;
  RecordLayout layout = RecordLayout::Build(columns);
  EXPECT_EQ(layout.storedColumnCount(), 2);
  ByteString out;
  std::string error;
  ASSERT_TRUE(layout.Encode({5, nullptr, 1234}, {}, out, error)) << error;
  // One complex variable column ending at 27; the vector: 5, one entry,
  // column 3, its value ending at 12, value 1234.
  EXPECT_EQ(ToHex(out),
            "30000800050000000200000100"
            "1b80"
            "050001000300"
            "0c00"
            "d2040000");
}

}  // namespace
}  // namespace corvane::mdfgen

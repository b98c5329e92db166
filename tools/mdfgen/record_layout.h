#pragma once
// Where each column of a table lives in its records, and the records
// themselves (uncompressed row format of SQL Server 2005 and later):
//
//  Offset  Width           Field
//  0       1               status A: bits 1-3 record type (0 primary,
//                          1 forwarded, 2 forwarding stub, 3 index, 6 ghost
//                          data), 0x10 null bitmap, 0x20 variable columns
//  1       1               status B (0)
//  2       2               end of the fixed part (= pminlen of the page)
//  4       fixed           fixed-length columns in column order; bit
//                          columns share a byte with the previous bit column
//                          while it has bits left
//  end     2               column count (stored columns)
//  +2      ceil(n/8)       null bitmap, bit i-1 for the column with nullBit i
//  next    2               variable column count (trailing NULLs left out)
//  next    2 per column    end offsets from the record start; 0x8000 marks a
//                          complex column (sparse vector, back pointer)
//  next    ...             variable column data
//
// Forwarding stub (type 2): status 0x04, page number uint32, file id uint16,
// slot uint16 of the forwarded record. A forwarded record (type 1) carries
// one extra complex variable column, the back pointer: 0x0004 (uint16), then
// the stub's page number, file id and slot.
//
// text, ntext and image columns hold a 16-byte text pointer, marked complex:
// the blob id of the value's root record (8 bytes), then its page number
// int32, file id uint16 and slot uint16.
//
// Sparse columns are not stored in the fixed or variable part; their values
// sit in the sparse vector, an extra complex variable column after the
// ordinary ones: uint16 5, uint16 count, count uint16 column ids, count
// uint16 end offsets from the vector start, then the values.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mdfgen/value.h"
#include "tools/mdfgen/value_encoder.h"

namespace corvane::mdfgen {

inline constexpr std::uint8_t kRecordPrimary = 0;
inline constexpr std::uint8_t kRecordForwarded = 1;
inline constexpr std::uint8_t kRecordForwardingStub = 2;
inline constexpr std::uint8_t kRecordIndex = 3;
inline constexpr std::uint8_t kRecordGhostData = 6;
inline constexpr std::uint8_t kStatusNullBitmap = 0x10;
inline constexpr std::uint8_t kStatusVariable = 0x20;
inline constexpr std::uint16_t kComplexColumn = 0x8000;
inline constexpr int kForwardingStubSize = 1 + 4 + 2 + 2;
inline constexpr int kBackPointerSize = 2 + 4 + 2 + 2;

// One column as the rows store it.
struct StoredColumn {
  ColumnType type;
  int columnId = 0;  // catalog column id (1-based, gaps after dropped columns)
  bool variable = false;
  bool sparse = false;
  bool nullable = true;
  int leafOffset = 0;   // fixed: offset from the record start; variable: ~index
  int nullBit = 0;      // 1-based position in the null bitmap; 0 for sparse columns
  int bitPosition = 0;  // bit columns: bit within the byte at leafOffset
  int width = 0;        // fixed width in bytes (0 for bits sharing a byte)
};

class RecordLayout {
 public:
  // Columns in column order; ids are 1-based positions.
  static RecordLayout Build(const std::vector<StoredColumn>& columns);

  const std::vector<StoredColumn>& columns() const { return columns_; }
  int fixedEnd() const { return fixedEnd_; }  // pminlen
  int storedColumnCount() const { return storedCount_; }
  int variableCount() const { return variableCount_; }
  bool hasSparse() const { return hasSparse_; }

  struct Extra {
    std::uint8_t recordType = kRecordPrimary;
    const std::uint8_t* backPointer = nullptr;  // kBackPointerSize bytes, forwarded records
  };
  // Encodes `values` (one per column of the layout, in order) into `out`,
  // replacing its contents.
  bool Encode(const std::vector<Value>& values, const Extra& extra, std::vector<std::uint8_t>& out,
              std::string& error) const;

  // Non-leaf index record for the key `keyColumns` (indexes into columns())
  // of `values`, pointing at (childFile, childPage).
  bool EncodeIndexRecord(const std::vector<Value>& values, const std::vector<int>& keyColumns,
                         std::uint16_t childFile, std::int32_t childPage,
                         std::vector<std::uint8_t>& out, std::string& error) const;
  // Fixed part length of the index records above (1 status byte, fixed keys,
  // the 6-byte child pointer).
  int IndexFixedEnd(const std::vector<int>& keyColumns) const;

 private:
  std::vector<StoredColumn> columns_;
  int fixedEnd_ = 4;
  int storedCount_ = 0;
  int variableCount_ = 0;
  bool hasSparse_ = false;
  // Scratch buffers reused between records.
  mutable std::vector<std::uint8_t> scratch_;
  mutable std::vector<std::uint8_t> varData_;
  mutable std::vector<std::uint16_t> varEnds_;
};

// Forwarding stub pointing at (file, page, slot).
std::vector<std::uint8_t> ForwardingStub(std::uint16_t file, std::int32_t page, std::uint16_t slot);
// Back pointer of a forwarded record to the stub at (file, page, slot).
std::vector<std::uint8_t> BackPointer(std::uint16_t file, std::int32_t page, std::uint16_t slot);

}  // namespace corvane::mdfgen

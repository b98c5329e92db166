#pragma once
// ColumnDescriptor: one column of an assembled table, as the row decoder, the
// value renderer, the object tree and the grid use it.
//
// Built by table schema assembly from the catalog's column, type and rowset
// column rows; a plain value, copied freely. valueText is the decoder's output
// slot for the record being decoded.

#include <cstdint>
#include <string>

namespace corvane {

inline constexpr std::int32_t kNotStoredColumn = -99;  // physicalColumnId of a column rows do not store

struct ColumnDescriptor {
  std::int16_t size = 0;            // the number in typeText's parentheses for sized types
  std::int32_t columnId = 0;
  std::string name;
  std::int32_t typeCode = 0;        // internal type code (ColumnTypeCode)
  std::string typeText;             // e.g. "int(4)", "nvarchar(100)", "varbinary(-1)"
  bool nullable = false;
  bool variableLength = false;
  bool sparse = false;
  std::string valueText;
  std::uint8_t precision = 0;
  std::uint8_t scale = 0;
  std::int32_t physicalColumnId = 0;  // 1-based position among stored columns; kNotStoredColumn
  bool hasPhysicalInfo = false;
  std::int16_t leafOffset = 0;        // fixed: offset from record start; negative: ~index of variable column
  std::int16_t legacyLeafOffset = 0;
  std::int32_t nullBit = -1;          // 1-based position in the null bitmap
  bool inPrimaryKey = false;
  bool inUniqueIndex = false;
  bool inUniqueConstraint = false;
  bool inForeignKey = false;
  std::string referencedTable;
  std::string referencedColumn;
  std::string identityText;
  std::int32_t collationId = 0;
};

}  // namespace corvane

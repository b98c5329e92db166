#pragma once
// ValueSlot: what the row decoder tells the value renderer about one column
// value of one record, and what the renderer tells back (the value size by
// which the decoder steps over a fixed column).
//
// BitCursor: one per record. Up to eight consecutive bit columns share one
// stored byte; the cursor remembers that byte and which bit comes next, so the
// first bit column of a group consumes the byte and the others read from it.
//
// Storage per type code, as MakeValueSlot sets it up ("size" is the
// descriptor's size, "var" its variableLength):
//
//  Code                     variable  width                      dataLength
//  -----------------------  --------  -------------------------  ----------
//  0, 4, 7, 12, 22          false     8                          8
//  1, 3, 24                 false     size                       size
//  2                        false     1 when a new byte starts   1
//                                     (cursor index 8), else 0
//  5                        false     3                          3
//  6                        false     5                          5
//  8                        false     10                         10
//  9, 27, 28, 29            false     4                          4
//  10, 11, 19, 26, 31, 33   var       size                       size
//  13                       false     2                          2
//  14                       false     1                          1
//  15                       false     16                         16
//  16, 25, 34               true      0                          size
//  17                       var       0                          size
//  20, 32                   var       size                       size
//  21, 30                   false     8                          8
//  23                       false     19                         19
//  18, above 34             false     0                          0
//
// width is what a fixed column occupies when the record has no fixed data;
// size stays 0 until RenderValue fills it from the descriptor's typeText.
// A plain value; the cursor it points to belongs to the decoder's record loop.

#include <cstdint>

#include "catalog/column_descriptor.h"
#include "catalog/column_type_codes.h"

namespace corvane {

struct BitCursor {
  std::int32_t bitIndex = 8;  // next bit of `bits`; 8: the next bit column starts a new byte
  std::uint8_t bits = 0;
  bool byteTaken = false;     // the current bit column consumed a stored byte
  bool loaded = false;
};

struct ValueSlot {
  BitCursor* bitCursor = nullptr;
  std::int64_t availableLength = 0;  // bytes that may be read from the value pointer
  bool variable = false;
  std::int16_t width = 0;
  std::int32_t size = 0;
  std::int16_t dataLength = 0;       // bytes the value occupies
  bool compressed = false;           // the record is in the compressed format
  ColumnTypeCode typeCode = 0;
};

// Slot for a value of `descriptor` stored under `code` (the table above).
// For a bit column it also marks on `cursor` whether a new byte is taken.
ValueSlot MakeValueSlot(const ColumnDescriptor& descriptor, ColumnTypeCode code,
                        BitCursor* cursor);

}  // namespace corvane

#include "rows/value_slot.h"

namespace corvane {
namespace {

struct Storage {
  bool variable;
  std::int16_t width;
  std::int16_t dataLength;
};

Storage Fixed(std::int16_t length) { return {false, length, length}; }

Storage StorageOf(const ColumnDescriptor& descriptor, ColumnTypeCode code, BitCursor* cursor) {
  const std::int16_t size = descriptor.size;
  const bool var = descriptor.variableLength;
  switch (code) {
    case kTypeBigInt:
    case kTypeDateTime:
    case kTypeDateTime2:
    case kTypeRowLocator:
    case kTypeFloat:
    case kTypeMoney:
    case kTypeTimestamp:
      return Fixed(8);
    case kTypeBinary:
    case kTypeChar:
    case kTypeDecimal:
      return Fixed(size);
    case kTypeBit: {
      bool newByte = cursor == nullptr || cursor->bitIndex == 8;
      if (cursor != nullptr) cursor->byteTaken = newByte;
      return {false, static_cast<std::int16_t>(newByte ? 1 : 0), 1};
    }
    case kTypeDate: return Fixed(3);
    case kTypeTime: return Fixed(5);
    case kTypeDateTimeOffset: return Fixed(10);
    case kTypeInt:
    case kTypeSmallDateTime:
    case kTypeReal:
    case kTypeSmallMoney:
      return Fixed(4);
    case kTypeNChar:
    case kTypeNVarChar:
    case kTypeNText:
    case kTypeText:
    case kTypeHierarchyId:
    case kTypeClr:
    case kTypeSqlVariant:
    case kTypeGeometry:
      return {var, size, size};
    case kTypeSmallInt: return Fixed(2);
    case kTypeTinyInt: return Fixed(1);
    case kTypeUniqueIdentifier: return Fixed(16);
    case kTypeVarBinary:
    case kTypeImage:
    case kTypeXml:
      return {true, 0, size};
    case kTypeVarChar: return {var, 0, size};
    case kTypeNumeric: return Fixed(19);
    default: return Fixed(0);  // 18 and codes above 34
  }
}

}  // namespace

ValueSlot MakeValueSlot(const ColumnDescriptor& descriptor, ColumnTypeCode code,
                        BitCursor* cursor) {
  Storage storage = StorageOf(descriptor, code, cursor);
  ValueSlot slot;
  slot.bitCursor = cursor;
  slot.variable = storage.variable;
  slot.width = storage.width;
  slot.dataLength = storage.dataLength;
  slot.typeCode = code;
  return slot;
}

}  // namespace corvane

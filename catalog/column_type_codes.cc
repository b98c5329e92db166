#include "catalog/column_type_codes.h"

namespace corvane {

ColumnTypeCode TypeCodeOf(std::int32_t systemTypeId) {
  switch (systemTypeId) {
    case 34: return kTypeText;  // image shares text's code until assembly
    case 35: return kTypeText;
    case 36: return kTypeUniqueIdentifier;
    case 40: return kTypeDate;
    case 41: return kTypeTime;
    case 42: return kTypeDateTime2;
    case 43: return kTypeDateTimeOffset;
    case 48: return kTypeTinyInt;
    case 52: return kTypeSmallInt;
    case 56: return kTypeInt;
    case 58: return kTypeSmallDateTime;
    case 59: return kTypeReal;
    case 60: return kTypeMoney;
    case 61: return kTypeDateTime;
    case 62: return kTypeFloat;
    case 98: return kTypeSqlVariant;
    case 99: return kTypeNText;
    case 104: return kTypeBit;
    case 106: return kTypeDecimal;
    case 108: return kTypeNumeric;
    case 122: return kTypeSmallMoney;
    case 127: return kTypeBigInt;
    case 165: return kTypeVarBinary;
    case 167: return kTypeVarChar;
    case 173: return kTypeBinary;
    case 189: return kTypeTimestamp;
    case 231: return kTypeNVarChar;
    case 232: return kTypeNVarCharAlias;
    case 239: return kTypeNChar;
    case 240: return kTypeClr;
    case 241: return kTypeXml;
    default: return kTypeChar;  // 175 char and every unnamed id
  }
}

}  // namespace corvane

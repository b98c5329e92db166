#include "catalog/column_type_codes.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ColumnTypeCodes, MapsEverySystemTypeId) {
  struct Case {
    std::int32_t systemTypeId;
    ColumnTypeCode code;
  };
  const Case cases[] = {
      {34, kTypeText},  // image shares text's code until schema assembly
      {35, kTypeText},           {36, kTypeUniqueIdentifier}, {40, kTypeDate},
      {41, kTypeTime},           {42, kTypeDateTime2},        {43, kTypeDateTimeOffset},
      {48, kTypeTinyInt},        {52, kTypeSmallInt},         {56, kTypeInt},
      {58, kTypeSmallDateTime},  {59, kTypeReal},             {60, kTypeMoney},
      {61, kTypeDateTime},       {62, kTypeFloat},            {98, kTypeSqlVariant},
      {99, kTypeNText},          {104, kTypeBit},             {106, kTypeDecimal},
      {108, kTypeNumeric},       {122, kTypeSmallMoney},      {127, kTypeBigInt},
      {165, kTypeVarBinary},     {167, kTypeVarChar},         {173, kTypeBinary},
      {189, kTypeTimestamp},     {231, kTypeNVarChar},        {232, kTypeNVarCharAlias},
      {239, kTypeNChar},         {240, kTypeClr},             {241, kTypeXml},
  };
  for (const Case& c : cases) EXPECT_EQ(TypeCodeOf(c.systemTypeId), c.code) << c.systemTypeId;
}

TEST(ColumnTypeCodes, CharAndUnknownIdsGiveChar) {
  for (std::int32_t id : {175, 0, 1, 37, 100, 174, 255, 256, -1}) {
    EXPECT_EQ(TypeCodeOf(id), kTypeChar) << id;
  }
}

}  // namespace
}  // namespace corvane

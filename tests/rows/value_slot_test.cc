#include "rows/value_slot.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(MakeValueSlot, StorageFollowsTheTypeCode) {
  struct Case {
    ColumnTypeCode code;
    bool variable;  // for a descriptor with variableLength set
    std::int16_t width;
    std::int16_t dataLength;
  };
  // The descriptor's size is 7.
  const Case cases[] = {
      {kTypeBigInt, false, 8, 8},          {kTypeDateTime, false, 8, 8},
      {kTypeDateTime2, false, 8, 8},       {kTypeRowLocator, false, 8, 8},
      {kTypeFloat, false, 8, 8},           {kTypeBinary, false, 7, 7},
      {kTypeChar, false, 7, 7},            {kTypeDecimal, false, 7, 7},
      {kTypeDate, false, 3, 3},            {kTypeTime, false, 5, 5},
      {kTypeDateTimeOffset, false, 10, 10}, {kTypeInt, false, 4, 4},
      {kTypeSmallDateTime, false, 4, 4},   {kTypeReal, false, 4, 4},
      {kTypeSmallMoney, false, 4, 4},      {kTypeNChar, true, 7, 7},
      {kTypeNVarChar, true, 7, 7},         {kTypeNText, true, 7, 7},
      {kTypeText, true, 7, 7},             {kTypeHierarchyId, true, 7, 7},
      {kTypeClr, true, 7, 7},              {kTypeSmallInt, false, 2, 2},
      {kTypeTinyInt, false, 1, 1},         {kTypeUniqueIdentifier, false, 16, 16},
      {kTypeVarBinary, true, 0, 7},        {kTypeVarChar, true, 0, 7},
      {kTypeSqlVariant, true, 7, 7},       {kTypeGeometry, true, 7, 7},
      {kTypeMoney, false, 8, 8},           {kTypeTimestamp, false, 8, 8},
      {kTypeNumeric, false, 19, 19},       {kTypeImage, true, 0, 7},
      {kTypeXml, true, 0, 7},              {kTypeNVarCharAlias, false, 0, 0},
      {35, false, 0, 0},
  };
  for (const Case& c : cases) {
    ColumnDescriptor column;
    column.size = 7;
    column.variableLength = true;
    const ValueSlot slot = MakeValueSlot(column, c.code, nullptr);
    EXPECT_EQ(slot.variable, c.variable) << c.code;
    EXPECT_EQ(slot.width, c.width) << c.code;
    EXPECT_EQ(slot.dataLength, c.dataLength) << c.code;
    EXPECT_EQ(slot.typeCode, c.code);
    EXPECT_EQ(slot.size, 0);
    EXPECT_EQ(slot.availableLength, 0);
    EXPECT_FALSE(slot.compressed);
  }
}

TEST(MakeValueSlot, VariableFlagOfSomeTypesFollowsTheDescriptor) {
  ColumnDescriptor column;
  column.size = 7;
  column.variableLength = false;
  for (ColumnTypeCode code : {kTypeNChar, kTypeNVarChar, kTypeVarChar, kTypeSqlVariant}) {
    EXPECT_FALSE(MakeValueSlot(column, code, nullptr).variable) << code;
  }
  for (ColumnTypeCode code : {kTypeVarBinary, kTypeImage, kTypeXml}) {
    EXPECT_TRUE(MakeValueSlot(column, code, nullptr).variable) << code;
  }
}

TEST(MakeValueSlot, BitTakesAByteOnlyWhenANewByteStarts) {
  ColumnDescriptor column;
  BitCursor cursor;
  ValueSlot first = MakeValueSlot(column, kTypeBit, &cursor);
  EXPECT_EQ(first.width, 1);
  EXPECT_EQ(first.dataLength, 1);
  EXPECT_TRUE(cursor.byteTaken);
  cursor.bitIndex = 3;  // inside a byte that an earlier bit column loaded
  ValueSlot later = MakeValueSlot(column, kTypeBit, &cursor);
  EXPECT_EQ(later.width, 0);
  EXPECT_FALSE(cursor.byteTaken);
  EXPECT_EQ(later.bitCursor, &cursor);
}

}  // namespace
}  // namespace corvane

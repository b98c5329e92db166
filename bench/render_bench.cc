// Throughput of RenderValue per type family, and of one row of ten mixed
// columns (the decoder's target is a million such rows per second).

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "rows/value_renderer.h"

namespace corvane {
namespace {

struct BenchValue {
  ColumnDescriptor column;
  std::vector<std::uint8_t> bytes;
};

template <typename T>
std::vector<std::uint8_t> BytesOf(T value) {
  std::vector<std::uint8_t> bytes(sizeof(T));
  std::memcpy(bytes.data(), &value, sizeof(T));
  return bytes;
}

ColumnDescriptor MakeColumn(ColumnTypeCode code, const char* typeText, bool variable = false,
                            std::int16_t size = 0, int precision = 0, int scale = 0) {
  ColumnDescriptor column;
  column.typeCode = code;
  column.typeText = typeText;
  column.variableLength = variable;
  column.size = size;
  column.precision = static_cast<std::uint8_t>(precision);
  column.scale = static_cast<std::uint8_t>(scale);
  return column;
}

std::vector<std::uint8_t> Utf16(const std::string& ascii) {
  std::vector<std::uint8_t> bytes;
  for (char c : ascii) bytes.insert(bytes.end(), {static_cast<std::uint8_t>(c), 0});
  return bytes;
}

BenchValue IntValue() { return {MakeColumn(kTypeInt, "int(4)"), BytesOf<std::int32_t>(-1234567)}; }

BenchValue DateTimeValue() {
  std::vector<std::uint8_t> bytes = BytesOf<std::int32_t>(300 * 45296 + 120);  // 12:34:56.4
  std::vector<std::uint8_t> days = BytesOf<std::int32_t>(45000);             // 2023-03-17
  bytes.insert(bytes.end(), days.begin(), days.end());
  return {MakeColumn(kTypeDateTime, "datetime(8)"), bytes};
}

BenchValue NVarCharValue() {
  return {MakeColumn(kTypeNVarChar, "nvarchar(100)", true, 100), Utf16("Customer name 0042")};
}

BenchValue VarCharValue() {
  const std::string text = "Order shipped by courier";
  return {MakeColumn(kTypeVarChar, "varchar(50)", true),
          std::vector<std::uint8_t>(text.begin(), text.end())};
}

BenchValue DecimalValue() {
  std::vector<std::uint8_t> bytes = {1};
  std::vector<std::uint8_t> magnitude = BytesOf<std::uint64_t>(12345678901234ULL);
  bytes.insert(bytes.end(), magnitude.begin(), magnitude.end());
  return {MakeColumn(kTypeDecimal, "decimal(9)", false, 9, 18, 4), bytes};
}

BenchValue MoneyValue() {
  return {MakeColumn(kTypeMoney, "money(8)"), BytesOf<std::int64_t>(-1234567890123)};
}

BenchValue BigIntValue() {
  return {MakeColumn(kTypeBigInt, "bigint(8)"), BytesOf<std::int64_t>(9007199254740993)};
}

BenchValue GuidValue() {
  std::vector<std::uint8_t> bytes(16);
  for (int i = 0; i < 16; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 17);
  return {MakeColumn(kTypeUniqueIdentifier, "uniqueidentifier(16)"), bytes};
}

BenchValue FloatValue() { return {MakeColumn(kTypeFloat, "float(8)"), BytesOf(1234.5678)}; }

BenchValue BitValue() { return {MakeColumn(kTypeBit, "bit(1)"), {0x01}}; }

// As the decoder does it: a fresh slot per value, then the render.
std::string RenderOnce(const BenchValue& value, BitCursor& cursor, const TextDecoder& decoder) {
  ValueSlot slot = MakeValueSlot(value.column, value.column.typeCode, &cursor);
  slot.availableLength = static_cast<std::int64_t>(value.bytes.size());
  if (slot.variable) slot.dataLength = static_cast<std::int16_t>(value.bytes.size());
  return RenderValue(slot, value.bytes.data(), value.column, decoder);
}

void RenderLoop(benchmark::State& state, const BenchValue& value) {
  TextDecoder decoder;
  for (auto _ : state) {
    BitCursor cursor;
    std::string text = RenderOnce(value, cursor, decoder);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_RenderInt(benchmark::State& state) { RenderLoop(state, IntValue()); }
void BM_RenderDateTime(benchmark::State& state) { RenderLoop(state, DateTimeValue()); }
void BM_RenderNVarChar(benchmark::State& state) { RenderLoop(state, NVarCharValue()); }
void BM_RenderVarChar(benchmark::State& state) { RenderLoop(state, VarCharValue()); }
void BM_RenderDecimal(benchmark::State& state) { RenderLoop(state, DecimalValue()); }
void BM_RenderMoney(benchmark::State& state) { RenderLoop(state, MoneyValue()); }
void BM_RenderFloat(benchmark::State& state) { RenderLoop(state, FloatValue()); }
void BM_RenderGuid(benchmark::State& state) { RenderLoop(state, GuidValue()); }

void BM_RenderVarCharCodePage936(benchmark::State& state) {
  const CollationTable collations = {{53284, {"Chinese_PRC_CI_AS", 936}}};
  TextDecoder decoder(collations, 53284);
  const BenchValue value = {MakeColumn(kTypeVarChar, "varchar(50)", true),
                            {0xB9, 0xDC, 0xC0, 0xED, 0xD4, 0xB1, 0xD3, 0xC3, 0xBB, 0xA7}};
  for (auto _ : state) {
    BitCursor cursor;
    std::string text = RenderOnce(value, cursor, decoder);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetItemsProcessed(state.iterations());
}

// One row: int, bigint, nvarchar, varchar, datetime, decimal, money, float,
// uniqueidentifier, bit. Items are rows.
void BM_RenderMixedRow(benchmark::State& state) {
  const std::vector<BenchValue> row = {IntValue(),     BigIntValue(),  NVarCharValue(),
                                       VarCharValue(), DateTimeValue(), DecimalValue(),
                                       MoneyValue(),   FloatValue(),   GuidValue(),
                                       BitValue()};
  TextDecoder decoder;
  std::vector<std::string> texts(row.size());
  for (auto _ : state) {
    BitCursor cursor;
    for (std::size_t i = 0; i < row.size(); ++i) texts[i] = RenderOnce(row[i], cursor, decoder);
    benchmark::DoNotOptimize(texts.data());
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_RenderInt);
BENCHMARK(BM_RenderDateTime);
BENCHMARK(BM_RenderNVarChar);
BENCHMARK(BM_RenderVarChar);
BENCHMARK(BM_RenderDecimal);
BENCHMARK(BM_RenderMoney);
BENCHMARK(BM_RenderFloat);
BENCHMARK(BM_RenderGuid);
BENCHMARK(BM_RenderVarCharCodePage936);
BENCHMARK(BM_RenderMixedRow);

}  // namespace
}  // namespace corvane

#pragma once
// Helpers that build stored column values and render them the way the row
// decoder does, from a heap block that ends exactly where the value ends.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/column_descriptor.h"
#include "rows/text_codec.h"
#include "rows/value_renderer.h"
#include "rows/value_slot.h"
#include "tests/support/exact_bytes.h"

namespace corvane::testing {

using ByteVector = std::vector<std::uint8_t>;

// The low `width` bytes of `value`, little-endian.
inline ByteVector LittleEndian(std::uint64_t value, int width) {
  ByteVector bytes;
  for (int i = 0; i < width; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  return bytes;
}

template <typename T>
ByteVector BytesOf(T value) {
  ByteVector bytes(sizeof(T));
  std::memcpy(bytes.data(), &value, sizeof(T));
  return bytes;
}

inline ByteVector Concat(std::initializer_list<ByteVector> parts) {
  ByteVector all;
  for (const ByteVector& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

inline ByteVector TextBytes(const std::string& text) { return ByteVector(text.begin(), text.end()); }

// A column as schema assembly builds it: size and variableLength follow
// from the type code and the number in typeText.
ColumnDescriptor Column(ColumnTypeCode code, const std::string& typeText, int precision = 0,
                        int scale = 0, std::int32_t collationId = 0);

struct RenderOptions {
  bool compressed = false;
  // Bytes the decoder may read; -1: exactly the value's bytes.
  std::int64_t availableLength = -1;
  // Data length as the decoder sets it; -1: the value's byte count for a
  // variable value, MakeValueSlot's for a fixed one.
  std::int64_t dataLength = -1;
};

// Renders `bytes` as the decoder does for one column of a record.
std::string Render(const ColumnDescriptor& column, const ByteVector& bytes,
                   const TextDecoder& decoder, RenderOptions options = {});
std::string Render(const ColumnDescriptor& column, const ByteVector& bytes,
                   RenderOptions options = {});

}  // namespace corvane::testing

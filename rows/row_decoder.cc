#include "rows/row_decoder.h"

#include "rows/value_renderer.h"
#include "rows/value_slot.h"

namespace corvane {
namespace {

constexpr const char* kNull = "NULL";

// Complex variable column kinds (first byte of the value).
constexpr std::uint8_t kRowOverflowPointer = 2;
constexpr std::uint8_t kInRowLargeRoot = 4;
constexpr int kTextPointerLength = 16;

bool IsHexPrefixed(int code) { return code == kTypeVarBinary || code == kTypeClr; }

}  // namespace

struct RowDecoder::RecordState {
  BitCursor cursor;
  std::size_t varCounter = 0;
  std::int32_t fixedPos = 0;
  std::int32_t columnCounter = 0;
  int sparseCount = 0;
};

RowDecoder::RowDecoder(std::vector<ColumnDescriptor> columns, const TextDecoder& text,
                       DecodeOptions options)
    : columns_(std::move(columns)), text_(text), options_(options) {}

bool RowDecoder::PassesFilter(const CPrimaryRecord* r) const {
  if (!r || r->invalid || r->recordType == kRecordIndex) return false;
  // A forwarded record is reached through the stub that stays at the row's
  // original place; read directly as well it would be shown twice.
  if (r->recordType == kRecordForwarded) return false;
  if (!options_.showDeleted && r->isGhost) return false;
  // Records in the compressed format are not expanded yet.
  if (r->compressed) return false;
  return true;
}

namespace {

// Records of a page that the decoder looks at: at most slotCount of them.
std::size_t RecordLimit(const PrimaryRecordPage& page) {
  return std::min<std::size_t>(page.recordCount(),
                               page.header().slotCount > 0 ? page.header().slotCount : 0);
}

}  // namespace

void RowDecoder::DecodePage(const PrimaryRecordPage& page, std::vector<Row>& rows) {
  for (std::size_t i = 0, n = RecordLimit(page); i < n; ++i) {
    const CPrimaryRecord* r = page.record(i);
    if (!PassesFilter(r)) continue;
    rows.emplace_back();
    DecodeRecord(*r, rows.back());
  }
}

std::size_t RowDecoder::CountPage(const PrimaryRecordPage& page) const {
  std::size_t count = 0;
  for (std::size_t i = 0, n = RecordLimit(page); i < n; ++i) count += PassesFilter(page.record(i));
  return count;
}

void RowDecoder::DecodeRecord(const CPrimaryRecord& r, Row& row) {
  row.resize(columns_.size());
  RecordState st;
  st.sparseCount = r.sparseVector ? r.sparseVector->count : 0;
  for (std::size_t k = 0; k < columns_.size(); ++k) {
    ColumnDescriptor& c = columns_[k];
    // Where the column stands among the columns the record stores (the
    // descriptor list also holds sparse and computed columns, which take no
    // place of their own there).
    const std::int32_t stored =
        (!options_.legacyLayout && c.nullBit > 0) ? c.nullBit : c.physicalColumnId;
    if (c.physicalColumnId == kNotStoredColumn) {
      row[k] = c.valueText;  // the column's default: rows do not store it
    } else if (!c.sparse && stored > r.columnCount) {
      // The record was written before this column was added: it holds nothing.
      row[k] = kNull;
    } else if (options_.rowsetLayout) {
      DecodeColumnRowset(r, k, st, row);
    } else {
      DecodeColumnCatalog(r, k, st, row);
    }
  }
}

std::string RowDecoder::RenderSparse(const CPrimaryRecord& r, ColumnDescriptor& c,
                                     ValueSlot& slot) {
  // A sparse column that the vector does not list is NULL.
  if (!r.sparseVector) return kNull;
  for (const ColumnValue& v : r.sparseVector->values) {
    if (v.columnId != c.columnId) continue;
    if (!v.hasData) return {};
    slot.dataLength = static_cast<std::int16_t>(v.length);
    slot.availableLength = v.length;
    return c.typeCode == kTypeSqlVariant ? RenderSqlVariant(v.length, slot, v.data.data(), text_)
                                      : RenderValue(slot, v.data.data(), c, text_);
  }
  return kNull;
}

std::string RowDecoder::RenderVariable(const CPrimaryRecord& r, std::size_t index,
                                       ColumnDescriptor& c, ValueSlot& slot) {
  if (index >= r.varValues.size()) return {};
  const ColumnValue& v = r.varValues[index];
  if (v.complex) {
    if (!v.hasData) return {};
    // Large values stored outside the row: a 16-byte text pointer, a
    // row-overflow pointer or an in-row root of a max-type value.
    if (v.length == kTextPointerLength && v.data[0] == 0) return kBinaryDataPlaceholder;
    if (v.data[0] == kRowOverflowPointer || v.data[0] == kInRowLargeRoot)
      return kBigBinaryDataPlaceholder;
    return {};
  }
  if (!v.hasData) return {};
  slot.dataLength = static_cast<std::int16_t>(v.length);
  slot.availableLength = v.length;
  // An image value is rendered and prefixed as a varbinary value.
  if (c.typeCode == kTypeImage) slot.typeCode = kTypeVarBinary;
  if (c.typeCode == kTypeSqlVariant) return RenderSqlVariant(v.length, slot, v.data.data(), text_);
  return RenderValue(slot, v.data.data(), c, text_);
}

std::string RowDecoder::RenderFixed(const CPrimaryRecord& r, ColumnDescriptor& c,
                                    ValueSlot& slot, int offsetInFixed, std::int32_t& fixedPos) {
  if (!r.fixedData) {
    fixedPos += slot.width;
    return {};
  }
  const Bytes fixed = *r.fixedData;
  const auto f = static_cast<std::int32_t>(fixed.size());
  int at;
  // The second to eighth bit column of a group reads the byte the first one
  // took; it needs no further byte, even at the very end of the fixed data.
  const BitCursor* cursor = slot.bitCursor;
  const bool bitFromCursor = c.typeCode == kTypeBit && cursor && cursor->loaded &&
                             cursor->bitIndex < 8;
  if (fixedPos < 0) return {};
  if (bitFromCursor && offsetInFixed < 0) {
    at = std::min(fixedPos, f - 1);
  } else if (offsetInFixed >= 0 && offsetInFixed <= f) {
    at = offsetInFixed;
  } else if (fixedPos < f) {
    at = fixedPos;
  } else {
    return {};
  }
  slot.availableLength = f - at;
  // At the very end of the fixed data nothing is left to read; the renderer's
  // length guard then yields empty text.
  std::string text = RenderValue(slot, fixed.data() + at, c, text_);
  fixedPos += std::max(0, slot.size);
  return text;
}

void RowDecoder::DecodeColumnRowset(const CPrimaryRecord& r, std::size_t k, RecordState& st,
                                    Row& row) {
  ColumnDescriptor& c = columns_[k];
  ValueSlot slot = MakeValueSlot(c, c.typeCode, &st.cursor);
  const std::size_t index = (slot.variable && c.leafOffset < 0)
                                ? static_cast<std::size_t>(-c.leafOffset - 1)
                                : st.varCounter;
  if (c.physicalColumnId > r.columnCount) c.physicalColumnId = c.columnId;

  int b = st.sparseCount;
  if (c.nullBit > 0 && c.nullBit <= r.columnCount) {
    b = c.nullBit - 1;
  } else if (const int p = c.physicalColumnId - st.sparseCount - 1; p > 0 && p <= r.columnCount) {
    b = p;
  }
  const bool isNull = r.hasNullBitmap && r.IsNullBit(b);
  if (!c.sparse && (!c.hasPhysicalInfo || isNull)) {
    // A NULL bit column still owns its bit: keep the shared byte's cursor in
    // step, or the bit columns after it would read the wrong bits.
    if (isNull && c.typeCode == kTypeBit && c.hasPhysicalInfo && !slot.variable) {
      std::int32_t ignored = st.fixedPos;
      RenderFixed(r, c, slot, c.leafOffset - 4, ignored);
    }
    row[k] = kNull;
    return;
  }
  slot.compressed = r.compressed;
  std::string text;
  if (c.sparse) {
    text = RenderSparse(r, c, slot);
  } else if (slot.variable) {
    text = RenderVariable(r, index, c, slot);
    ++st.varCounter;
  } else {
    text = RenderFixed(r, c, slot, c.leafOffset - 4, st.fixedPos);
  }
  if (IsHexPrefixed(c.typeCode) && text != " " && text != kBinaryDataPlaceholder &&
      text != kBigBinaryDataPlaceholder)
    text.insert(0, "0x");
  row[k] = std::move(text);
}

void RowDecoder::DecodeColumnCatalog(const CPrimaryRecord& r, std::size_t k, RecordState& st,
                                     Row& row) {
  ColumnDescriptor& c = columns_[k];
  const bool legacy = options_.legacyLayout;
  ValueSlot slot = MakeValueSlot(c, c.typeCode, &st.cursor);
  std::size_t index = (slot.variable && c.leafOffset < 0)
                          ? static_cast<std::size_t>(-c.leafOffset - 1)
                          : st.varCounter;
  if (c.physicalColumnId > static_cast<std::int32_t>(columns_.size()))
    c.physicalColumnId = c.columnId;

  // SQL Server 2000 records keep one null bit per column in column order; the
  // syscolumns value that stands in nullBit there is the bit's position inside
  // its byte of bit columns, not a null bit, so the running column count is
  // used instead.
  const int b = (!legacy && c.nullBit > 0 && c.nullBit <= r.columnCount) ? c.nullBit - 1
                                                                          : st.columnCounter;
  bool isNull = r.hasNullBitmap && r.IsNullBit(b);
  if (legacy && c.typeCode == kTypeTimestamp) isNull = false;

  std::string text;
  if (c.sparse) {
    text = RenderSparse(r, c, slot);
  } else if (slot.variable) {
    if (legacy && st.varCounter < r.varValues.size()) {
      const std::size_t i =
          c.legacyLeafOffset < 0 ? static_cast<std::size_t>(-c.legacyLeafOffset - 1) : 0;
      if (i < r.varValues.size()) index = st.varCounter = i;
    }
    if (!isNull) text = RenderVariable(r, index, c, slot);
    ++st.varCounter;
  } else if (!isNull) {
    if (legacy) {
      const int p = c.legacyLeafOffset;
      const int f = r.fixedData ? static_cast<int>(r.fixedData->size()) : 0;
      if (r.fixedData && ((c.leafOffset < 0 && p > 0) || p >= 4) && p - 4 < f && p - 4 >= 0) {
        slot.availableLength = f - (p - 4);
        text = RenderValue(slot, r.fixedData->data() + (p - 4), c, text_);
        st.fixedPos += (c.leafOffset < 0 && slot.size < 1) ? slot.width : slot.size;
      } else {
        text = RenderFixed(r, c, slot, -1, st.fixedPos);
      }
    } else {
      const int leaf = c.leafOffset < 0 ? 3 - c.leafOffset : c.leafOffset;
      text = RenderFixed(r, c, slot, leaf - 4, st.fixedPos);
    }
  } else if (c.typeCode == kTypeBit && r.fixedData) {
    // Keep the bit cursor in step past a NULL bit column (see the rowset layout).
    std::int32_t ignored = st.fixedPos;
    RenderFixed(r, c, slot, legacy ? c.legacyLeafOffset - 4 : c.leafOffset - 4, ignored);
  }
  if (!c.sparse) ++st.columnCounter;
  // A NULL is what the null bitmap says. An empty string or binary value
  // stays a value; an empty fixed-length value means its bytes are missing,
  // which a nullable column shows as NULL.
  const bool missing = text.empty() && (!slot.variable || c.sparse) && c.nullable;
  if (IsHexPrefixed(c.typeCode) && !isNull && !missing && text != " " &&
      text != kBinaryDataPlaceholder && text != kBigBinaryDataPlaceholder)
    text.insert(0, "0x");
  if (isNull || missing) text = kNull;
  row[k] = std::move(text);
}

}  // namespace corvane

#include "tools/mdfgen/record_layout.h"

#include <cstring>

namespace corvane::mdfgen {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Append16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Append32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::vector<std::uint8_t> RowId(std::uint8_t lead0, std::uint8_t lead1, bool two,
                                std::uint16_t file, std::int32_t page, std::uint16_t slot) {
  std::vector<std::uint8_t> out{lead0};
  if (two) out.push_back(lead1);
  Append32(out, static_cast<std::uint32_t>(page));
  Append16(out, file);
  Append16(out, slot);
  return out;
}

}  // namespace

RecordLayout RecordLayout::Build(const std::vector<StoredColumn>& input) {
  RecordLayout layout;
  layout.columns_ = input;
  int cursor = 4;
  int ordinal = 0;
  int bitByte = -1;
  int bitsUsed = 8;
  for (auto& c : layout.columns_) {
    if (c.sparse) {
      layout.hasSparse_ = true;
      c.variable = IsVariableLength(c.type.type);
      c.nullBit = 0;
      c.leafOffset = 0;
      continue;
    }
    c.nullBit = ++ordinal;
    c.variable = IsVariableLength(c.type.type);
    if (c.variable) {
      c.leafOffset = ~layout.variableCount_++;
      c.width = 0;
    } else if (c.type.type == SqlType::kBit) {
      if (bitsUsed == 8) {
        bitByte = cursor++;
        bitsUsed = 0;
        c.width = 1;
      } else {
        c.width = 0;
      }
      c.leafOffset = bitByte;
      c.bitPosition = bitsUsed++;
    } else {
      c.width = FixedWidth(c.type.type, c.type.length, c.type.precision, c.type.scale);
      c.leafOffset = cursor;
      cursor += c.width;
    }
  }
  layout.storedCount_ = ordinal + (layout.hasSparse_ ? 1 : 0);
  if (layout.hasSparse_) ++layout.variableCount_;
  layout.fixedEnd_ = cursor;
  return layout;
}

bool RecordLayout::Encode(const std::vector<Value>& values, const Extra& extra,
                          std::vector<std::uint8_t>& out, std::string& error) const {
  if (values.size() != columns_.size()) {
    error = "row has " + std::to_string(values.size()) + " values for " +
            std::to_string(columns_.size()) + " columns";
    return false;
  }
  const int nullBytes = (storedCount_ + 7) / 8;
  out.assign(static_cast<std::size_t>(fixedEnd_) + 2 + nullBytes, 0);
  varData_.clear();
  varEnds_.assign(static_cast<std::size_t>(variableCount_), 0);
  int lastVar = -1;
  std::vector<std::uint16_t> complexFlags(varEnds_.size(), 0);
  std::vector<std::uint8_t> sparse;  // only built for tables with sparse columns
  std::vector<std::pair<int, std::vector<std::uint8_t>>> sparseValues;

  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const StoredColumn& c = columns_[i];
    const Value& v = values[i];
    if (c.sparse) {
      if (v.isNull()) continue;
      scratch_.clear();
      if (!EncodeValue(c.type, v, scratch_, error)) return false;
      sparseValues.emplace_back(c.columnId, scratch_);
      continue;
    }
    if (v.isNull()) {
      if (!c.nullable) {
        error = "NULL in a column that is not nullable";
        return false;
      }
      int b = c.nullBit - 1;
      out[static_cast<std::size_t>(fixedEnd_) + 2 + b / 8] |=
          static_cast<std::uint8_t>(1u << (b % 8));
      if (c.variable)
        varEnds_[static_cast<std::size_t>(~c.leafOffset)] =
            static_cast<std::uint16_t>(varData_.size());
      continue;
    }
    if (c.variable) {
      if (!EncodeValue(c.type, v, varData_, error)) return false;
      lastVar = ~c.leafOffset;
      // A text, ntext or image value is a text pointer (given as raw bytes).
      if (IsLargeObjectType(c.type.type))
        complexFlags[static_cast<std::size_t>(lastVar)] = kComplexColumn;
      varEnds_[static_cast<std::size_t>(lastVar)] = static_cast<std::uint16_t>(varData_.size());
      continue;
    }
    scratch_.clear();
    if (!EncodeValue(c.type, v, scratch_, error)) return false;
    if (c.type.type == SqlType::kBit) {
      if (scratch_[0])
        out[static_cast<std::size_t>(c.leafOffset)] |=
            static_cast<std::uint8_t>(1u << c.bitPosition);
    } else if (static_cast<int>(scratch_.size()) != c.width) {
      error = "stored value has " + std::to_string(scratch_.size()) + " bytes, column width " +
              std::to_string(c.width);
      return false;
    } else {
      std::memcpy(out.data() + c.leafOffset, scratch_.data(), scratch_.size());
    }
  }

  std::uint8_t statusA = static_cast<std::uint8_t>(extra.recordType << 1) | kStatusNullBitmap;
  out[0] = statusA;
  out[1] = 0;
  Put16(out, 2, static_cast<std::uint16_t>(fixedEnd_));
  Put16(out, static_cast<std::size_t>(fixedEnd_), static_cast<std::uint16_t>(storedCount_));

  // Complex columns after the ordinary ones keep every ordinary column, so
  // that a column's index never lands on them.
  if (hasSparse_) {
    std::size_t vectorIndex = varEnds_.size() - 1;
    if (!sparseValues.empty()) {
      sparse.clear();
      Append16(sparse, 5);
      Append16(sparse, static_cast<std::uint16_t>(sparseValues.size()));
      for (auto& [id, bytes] : sparseValues) Append16(sparse, static_cast<std::uint16_t>(id));
      std::size_t end = 4 + 4 * sparseValues.size();
      for (auto& [id, bytes] : sparseValues) {
        end += bytes.size();
        Append16(sparse, static_cast<std::uint16_t>(end));
      }
      for (auto& [id, bytes] : sparseValues)
        sparse.insert(sparse.end(), bytes.begin(), bytes.end());
      for (std::size_t k = lastVar + 1; k < vectorIndex; ++k)
        varEnds_[k] = static_cast<std::uint16_t>(varData_.size());
      varData_.insert(varData_.end(), sparse.begin(), sparse.end());
      varEnds_[vectorIndex] = static_cast<std::uint16_t>(varData_.size());
      complexFlags[vectorIndex] = kComplexColumn;
      lastVar = static_cast<int>(vectorIndex);
    }
  }
  if (extra.backPointer) {
    for (std::size_t k = lastVar + 1; k < varEnds_.size(); ++k)
      varEnds_[k] = static_cast<std::uint16_t>(varData_.size());
    varData_.insert(varData_.end(), extra.backPointer, extra.backPointer + kBackPointerSize);
    varEnds_.push_back(static_cast<std::uint16_t>(varData_.size()));
    complexFlags.push_back(kComplexColumn);
    lastVar = static_cast<int>(varEnds_.size()) - 1;
  }
  if (lastVar >= 0) {
    const std::size_t count = static_cast<std::size_t>(lastVar) + 1;
    const std::size_t base = out.size() + 2 + 2 * count;
    if (base + varData_.size() > 8060) {
      error = "record longer than 8060 bytes";
      return false;
    }
    out[0] |= kStatusVariable;
    Append16(out, static_cast<std::uint16_t>(count));
    for (std::size_t k = 0; k < count; ++k) {
      Append16(out, static_cast<std::uint16_t>((base + varEnds_[k]) | complexFlags[k]));
    }
    out.insert(out.end(), varData_.begin(), varData_.begin() + varEnds_[count - 1]);
  }
  return true;
}

int RecordLayout::IndexFixedEnd(const std::vector<int>& keyColumns) const {
  int fixed = 1;
  for (int k : keyColumns) {
    const auto& c = columns_[static_cast<std::size_t>(k)];
    if (!c.variable)
      fixed += FixedWidth(c.type.type, c.type.length, c.type.precision, c.type.scale);
  }
  return fixed + 6;
}

bool RecordLayout::EncodeIndexRecord(const std::vector<Value>& values,
                                     const std::vector<int>& keyColumns, std::uint16_t childFile,
                                     std::int32_t childPage, std::vector<std::uint8_t>& out,
                                     std::string& error) const {
  out.assign(1, static_cast<std::uint8_t>(kRecordIndex << 1));
  varData_.clear();
  varEnds_.clear();
  for (int k : keyColumns) {
    const auto& c = columns_[static_cast<std::size_t>(k)];
    auto& target = c.variable ? varData_ : out;
    if (!EncodeValue(c.type, values[static_cast<std::size_t>(k)], target, error)) return false;
    if (c.variable) varEnds_.push_back(static_cast<std::uint16_t>(varData_.size()));
  }
  Append32(out, static_cast<std::uint32_t>(childPage));
  Append16(out, childFile);
  if (!varEnds_.empty()) {
    out[0] |= kStatusVariable;
    const std::size_t base = out.size() + 2 + 2 * varEnds_.size();
    Append16(out, static_cast<std::uint16_t>(varEnds_.size()));
    for (auto e : varEnds_) Append16(out, static_cast<std::uint16_t>(base + e));
    out.insert(out.end(), varData_.begin(), varData_.end());
  }
  return true;
}

std::vector<std::uint8_t> ForwardingStub(std::uint16_t file, std::int32_t page,
                                         std::uint16_t slot) {
  return RowId(static_cast<std::uint8_t>(kRecordForwardingStub << 1), 0, false, file, page, slot);
}

std::vector<std::uint8_t> BackPointer(std::uint16_t file, std::int32_t page, std::uint16_t slot) {
  return RowId(0x04, 0x00, true, file, page, slot);
}

}  // namespace corvane::mdfgen

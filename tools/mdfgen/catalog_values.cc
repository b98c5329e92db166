#include "tools/mdfgen/catalog_values.h"

#include <algorithm>

#include "tools/mdfgen/value_encoder.h"

namespace corvane::mdfgen {

using enum SqlType;

namespace {
constexpr std::size_t kDefinitionPiece = 4000;
}  // namespace

Value Created() { return Value("2012-06-01 12:00:00"); }

Value PagePointer(std::int32_t page, std::uint16_t file) {
  ByteString b(6, 0);
  for (int i = 0; i < 4; ++i)
    b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(page >> (8 * i));
  if (page != 0)
    b[4] = static_cast<std::uint8_t>(file), b[5] = static_cast<std::uint8_t>(file >> 8);
  return Value(b);
}

int ByteLength(const Column& c) {
  switch (c.type) {
    case kNChar:
    case kNVarChar:
      return c.length == kMax ? -1 : 2 * c.length;
    case kChar:
    case kVarChar:
    case kBinary:
    case kVarBinary:
      return c.length == kMax ? -1 : c.length;
    case kSqlVariant:
      return 8016;
    case kText:
    case kNText:
    case kImage:
      return 16;
    case kXml:
      return -1;
    case kBit:
      return 1;
    default:
      return FixedWidth(c.type, c.length, c.precision, c.scale);
  }
}

std::pair<int, int> PrecisionScale(const Column& c) {
  switch (c.type) {
    case kDecimal:
    case kNumeric:
      return {c.precision, c.scale};
    case kTime:
    case kDateTime2:
    case kDateTimeOffset: {
      // sysscalartypes lists them at scale 7; each digit less takes one off,
      // and scale 0 drops the decimal point as well.
      const int atSeven = c.type == kTime ? 16 : c.type == kDateTime2 ? 27 : 34;
      return {atSeven - (7 - c.scale) - (c.scale == 0 ? 1 : 0), c.scale};
    }
    default:
      for (const auto& row : ScalarTypes()) {
        if (row.xtype == c.type) return {row.precision, row.scale};
      }
      return {0, 0};
  }
}

bool AnsiPadded(SqlType t) {
  return t == kChar || t == kVarChar || t == kNChar || t == kNVarChar || t == kBinary ||
         t == kVarBinary;
}

std::int32_t TypeInfo(const Column& c) {
  const auto x = static_cast<std::int32_t>(c.type);
  if (AnsiPadded(c.type)) {
    const int bytes = ByteLength(c);
    return x | ((bytes < 0 ? 0xFFFF : bytes) << 8);
  }
  if (c.type == kDecimal || c.type == kNumeric) return x | (c.precision << 8) | (c.scale << 16);
  if (c.type == kTime || c.type == kDateTime2 || c.type == kDateTimeOffset)
    return x | (c.scale << 8);
  return x;
}

Value IdentityValue(const Column& c, std::int64_t last, bool anyRow) {
  const int width = c.type == kTinyInt ? 1 : c.type == kSmallInt ? 2 : c.type == kInt ? 4 : 8;
  ByteString b;
  for (std::int64_t v :
       {anyRow ? last : c.identity->seed, c.identity->increment, c.identity->seed}) {
    for (int i = 0; i < width; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  b.push_back(anyRow ? 0 : 1);
  return Value(b);
}

std::vector<ByteString> DefinitionPieces(const std::string& text, bool unicode) {
  ByteString all;
  if (!unicode && IsAscii(text)) {
    all.assign(text.begin(), text.end());
  } else {
    AppendUtf16(text, all);
  }
  std::vector<ByteString> pieces;
  for (std::size_t at = 0; at < all.size() || pieces.empty(); at += kDefinitionPiece) {
    const std::size_t end = std::min(all.size(), at + kDefinitionPiece);
    pieces.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(at),
                        all.begin() + static_cast<std::ptrdiff_t>(end));
  }
  return pieces;
}

std::string ModuleType(ModuleKind kind) {
  switch (kind) {
    case ModuleKind::kView:
      return "V ";
    case ModuleKind::kProcedure:
      return "P ";
    case ModuleKind::kScalarFunction:
      return "FN";
    case ModuleKind::kInlineFunction:
      return "IF";
    case ModuleKind::kTableFunction:
      return "TF";
    case ModuleKind::kTrigger:
      return "TR";
  }
  return "P ";
}

std::vector<std::vector<Value>> FileRows(const Database& db) {
  const std::string folder = "C:\\Program Files\\Microsoft SQL Server\\MSSQL\\DATA\\";
  std::vector<std::vector<Value>> rows;
  rows.push_back({Num(2), Num(1), db.name, folder + db.name + ".mdf"});
  rows.push_back({Num(0x00100042), Num(2), db.name + "_log", folder + db.name + "_log.ldf"});
  std::int64_t id = 3;
  for (const auto& f : db.secondaryFiles)
    rows.push_back({Num(2), Num(id++), f.logicalName, f.physicalName});
  return rows;
}

}  // namespace corvane::mdfgen

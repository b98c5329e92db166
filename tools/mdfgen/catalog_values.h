#pragma once
// Column facts and value helpers shared by the writers of both catalog
// layouts (2005 and later, and SQL Server 2000).

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/mdfgen/declaration.h"

namespace corvane::mdfgen {

inline Value Num(std::int64_t v) { return Value(static_cast<long long>(v)); }
// The creation and modification stamp of every catalog object.
Value Created();
// A 6-byte page pointer: page number, then file id (0 for page 0).
Value PagePointer(std::int32_t page, std::uint16_t file);
// Maximum length in bytes as the catalog stores it (-1 for max types).
int ByteLength(const Column& c);
// Precision and scale as the catalog stores them for every type.
std::pair<int, int> PrecisionScale(const Column& c);
// char, varchar, nchar, nvarchar, binary, varbinary: the "ANSI padded" types.
bool AnsiPadded(SqlType t);
// sysrscols.ti: type id, then length (bytes 1-2) or precision and scale, or
// the fractional-seconds scale (byte 1).
std::int32_t TypeInfo(const Column& c);
// syscolpars.idtval: last value, increment, seed, each as wide as the
// column type, and a flag byte, 1 while no row has taken a value.
Value IdentityValue(const Column& c, std::int64_t last, bool anyRow);
// A definition as stored: code page bytes for ASCII text, UTF-16 otherwise
// (`unicode` forces UTF-16), in pieces of at most 4000 bytes.
std::vector<ByteString> DefinitionPieces(const std::string& text, bool unicode = false);
// sysfiles1: the data file (1), the log file (2), declared extra files.
std::vector<std::vector<Value>> FileRows(const Database& db);
// Two-letter object type of a module.
std::string ModuleType(ModuleKind kind);

}  // namespace corvane::mdfgen

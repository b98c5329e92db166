#pragma once
// The collation table: collation id -> name and code page, loaded from the
// data file "collation.txt" (one line per collation: name TAB id TAB code
// page; ids are signed 32-bit decimals).

#include <optional>
#include <string>

#include "engine/app_state.h"

namespace corvane {

// Reads `path` into `table` (later lines replace earlier ones with the same
// id; malformed lines are skipped). False when the file cannot be read.
bool LoadCollationTable(const std::string& path, CollationTable& table);

// Path of the shipped "collation.txt": beside the executable, else in the
// installed data folder, else empty.
std::string FindCollationFile();

// Looks `collationId` up as a database or column id: first the id widened
// with its sign to 64 bits, then its low 16 bits. Null when neither is listed.
const CollationTable::value_type* FindCollation(const CollationTable& table,
                                                std::int64_t collationId);

// Looks `collationId` up as a database or column id: the id itself
// (sign-extended), then its low 16 bits (a Windows collation whose flag bits
// above bit 15 are not listed). Returns the key that matched.
std::optional<std::int64_t> FindCollationKey(const CollationTable& table, std::int32_t collationId);

}  // namespace corvane

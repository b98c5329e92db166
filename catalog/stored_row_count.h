#pragma once
// The number of rows the catalog itself stores for a table: what SQL Server
// counted, to compare a decode with.

#include <cstdint>
#include <optional>

#include "catalog/catalog.h"

namespace corvane {

// 2005 and later: the row counts of the table's heap or clustered-index
// rowsets (index id 0 or 1), summed over partitions. SQL Server 2000: the
// rowcnt of the table's sysindexes row with index id 0 or 1. nullopt when the
// catalog holds no such row.
std::optional<std::int64_t> StoredRowCount(const Catalog& catalog, std::int32_t tableId,
                                           bool legacyLayout);

}  // namespace corvane

#include "catalog/stored_row_count.h"

namespace corvane {

std::optional<std::int64_t> StoredRowCount(const Catalog& catalog, std::int32_t tableId,
                                           bool legacyLayout) {
  if (legacyLayout) {
    auto it = catalog.legacyBaseIndexes.find(tableId);
    if (it == catalog.legacyBaseIndexes.end() || it->second.rowCount < 0) return std::nullopt;
    return it->second.rowCount;
  }
  std::optional<std::int64_t> total;
  for (const RowsetRow& r : catalog.rowsets) {
    if (r.objectId != tableId || (r.indexId != 0 && r.indexId != 1) || r.rowCount < 0) continue;
    total = total.value_or(0) + r.rowCount;
  }
  return total;
}

}  // namespace corvane

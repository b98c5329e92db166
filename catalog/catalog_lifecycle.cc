// ClearCatalog: what a loaded database lets go of before the next scan. The
// catalog object itself, the SQL Server 2000 tables, the column descriptors
// and the current object stay until the catalog is destroyed (the owner's
// unique_ptr).

#include "catalog/catalog.h"

namespace corvane {

void ClearCatalog(Catalog& catalog) {
  catalog.allocationUnits.clear();
  catalog.rowsets.clear();
  catalog.columns.clear();
  catalog.objects.clear();
  catalog.types.clear();
  catalog.rowsetColumns.clear();
  catalog.objectRefs.clear();
  catalog.indexes.clear();
  catalog.indexColumns.clear();
  catalog.schemas.clear();
  catalog.hobtColumns.clear();
  catalog.rowsetColumnMaps.clear();
  catalog.foreignKeyColumns.clear();
  catalog.tableChildren.clear();
  catalog.files.clear();
  catalog.tableColumns.clear();
  catalog.tableLegacyColumns.clear();
  catalog.tableHobtColumns.clear();
  catalog.tableRowsetColumnMaps.clear();
  catalog.tableIndexes.clear();
  catalog.tableRowsets.clear();
  catalog.tableAllocationUnits.clear();
  catalog.tableRowsetColumns.clear();
  catalog.tablePages.clear();
}

}  // namespace corvane

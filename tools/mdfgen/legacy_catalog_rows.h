#pragma once
// The system table rows of a SQL Server 2000 (format 539) database, in the
// clustered-key order of each table:
//   sysobjects   one row per object (system tables "S ", user tables "U ",
//                constraints with parent_obj = table, modules)
//   syscolumns   one row per column: xoffset = leaf offset (fixed columns)
//                or -1, -2, ... (variable columns), offset = xoffset - 2 for
//                fixed columns, bitpos, collationid for character columns
//   sysindexes   one row per table for its heap (indid 0) or clustered index
//                (indid 1) with first, root and FirstIAM pages and counts,
//                one row per other index (no pages)
//   syscomments  definition texts (UTF-16) in pieces (colid 1, 2, ...)
//   sysfiles1    as in the later formats
// Data pages carry the table's object id and index id 0 in their headers.

#include "tools/mdfgen/catalog_rows.h"

namespace corvane::mdfgen {

CatalogRows BuildLegacyCatalogRows(const DatabasePlan& plan);

}  // namespace corvane::mdfgen

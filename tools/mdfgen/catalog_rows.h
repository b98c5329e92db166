#pragma once
// The rows of the system base tables that describe a planned database, in
// the clustered-key order of each table.
//
// What describes what (2005 and later):
//   sysschobjs        one row per object: system tables ("S "), user tables
//                     ("U "), their PK/UQ/F/C/D constraints (pid = table),
//                     views, procedures, functions, triggers
//   syscolpars        one row per column (number 0); identity columns have
//                     status 5 and idtval = last value, increment, seed (each
//                     as wide as the column type) and a flag byte (1: no row yet);
//                     a bigint IDENTITY(0,1) of the real files reads 0, 1, 0, 1
//   sysrowsets        one row per index (heap 0, clustered 1, others 2..)
//   sysallocunits     the in-row unit of each rowset: first, root and first
//                     IAM page, page counts
//   sysrscols         physical columns of each main rowset: leaf offset in
//                     the low 16 bits of offset (~index for variable columns,
//                     the non-leaf key offset in the high 16 bits), nullbit
//   sysidxstats       one row per index, status 0x2B primary key, 0x4B unique
//                     constraint
//   sysiscols         key columns: subid = key ordinal, intprop = column id
//   syssingleobjrefs  class 28: FK column ordinal -> parent table column;
//                     class 29: -> referenced table column
//   sysobjvalues      valclass 1 definition texts of modules and C/D
//                     constraints in imageval (code page text when ASCII,
//                     else UTF-16), in pieces of at most 4000 bytes (valnum)
//   sysclsobjs        schemas (class 50, dbo = 1 status 0) and the PRIMARY
//                     filegroup (class 31)
//   sysscalartypes    the system types (schema 4)
//   sysfiles1         the data file (1), the log file (2), declared extra files
// SQL Server 2005 (611) has syshobtcolumns and sysrowsetcolumns in place of
// sysrscols.

#include <cstdint>
#include <map>
#include <vector>

#include "tools/mdfgen/database_plan.h"

namespace corvane::mdfgen {

using CatalogRows = std::map<std::int32_t, std::vector<std::vector<Value>>>;

CatalogRows BuildCatalogRows(const DatabasePlan& plan);

// Puts each system table's rows in the order of its clustered key (integer
// key columns).
void SortRows(CatalogRows& rows, const std::vector<TablePlan>& systemTables);

}  // namespace corvane::mdfgen

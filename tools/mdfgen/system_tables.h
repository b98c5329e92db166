#pragma once
// The system base tables the builder writes, declared like user tables so
// that their rows go through the same record encoder, and so that the
// catalog describes them too (object, columns, rowset, allocation unit,
// physical columns, clustered index).
//
// Column lists follow the rows of real files; the readers' offsets fall out
// of them (sysschobjs: id 0, nsid 4, nsclass 8, status 9, type 13, pid 15,
// pclass 19, intprop 20, created 24, modified 32). Differences by version:
//   sysrscols      655/661: 14 columns (dbfragid last); 706 on: 13; 611: absent,
//                  replaced by syshobtcolumns (13) and sysrowsetcolumns (4)
//   sysrowsets     611: 8 columns (up to rcrows); later: 18
//   sysallocunits  655/661: 12 columns (dbfragid last); others: 11
//   sysschobjs     706 on: 12 columns (status2 last); earlier: 11
//   sysiscols      up to 661: 7 columns; 706/782: 8; 852 on: 9

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mdfgen/declaration.h"

namespace corvane::mdfgen {

inline constexpr std::int32_t kSysRsCols = 3;
inline constexpr std::int32_t kSysRowsetColumns = 4;
inline constexpr std::int32_t kSysRowsets = 5;
inline constexpr std::int32_t kSysAllocUnits = 7;
inline constexpr std::int32_t kSysFiles1 = 8;
inline constexpr std::int32_t kSysHobtColumns = 13;
inline constexpr std::int32_t kSysSchObjs = 34;
inline constexpr std::int32_t kSysColPars = 41;
inline constexpr std::int32_t kSysScalarTypes = 50;
inline constexpr std::int32_t kSysIdxStats = 54;
inline constexpr std::int32_t kSysIsCols = 55;
inline constexpr std::int32_t kSysObjValues = 60;
inline constexpr std::int32_t kSysClsObjs = 64;
inline constexpr std::int32_t kSysSingleObjRefs = 74;

// SQL Server 2000.
inline constexpr std::int32_t kSysObjects = 1;
inline constexpr std::int32_t kSysIndexes = 2;
inline constexpr std::int32_t kSysColumns = 3;
inline constexpr std::int32_t kSysComments = 6;

inline constexpr std::int32_t kSchemaDbo = 1;
inline constexpr std::int32_t kSchemaSys = 4;

struct SystemTable {
  std::int32_t objectId = 0;
  // Index id inside the allocation unit and rowset id (0 for the tables the
  // engine bootstraps from: 3, 4, 5, 7, 8, 13).
  std::uint16_t unitIndexId = 1;
  Table table;  // name, columns, clustered key (empty for a heap)
};

// The system tables written for a format version. Before 611 (SQL Server
// 2000): sysobjects, sysindexes, syscolumns, syscomments, sysfiles1, whose
// fixed parts hold (sysobjects) id 0, xtype 4, info 10, status 12,
// parent_obj 24, crdate 28; (sysindexes) id 0, status 4, first 8, indid 14,
// root 16, FirstIAM 64; (syscolumns) id 0, xtype 4, typestat 5, length 8,
// colid 12, xoffset 14, bitpos 16, colorder 30, offset 32, collationid 34.
std::vector<SystemTable> SystemTables(int version);

// SQL Server 2000 pages carry the object id and the index id themselves; the
// builder keeps them in a unit id of the same shape as the later formats'.
inline std::int64_t LegacyUnitId(std::int32_t objectId, std::uint16_t indexId) {
  return (static_cast<std::int64_t>(indexId) << 48) |
         (static_cast<std::int64_t>(static_cast<std::uint32_t>(objectId)) << 16);
}

// Allocation unit id (= rowset id) of a system table.
std::int64_t SystemUnitId(const SystemTable& table);

}  // namespace corvane::mdfgen

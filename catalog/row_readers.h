#pragma once
// One reader per system base table: each turns the rows of its table into
// catalog records (catalog/system_rows.h) and appends them; none clears its
// collection first. Readers trust no row: a field that the fixed part does
// not reach keeps its default, a missing name is invented, and an unreadable
// page is skipped.
//
// Offsets count from the first byte of the row's fixed part (after the 4-byte
// record header); "var n" is the n-th variable column; text is UTF-16LE.
// "Min" is the record length a row must exceed before its fixed fields are
// copied. Checked against SQL Server 2005 pre-release builds (format 590, 598,
// 607), 2005, 2008, 2008 R2, 2012, 2014 and 2016 files, and a 2000 file.
//
// sysfiles1 (8), min 519
//   0 status int32 | 4 fileid int16 | 6 name nchar(128) | 262 filename nchar(260)
// sysclsobjs (64), min 9 (every class; schemas are class 50)
//   0 class uint8 | 1 id int32 | 5 status int32 | 9 type char(2) | var 1 name
// sysschobjs (34), min 19; only rows with id != 0 (2012+ system objects are negative)
//   0 id int32 | 4 nsid int32 | 8 nsclass uint8 | 9 status int32 | 13 type char(2)
//   15 pid int32 | 19 pclass uint8 | 20 intprop int32 | 24 created | 32 modified
//   var 1 name
// sysobjects (1, SQL Server 2000), min 19; only rows with id != 0
//   0 id int32 | 4 xtype char(2) | 24 parent_obj int32 (15 in rows of 23 bytes or
//   less) | var 1 name; offsets 8, 9, 19, 20 are read as for sysschobjs
// sysallocunits (7; 99 under the SQL Server 2000 layout), min 38
//   0 auid int64 | 8 type uint8 | 9 ownerid int64 | 17 status int32 | 21 fgid int16
//   23 pgfirst | 29 pgroot | 35 pgfirstiam  (page pointers: page int32, file int16)
// sysrowsets (5), min 26
//   0 rowsetid int64 | 8 ownertype uint8 | 9 idmajor int32 | 13 idminor int32
//   17 numpart int32 | 21 status int32 | 25 fgidfs int16 | 27 rcrows int64
// syscolpars (41, then 2187), min 36; index records skipped
//   0 id int32 | 4 number int16 | 6 colid int32 | 10 xtype uint8 | 11 utype int32
//   15 length int16 | 17 prec uint8 | 18 scale uint8 | 19 collationid int32
//   23 status int32 | 27 maxinrow int16 | 29 xmlns int32 | 33 dflt int32 | 37 chk int32
//   var 1 name | var 2 identity value (catalog/identity_value.h), used when status is 5
// sysscalartypes (50), min 33; rows with a fixed part
//   0 id int32 | 4 schid int32 | 8 xtype uint8 | 9 length int16 | 11 prec uint8
//   12 scale uint8 | 13 collationid int32 | 17 status int32 | var 1 name
// sysrscols (3; SQL Server 2008 and later), min 47
//   0 rsid int64 | 8 rscolid int32 | 12 hbcolid int32 | 16 rcmodified int64 | 24 ti int32
//   28 int32 (a collation id in real rows) | 32 ordkey int16 | 34 maxinrowlen int16
//   36 status int32 | 40 offset int32 (low 16 bits: the leaf offset) | 44 nullbit int32
//   (low 16 bits: the null bit; high 16 bits: the ordinal of an index key column)
//   48 bitpos int16
// syssingleobjrefs (74); rows with a fixed part
//   0 class uint8 | 1 depid int32 | 5 depsubid int32 | 9 indepid int32
//   13 indepsubid int32 | 17 status int32
// sysidxstats (54), min 26; rows with a fixed part
//   0 id int32 | 4 indid int32 | 8 status int32 | 12 intprop int32 | 16 fillfact uint8
//   17 type uint8 | 18 tinyprop uint8 | 19 dataspace int32 | 23 lobds int32
//   27 rowset int64 | var 1 name
// sysiscols (55), min 20
//   0 idmajor int32 | 4 idminor int32 | 8 subid int32 | 12 status int32 | 16 intprop int32
//   20 tinyprop1 uint8 | 21 tinyprop2 uint8
// syshobtcolumns (13; SQL Server 2005 and its pre-release builds)
//   0 hobtid int64 | 8 hobtcolumnid int32 | 12 status int32 | 18 xtype uint8
//   19 length int16 | 23 collationid int32 | 27 offset int16 | 33 nullbit int16
// sysrowsetcolumns (4; SQL Server 2005 and its pre-release builds)
//   0 rowsetid int64 | 8 rowsetcolid int32 | 12 hobtcolid int32
// sysindexes (2, SQL Server 2000), at least 64 bytes; index records skipped
//   0 id int32 | 4 status int32 | 8 first (page int32, file int16) | 14 indid int16
//   16 root | 22 minlen int16 | 24 keycnt int16 | 26 groupid int16 | 28 dpages int32
//   32 reserved int32 | 36 used int32 | 40 rowcnt int64 | 64 FirstIAM (page, file)
// syscolumns (3, SQL Server 2000); index records skipped
//   0 id int32 | 4 xtype uint8 | 5 typestat uint8 (bit 0: NOT NULL) | 6 xusertype int16
//   8 length int16 | 10 xprec uint8 | 11 xscale uint8 | 12 colid int16 | 14 xoffset int16
//   16 bitpos uint8 | 17 reserved uint8 | 18 colstat int16 | 20 cdefault int32
//   24 domain int32 | 28 number int16 | 30 colorder int16 | 32 offset int16
//   34 collationid int32 (rows declaring 21 columns, 38 bytes or more) | var 1 name
//   The fixed part ends at 42, so the status byte that a longer row would hold
//   at 42 is absent from real rows; nullability is typestat bit 0.

#include <cstdint>
#include <map>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/system_row_pass.h"
#include "catalog/system_rows.h"
#include "engine/database_context.h"

namespace corvane {

inline constexpr std::int32_t kSysFiles1 = 8;
inline constexpr std::int32_t kSysClsObjs = 64;
inline constexpr std::int32_t kSysSchObjs = 34;
inline constexpr std::int32_t kSysObjects = 1;
inline constexpr std::int32_t kSysAllocUnits = 7;
inline constexpr std::int32_t kLegacyAllocUnits = 99;
inline constexpr std::int32_t kSysRowsets = 5;
inline constexpr std::int32_t kSysIndexes = 2;
inline constexpr std::int32_t kSysColumns = 3;
inline constexpr std::int32_t kSysColPars = 41;
inline constexpr std::int32_t kSysScalarTypes = 50;
inline constexpr std::int32_t kSysRsCols = 3;
inline constexpr std::int32_t kSysSingleObjRefs = 74;
inline constexpr std::int32_t kSysIdxStats = 54;
inline constexpr std::int32_t kSysIsCols = 55;
inline constexpr std::int32_t kSysHobtColumns = 13;
inline constexpr std::int32_t kSysRowsetColumns = 4;

// Invented names: "Repairname" or "RepairColumn" followed by the counter,
// which advances with every use.
std::string InventName(const char* stem, ReaderState& state);
// The name of an object or column row: variable column 1, else an invented
// name with `missingStem`; a stored name that is empty becomes "RepairColumn".
std::string RowName(const SystemRow& row, const char* missingStem, ReaderState& state);
// The row has a fixed part and is longer than `minimum` bytes.
bool Passes(const SystemRow& row, std::int32_t minimum);

void ReadFileRows(const DatabaseContext& context, std::vector<SecondaryFile>& files);
void ReadSchemaRows(const DatabaseContext& context, std::vector<SchemaRow>& schemas);
// sysschobjs, or sysobjects when `legacy`; names get their schema prefix.
void ReadObjectRows(const DatabaseContext& context, bool legacy,
                    const std::vector<SchemaRow>& schemas, ReaderState& state,
                    std::vector<ObjectRow>& objects);
void ReadAllocationUnitRows(const DatabaseContext& context, std::int32_t objectId,
                            std::vector<AllocationUnitRow>& units);
void ReadRowsetRows(const DatabaseContext& context, std::vector<RowsetRow>& rowsets);
void ReadColumnRows(const DatabaseContext& context, std::int32_t objectId, ReaderState& state,
                    std::vector<ColumnRow>& columns);
void ReadTypeRows(const DatabaseContext& context, std::vector<TypeRow>& types);
void ReadRowsetColumnRows(const DatabaseContext& context, std::vector<RowsetColumnRow>& rows);
void ReadObjectRefRows(const DatabaseContext& context, std::vector<ObjectRefRow>& refs);
void ReadIndexRows(const DatabaseContext& context, std::vector<IndexRow>& indexes);
void ReadIndexColumnRows(const DatabaseContext& context, std::vector<IndexColumnRow>& rows);
void ReadHobtColumnRows(const DatabaseContext& context, std::vector<HobtColumnRow>& rows);
void ReadRowsetColumnMapRows(const DatabaseContext& context,
                             std::vector<RowsetColumnMapRow>& rows);

// sysindexes: the clustered index rows (index id 1) into `clustered`, and the
// row of each table's heap or clustered index (index id 0 or 1: exactly one
// per table, with its row count) into `base`. A later row replaces an earlier.
void ReadLegacyIndexRows(const DatabaseContext& context,
                         std::map<std::int32_t, LegacyIndexEntry>& clustered,
                         std::map<std::int32_t, LegacyIndexEntry>& base);
void ReadLegacyColumnRows(const DatabaseContext& context, ReaderState& state,
                          std::vector<LegacyColumnRow>& columns);

}  // namespace corvane

#pragma once
// Builds the primary data file of a declared database.
//
// Layout of the file:
//   page 0              file header (type 15), one record
//   page 1, 1 + 8088k   PFS
//   page 2, 3, 6, 7     GAM, SGAM, differential and bulk-change maps (and every
//                       511232 pages after them)
//   page 9              boot page (type 13): version at 100, creating version at
//                       102, name at 148 (128 UTF-16 units, padded with 0x20
//                       bytes), database id at 408, compatibility level at 410,
//                       collation id at 488, first sysallocunits page at 612
//   next pages          the system tables (each with its IAM page), then the
//                       user tables in declaration order: data pages, index
//                       pages, IAM page; text-mix pages (type 3) and their IAM
//                       page for text, ntext and image values. Up to 8 pages
//                       of a unit come from mixed extents (IAM single-page
//                       slots), the rest from uniform extents (IAM bitmap);
//                       from format 852 on, user tables take uniform extents only.
// A secondary file has its own file header, PFS and GAM-style pages (no boot
// page) and the pages of the tables declared in it.
// From 2005 (format 611) on, page-header object ids are allocation-unit
// header ids (unit id >> 16); in SQL Server 2000 files (539) they are object
// ids, with index id 0 on data pages. No page carries torn bits or a
// checksum (flagBits 0).
//
// The same declaration always gives the same bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/mdfgen/declaration.h"
#include "tools/mdfgen/page_sink.h"

namespace corvane::mdfgen {

// Where one table went (user and system tables).
struct WrittenTable {
  std::string name;
  std::int32_t objectId = 0;
  std::int64_t rowsetId = 0;
  std::int64_t allocationUnitId = 0;
  std::int32_t headerObjectId = 0;  // object id in the headers of its pages
  std::uint16_t headerIndexId = 0;  // index id in the headers of its data pages
  std::uint16_t fileId = 1;         // the file holding its pages
  std::int32_t firstPage = 0;       // first data page (0: no rows)
  std::int32_t rootPage = 0;
  std::int32_t firstIamPage = 0;
  std::int64_t rowCount = 0;  // live rows (ghost and deleted rows not counted)
  std::int64_t dataPages = 0;
  // text, ntext and image values: their allocation unit (0: none) and its
  // first text-mix page (type 3).
  std::int64_t lobAllocationUnitId = 0;
  std::int32_t lobFirstPage = 0;
};

struct BuildResult {
  std::int64_t pageCount = 0;                     // of the primary file
  std::vector<std::int64_t> secondaryPageCounts;  // of the secondary files
  std::vector<WrittenTable> tables;               // declaration order
  std::vector<WrittenTable> systemTables;         // sysrscols, sysrowsets, ...
  std::vector<std::int32_t> moduleIds;            // declaration order
  const WrittenTable* Find(const std::string& name) const;
};

// Writes the primary file into `sink` and each declared secondary file into
// the sink at the same position of `secondaries`. False with `error` set when
// the declaration cannot be laid out or a value does not fit its column.
bool BuildDatabase(const Database& db, PageSink& sink, BuildResult& result, std::string& error,
                   const std::vector<PageSink*>& secondaries = {});

// The primary file in memory.
std::optional<std::vector<std::uint8_t>> BuildImage(const Database& db,
                                                    std::string* error = nullptr,
                                                    BuildResult* result = nullptr);
// Every file in memory: the primary first, then the secondary files.
std::optional<std::vector<std::vector<std::uint8_t>>> BuildImages(const Database& db,
                                                                  std::string* error = nullptr,
                                                                  BuildResult* result = nullptr);

// Writes the primary file to `path` in large chunks, the secondary files
// beside it under SecondaryFileName.
bool WriteDatabaseFile(const Database& db, const std::string& path, std::string& error,
                       BuildResult* result = nullptr);

// File name of a secondary file: the last part of its physical name with the
// extension .ndf ("D:\\old\\Sales_2.NDF" gives "Sales_2.ndf"), where readers
// look for it beside the primary file.
std::string SecondaryFileName(const SecondaryFileDecl& file);

// Boot page format version → compatibility level (80 for 539 ... 160 for 957).
int CompatibilityLevel(int version);

}  // namespace corvane::mdfgen

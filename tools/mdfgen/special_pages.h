#pragma once
// The boot page (page 9) and the file header page (page 0).
//
// Boot page: one record at offset 96, status 0, no column count; its fixed
// part is as long as the version's boot record (548 bytes for 539, 728 for
// 611, 1440 for 655/661, 1500 for 706/782, 1616 for 852 on). Page offsets:
//   100 version (uint16)           102 creating version (uint16)
//   148 name, 128 UTF-16 units; the rest of the field holds 0x20 bytes
//   408 database id (int16, 5)     410 compatibility level (int16)
//   488 collation id (int32)       612 first page of sysallocunits
//                                      (sysindexes for 539): page int32, file int16
//
// File header: one record (status 0x30) of 47 columns, 46 of them variable;
// column 5 and 13 hold the file size in pages, column 28 the database name.

#include <cstdint>
#include <string>

#include "tools/mdfgen/page_sink.h"

namespace corvane::mdfgen {

struct BootInfo {
  int version = 661;
  std::string name;
  std::int32_t collationId = 0;
  std::int32_t firstSystemPage = 0;
};

void WriteBootPage(PageSink& sink, const BootInfo& boot);
void WriteFileHeader(PageSink& sink, const std::string& name, std::int64_t pageCount,
                     std::uint16_t fileId = 1);

}  // namespace corvane::mdfgen

#pragma once
// The 96-byte header at the start of every 8192-byte page.
//
//  Offset Width      Field
//  ------ ---------- ------------------------------------------------------
//   0     uint8      headerVersion
//   1     uint8      type            (1 data, 2 index, 10 IAM, ...)
//   2     uint8      typeFlagBits    (0x80: page-compressed page)
//   3     uint8      level           (0 = leaf)
//   4     uint16     flagBits        (0x0100: torn bits saved in tornBits)
//   6     uint16     indexId
//   8     int32      prevPage.pageNumber
//  12     int16      prevPage.fileId
//  14     uint16     pminlen         (fixed part length of the records)
//  16     int32      nextPage.pageNumber
//  20     int16      nextPage.fileId
//  22     int16      slotCount
//  24     int32      objectId        (allocation unit's page-header id)
//  28     int16      freeCount
//  30     uint16     freeData
//  32     int32      pageNumber      (the page's own number)
//  36     int16      fileId          (the page's own file id)
//  38     uint16     reservedCount
//  40     uint32     lsn.file
//  44     uint32     lsn.block
//  48     int16      lsn.slot
//  50     uint16     xactReserved
//  52     uint32     xdesId.low
//  56     int16      xdesId.high
//  58     int16      ghostRecordCount
//  60     uint32     tornBits        (two saved bits per 512-byte sector)
//  64     32 bytes   not read
//
// Torn-page protection: before writing, SQL Server saves the low two bits of
// the last byte of sectors 1..15 in tornBits (bits 2k, 2k+1 for sector k) and
// overwrites them; a reader puts them back.

#include <cstdint>

#include "engine/page_id.h"

namespace corvane {

inline constexpr std::uint8_t kPageTypeData = 1;
inline constexpr std::uint8_t kPageTypeIndex = 2;
inline constexpr std::uint8_t kPageTypeTextMix = 3;
inline constexpr std::uint8_t kPageTypeTextTree = 4;
inline constexpr std::uint8_t kPageTypeIam = 10;
inline constexpr std::uint16_t kFlagTornBits = 0x0100;

// A page pointer as the header stores it: page number, then file id.
struct HeaderPagePointer {
  std::int32_t pageNumber = 0;
  std::int16_t fileId = 1;
};

// Parsed page header. A plain value; it keeps no reference to the page.
class CPage_Header {
 public:
  CPage_Header() = default;

  // Restores the torn bits of `page` (8192 bytes, modified in place) and
  // parses its header.
  static CPage_Header FromPage(std::uint8_t* page);
  // Parses the header without touching the page (no torn-bit restoration).
  static CPage_Header Parse(const std::uint8_t* page);

  std::uint8_t headerVersion = 0;
  std::int32_t type = 0;
  std::uint8_t typeFlagBits = 0;
  std::uint8_t level = 0;
  std::uint16_t flagBits = 0;
  std::uint16_t indexId = 0;
  HeaderPagePointer prevPage;
  std::uint16_t pminlen = 0;
  HeaderPagePointer nextPage;
  std::int16_t slotCount = 0;
  std::int32_t objectId = 0;
  std::int16_t freeCount = 0;
  std::uint16_t freeData = 0;
  std::int32_t pageNumber = 0;
  std::int16_t fileId = 1;
  std::uint16_t reservedCount = 0;
  std::uint32_t lsnFile = 0;
  std::uint32_t lsnBlock = 0;
  std::int16_t lsnSlot = 0;
  std::uint16_t xactReserved = 0;
  std::uint32_t xdesIdLow = 0;
  std::int16_t xdesIdHigh = 0;
  std::int16_t ghostRecordCount = 0;
  std::uint32_t tornBits = 0;
};

// Puts the saved torn bits back into sectors 1..15 when flagBits says so.
void RestoreTornBits(std::uint8_t* page);

}  // namespace corvane

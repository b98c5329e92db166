#include "engine/page_header.h"

#include "engine/bytes.h"

namespace corvane {

void RestoreTornBits(std::uint8_t* page) {
  const auto flag_bits = LoadLE<std::uint16_t>(page + 4);
  if ((flag_bits & kFlagTornBits) == 0) return;
  const auto torn_bits = LoadLE<std::uint32_t>(page + 60);
  // Sector 0 holds the header itself and is never torn-protected.
  for (int k = 1; k < 16; ++k) {
    std::uint8_t& last = page[512 * k + 511];
    last = static_cast<std::uint8_t>((last & 0xFC) | ((torn_bits >> (2 * k)) & 3));
  }
}

CPage_Header CPage_Header::Parse(const std::uint8_t* p) {
  CPage_Header h;
  h.headerVersion = p[0];
  h.type = p[1];
  h.typeFlagBits = p[2];
  h.level = p[3];
  h.flagBits = LoadLE<std::uint16_t>(p + 4);
  h.indexId = LoadLE<std::uint16_t>(p + 6);
  h.prevPage.pageNumber = LoadLE<std::int32_t>(p + 8);
  h.prevPage.fileId = LoadLE<std::int16_t>(p + 12);
  h.pminlen = LoadLE<std::uint16_t>(p + 14);
  h.nextPage.pageNumber = LoadLE<std::int32_t>(p + 16);
  h.nextPage.fileId = LoadLE<std::int16_t>(p + 20);
  h.slotCount = LoadLE<std::int16_t>(p + 22);
  h.objectId = LoadLE<std::int32_t>(p + 24);
  h.freeCount = LoadLE<std::int16_t>(p + 28);
  h.freeData = LoadLE<std::uint16_t>(p + 30);
  h.pageNumber = LoadLE<std::int32_t>(p + 32);
  h.fileId = LoadLE<std::int16_t>(p + 36);
  h.reservedCount = LoadLE<std::uint16_t>(p + 38);
  h.lsnFile = LoadLE<std::uint32_t>(p + 40);
  h.lsnBlock = LoadLE<std::uint32_t>(p + 44);
  h.lsnSlot = LoadLE<std::int16_t>(p + 48);
  h.xactReserved = LoadLE<std::uint16_t>(p + 50);
  h.xdesIdLow = LoadLE<std::uint32_t>(p + 52);
  h.xdesIdHigh = LoadLE<std::int16_t>(p + 56);
  h.ghostRecordCount = LoadLE<std::int16_t>(p + 58);
  h.tornBits = LoadLE<std::uint32_t>(p + 60);
  return h;
}

CPage_Header CPage_Header::FromPage(std::uint8_t* page) {
  RestoreTornBits(page);
  return Parse(page);
}

}  // namespace corvane

#pragma once
// Assembles one 8192-byte slotted page: the 96-byte header, records placed
// upwards from offset 96, the slot array (uint16 record offsets) growing
// down from the end. Header fields written (page offsets):
//
//   0 headerVersion 1        1 type               2 typeFlagBits   3 level
//   4 flagBits               6 indexId            8 prevPage (page, file)
//  14 pminlen               16 nextPage          22 slotCount     24 objectId
//  28 freeCount             30 freeData          32 pageNumber    36 fileId
//  40 lsn (file, block, slot)                    58 ghostRecordCount
//  60 tornBits (0)
//
// freeCount counts every byte no slotted record uses, so the bytes of records
// that no slot references any more count as free, as SQL Server counts them.

#include <array>
#include <cstdint>
#include <vector>

namespace corvane::mdfgen {

inline constexpr int kPageSize = 8192;
inline constexpr int kHeaderSize = 96;

inline constexpr std::uint8_t kTypeData = 1;
inline constexpr std::uint8_t kTypeIndex = 2;
inline constexpr std::uint8_t kTypeTextMix = 3;
inline constexpr std::uint8_t kTypeGam = 8;
inline constexpr std::uint8_t kTypeSgam = 9;
inline constexpr std::uint8_t kTypeIam = 10;
inline constexpr std::uint8_t kTypePfs = 11;
inline constexpr std::uint8_t kTypeBoot = 13;
inline constexpr std::uint8_t kTypeFileHeader = 15;
inline constexpr std::uint8_t kTypeDiffMap = 16;
inline constexpr std::uint8_t kTypeBulkMap = 17;

struct PageHeader {
  std::uint8_t type = kTypeData;
  std::uint8_t typeFlagBits = 0;
  std::uint8_t level = 0;
  std::uint16_t flagBits = 0;
  std::uint16_t indexId = 0;
  std::int32_t prevPage = 0;
  std::int32_t nextPage = 0;
  std::uint16_t pminlen = 0;
  std::int32_t objectId = 0;
  std::int32_t pageNumber = 0;
  std::uint16_t fileId = 1;
};

class PageBuilder {
 public:
  void Reset(const PageHeader& header);
  PageHeader& header() { return header_; }
  const PageHeader& header() const { return header_; }

  // Room for a record of `length` bytes plus its slot.
  bool Fits(std::size_t length) const;
  // Places a record; with `slotted` false the bytes stay in the record area
  // without a slot (a deleted record). Returns the slot number (or -1).
  int Add(const std::uint8_t* record, std::size_t length, bool slotted = true, bool ghost = false);
  int Add(const std::vector<std::uint8_t>& record, bool slotted = true, bool ghost = false) {
    return Add(record.data(), record.size(), slotted, ghost);
  }

  int slotCount() const { return static_cast<int>(slots_.size()); }
  int ghostCount() const { return ghosts_; }
  bool empty() const { return slots_.empty() && freeData_ == kHeaderSize; }
  // Bytes of the page used by slotted records and slots, 0..8096.
  int usedBytes() const { return used_ + 2 * slotCount(); }

  // Completes the page in the builder's own buffer, which stays valid until
  // the next Reset.
  const std::uint8_t* Finish();
  // The same, copied into `page` (8192 bytes).
  void Finish(std::uint8_t* page);

 private:
  PageHeader header_;
  std::array<std::uint8_t, 8192> page_{};
  std::vector<std::uint16_t> slots_;
  int freeData_ = kHeaderSize;
  int used_ = 0;
  int ghosts_ = 0;
};

}  // namespace corvane::mdfgen

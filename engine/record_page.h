#pragma once
// Slotted pages: the page object that owns an 8192-byte buffer, its parsed
// header and the records its slot array points to.
//
// Slot array: slotCount entries of uint16 at the end of the page; slot j lies
// at page offset 8190 - 2j and holds the offset of record j. A page has a slot
// array only when 0 < slotCount < 4000.
//
// A page owns its buffer; its records hold views into it and live exactly as
// long as the page. Pages are neither copied nor moved (records point at
// them): they travel as std::unique_ptr. One thread at a time.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "engine/page_header.h"
#include "engine/record.h"

namespace corvane {

class DatabaseContext;
using PageBuffer = std::vector<std::uint8_t>;

class CPage {
 public:
  // Takes the buffer (8192 bytes), restores its torn bits and parses the header.
  CPage(PageBuffer buffer, const DatabaseContext* context);
  virtual ~CPage() = default;
  CPage(const CPage&) = delete;
  CPage& operator=(const CPage&) = delete;

  const CPage_Header& header() const { return header_; }
  const DatabaseContext* context() const { return context_; }
  Bytes bytes() const { return Bytes(data_.data(), data_.size()); }

 protected:
  PageBuffer data_;
  CPage_Header header_;
  const DatabaseContext* context_;
};

class RecordPage : public CPage {
 public:
  using CPage::CPage;

  // The parsed slot array (empty when the page has none).
  const std::vector<std::uint16_t>& slots() const { return slots_; }

 protected:
  std::vector<std::uint16_t> slots_;
};

class PrimaryRecordPage : public RecordPage {
 public:
  // Parses every slot. The options come from the context's scan settings
  // when `options` is not given.
  PrimaryRecordPage(PageBuffer buffer, const DatabaseContext* context);
  PrimaryRecordPage(PageBuffer buffer, const DatabaseContext* context,
                    const RecordParseOptions& options);
  // Parses only slot `slot` (used to follow a forwarding stub).
  PrimaryRecordPage(PageBuffer buffer, const DatabaseContext* context,
                    const RecordParseOptions& options, int slot);

  // One entry per slot (or per record found by the deleted-record scan);
  // record(i) is null where a slot yields no record.
  std::size_t recordCount() const { return records_.size(); }
  const CPrimaryRecord* record(std::size_t i) const {
    return i < records_.size() && records_[i] ? &*records_[i] : nullptr;
  }
  // Releases record i (the catalog readers drop each row once copied).
  void ReleaseRecord(std::size_t i) {
    if (i < records_.size()) records_[i].reset();
  }
  // Record starts: the slot offsets followed by those of records that no slot
  // references (only with the advanced deleted-record scan).
  const std::vector<std::uint16_t>& foundStarts() const { return foundStarts_; }
  const RecordParseOptions& options() const { return options_; }

  // True when the page passes the cheap checks that come before any record
  // is read from it.
  bool PassesSanityCheck() const;

 private:
  void ReadSlotArray();
  void ScanForUnslottedRecords();
  void BuildRecords(int onlySlot);

  RecordParseOptions options_;
  std::vector<std::uint16_t> foundStarts_;
  // Records live in place (no allocation each); the vector is sized once, so
  // they never move while the page lives.
  std::vector<std::optional<CPrimaryRecord>> records_;
};

// A data page as the page readers return it.
class CDataPage : public PrimaryRecordPage {
 public:
  using PrimaryRecordPage::PrimaryRecordPage;
};

// Scan options of a context (defaults without one).
RecordParseOptions OptionsOf(const DatabaseContext* context);

}  // namespace corvane

#pragma once
// Records of slotted pages (uncompressed format).
//
//  Offset          Width                  Field
//  --------------- ---------------------- ---------------------------------------------
//   0              uint8                  status A: bit 0 compressed format, bits 1-3
//                                         record type, bit 4 null bitmap, bit 5 variable
//                                         columns, bit 6 versioning tag follows the record
//   1              uint8                  status B (bit 0: ghost forwarded)
//   2              uint16                 end of the fixed part (offset of column count)
//   4              end - 4 bytes          fixed-length column data
//   end            uint16                 column count
//   end + 2        ceil(count / 8) bytes  null bitmap (status A bit 4)
//   next           uint16                 variable column count (status A bit 5)
//   next           2 bytes per column     end offsets from the record start; bit 15
//                                         marks a complex column (text pointer,
//                                         row-overflow pointer, large-value root, sparse
//                                         vector)
//   next           ...                    variable column data, each value from the
//                                         previous end (the first from the byte after
//                                         the offset array) to its own end
//
// Record types: 0 primary, 1 forwarded, 2 forwarding stub, 3 index, 4 large-object
// fragment, 5 ghost index, 6 ghost data, 7 ghost version.
//
// Forwarding stub: byte 0 status A, bytes 1-4 page number, 5-6 file id, 7-8 slot
// of the forwarded record.
//
// Sparse column vector (a complex column): uint16 5, uint16 count n, n uint16
// column ids, n uint16 end offsets from the vector start, then the values.
//
// A CPrimaryRecord holds views into its page's buffer and must not outlive the
// page. A record reached through a forwarding stub owns a copy of the target
// record's bytes (the target page is gone once the stub is parsed).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/bytes.h"
#include "engine/small_vector.h"

namespace corvane {

class PrimaryRecordPage;

inline constexpr int kRecordPrimary = 0;
inline constexpr int kRecordForwarded = 1;
inline constexpr int kRecordForwardingStub = 2;
inline constexpr int kRecordIndex = 3;
inline constexpr int kRecordBlobFragment = 4;
inline constexpr int kRecordGhostData = 6;
inline constexpr std::uint16_t kMaxInRowRecord = 8060;

// What a parse needs to know of the scan options.
struct RecordParseOptions {
  bool showDeleted = false;
  bool showAdvancedDeleted = false;
  bool legacyLayout = false;
  bool followForwarding = true;  // off while parsing a forwarding target
  // Only the status bytes: enough to tell which records are rows (counting),
  // without cutting them into parts.
  bool statusOnly = false;
};

// One variable (or sparse) column value.
struct ColumnValue {
  std::int32_t columnId = -1;
  Bytes data;             // view; meaningful only when hasData
  bool hasData = false;
  std::int32_t length = 0;
  bool complex = false;   // bit 15 of the end offset was set
};

struct SparseVector {
  int count = 0;
  std::vector<ColumnValue> values;
};

class CRecord {
 public:
  virtual ~CRecord() = default;
};

class CPrimaryRecord : public CRecord {
 public:
  // Parses the record at `bytes` (the record's first byte up to the end of
  // the bytes available to it).
  CPrimaryRecord(Bytes bytes, const PrimaryRecordPage& page, const RecordParseOptions& options);
  // A copy would keep views into the original's own bytes; moving keeps them
  // valid (the owned buffer moves with the record).
  CPrimaryRecord(const CPrimaryRecord&) = delete;
  CPrimaryRecord& operator=(const CPrimaryRecord&) = delete;
  CPrimaryRecord(CPrimaryRecord&&) = default;
  CPrimaryRecord& operator=(CPrimaryRecord&&) = default;

  // Length of the record at `bytes` as the deleted-record scan probes it, or
  // -1 when it is rejected, compressed, a forwarding stub, or declares no
  // column count in 1..1023.
  static int ProbeLength(Bytes bytes, const PrimaryRecordPage& page,
                         const RecordParseOptions& options);

  // The common record has few variable columns: keep them in the record.
  SmallVector<std::uint16_t, 8> varEndOffsets;
  std::int32_t recordType = 0;
  bool hasNullBitmap = false;
  bool compressed = false;
  bool invalid = false;
  bool hasVarColumns = false;
  bool isGhost = false;
  std::optional<Bytes> fixedData;
  std::int16_t columnCount = 0;
  std::optional<Bytes> nullBitmap;
  std::int16_t varColumnCount = 0;
  SmallVector<ColumnValue, 8> varValues;
  Bytes rawCopy;                 // the record's bytes (a forwarded record's own copy)
  std::optional<SparseVector> sparseVector;
  const PrimaryRecordPage* page = nullptr;
  std::int32_t length = 0;
  std::uint16_t maxLength = 0;
  std::int16_t fixedLength = 0;
  bool hasVersionTag = false;
  bool statusBIsOne = false;
  std::uint8_t statusA = 0;
  // Set on a record reached through a forwarding stub: where the data lives.
  std::optional<std::uint32_t> forwardedFromPage;
  std::uint16_t forwardedFileId = 0;
  std::int16_t forwardedSlot = -1;

  // True when bit `index` (0-based) of the null bitmap is set.
  bool IsNullBit(int index) const;

 private:
  void ParseBody(Bytes bytes);
  void FollowStub(Bytes bytes, const RecordParseOptions& options);
  std::vector<std::uint8_t> ownedBytes_;  // forwarded record's copy
};

// Parses a sparse column vector; nullopt when `bytes` does not hold one.
std::optional<SparseVector> ParseSparseVector(Bytes bytes);

}  // namespace corvane

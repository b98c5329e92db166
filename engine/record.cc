#include "engine/record.h"

#include "engine/database_context.h"
#include "engine/record_page.h"

namespace corvane {
namespace {

constexpr int kMaxColumns = 1024;

bool AcceptedType(int type, bool showDeleted) {
  return type == kRecordPrimary || type == kRecordForwarded || type == kRecordForwardingStub ||
         (showDeleted && type == kRecordGhostData);
}

bool PageRejectsRecords(const PrimaryRecordPage& page) {
  return page.header().pageNumber < 0 || page.header().type > 17;
}

}  // namespace

std::optional<SparseVector> ParseSparseVector(Bytes v) {
  if (v.size() <= 4) return std::nullopt;
  const int n = v.ReadOr<std::uint16_t>(2, 0);
  const std::size_t ids = 4 + 2 * static_cast<std::size_t>(n);
  const std::size_t values = 4 + 4 * static_cast<std::size_t>(n);
  if (ids >= 8192 || values >= 8192 || ids >= v.size()) return std::nullopt;
  SparseVector sv;
  sv.count = n;
  std::size_t start = values;
  for (int i = 0; i < n; ++i) {
    ColumnValue cv;
    cv.columnId = v.ReadOr<std::uint16_t>(4 + 2 * i, 0);
    auto end = v.Read<std::uint16_t>(ids + 2 * i);
    if (end && start < *end && *end - start <= 8060 && start <= 8059 && *end <= v.size()) {
      cv.data = v.Sub(start, *end - start);
      cv.hasData = true;
      cv.length = static_cast<std::int32_t>(*end - start);
    }
    if (end) start = *end;
    sv.values.push_back(cv);
  }
  return sv;
}

bool CPrimaryRecord::IsNullBit(int index) const {
  if (!nullBitmap || index < 0) return false;
  const auto byte = static_cast<std::size_t>(index / 8);
  return byte < nullBitmap->size() && ((*nullBitmap)[byte] >> (index % 8)) & 1;
}

CPrimaryRecord::CPrimaryRecord(Bytes bytes, const PrimaryRecordPage& page,
                               const RecordParseOptions& options)
    : page(&page), maxLength(static_cast<std::uint16_t>(bytes.size())) {
  if (PageRejectsRecords(page) || bytes.empty()) {
    invalid = true;
    return;
  }
  statusA = bytes[0];
  recordType = (statusA >> 1) & 7;
  hasNullBitmap = statusA & 0x10;
  compressed = statusA & 0x01;
  hasVarColumns = statusA & 0x20;
  hasVersionTag = statusA & 0x40;
  isGhost = !options.showDeleted && recordType >= 5;
  if (!AcceptedType(recordType, options.showDeleted)) {
    invalid = true;
    return;
  }
  // Records in the compressed format are expanded by the compression reader;
  // until then they stay unexpanded here.
  if (compressed || options.statusOnly) return;
  if (recordType == kRecordForwardingStub) {
    FollowStub(bytes, options);
    return;
  }
  ParseBody(bytes);
}

void CPrimaryRecord::FollowStub(Bytes stub, const RecordParseOptions& options) {
  fixedLength = -5;
  // A target that is itself a stub is not followed again: a damaged file may
  // hold a cycle of stubs.
  const DatabaseContext* ctx = page->context();
  auto pageNumber = stub.Read<std::uint32_t>(1);
  auto fileId = stub.Read<std::uint16_t>(5);
  auto slot = stub.Read<std::int16_t>(7);
  if (!options.followForwarding || !ctx || !pageNumber || !fileId || !slot || *slot < 0) return;
  auto buffer = ctx->ReadPageBytes({*fileId, static_cast<std::int32_t>(*pageNumber)});
  if (!buffer) return;
  RecordParseOptions targetOptions = options;
  targetOptions.followForwarding = false;
  PrimaryRecordPage target(std::move(*buffer), ctx, targetOptions, *slot);
  const CPrimaryRecord* rec = target.record(0);
  if (!rec || rec->length < 1 || rec->rawCopy.empty()) return;
  ownedBytes_.assign(rec->rawCopy.data(), rec->rawCopy.data() + rec->rawCopy.size());
  forwardedFromPage = *pageNumber;
  forwardedFileId = *fileId;
  forwardedSlot = *slot;
  Bytes copy(ownedBytes_.data(), ownedBytes_.size());
  statusA = copy[0];
  hasNullBitmap = statusA & 0x10;
  hasVarColumns = statusA & 0x20;
  hasVersionTag = statusA & 0x40;
  maxLength = static_cast<std::uint16_t>(copy.size());
  ParseBody(copy);
  recordType = kRecordForwardingStub;
}

void CPrimaryRecord::ParseBody(Bytes r) {
  const std::size_t max = r.size();
  statusBIsOne = r.ReadOr<std::uint8_t>(1, 0) == 1;
  fixedLength = static_cast<std::int16_t>(r.ReadOr<std::uint16_t>(2, 0) - 4);
  std::size_t cursor = 4;
  // The fixed data must lie inside the bytes available to the record.
  if (fixedLength > 0 && fixedLength < kMaxInRowRecord && recordType != kRecordIndex &&
      4 + static_cast<std::size_t>(fixedLength) <= max) {
    fixedData = r.Sub(4, static_cast<std::size_t>(fixedLength));
    cursor += static_cast<std::size_t>(fixedLength);
  }
  if (recordType == kRecordIndex) return;
  auto count = r.Read<std::int16_t>(cursor);
  if (!count || *count <= 0 || *count >= kMaxColumns) {
    length = static_cast<std::int32_t>(cursor);
    return;
  }
  columnCount = *count;
  cursor += 2;
  if (hasNullBitmap) {
    const std::size_t n = (static_cast<std::size_t>(columnCount) + 7) / 8;
    if (!r.Fits(cursor, n)) {
      invalid = true;
      return;
    }
    nullBitmap = r.Sub(cursor, n);
    cursor += n;
  }
  if (hasVarColumns) {
    if (fixedData || hasNullBitmap) {
      if (auto v = r.Read<std::uint16_t>(cursor)) {
        varColumnCount = static_cast<std::int16_t>(*v);
        cursor += 2;
      }
    } else {
      varColumnCount = columnCount;
    }
    if (columnCount < varColumnCount) {
      varColumnCount = 0;
      cursor = 0;
    }
    if (varColumnCount > 0 && varColumnCount < kMaxColumns) {
      varEndOffsets.reserve(static_cast<std::size_t>(varColumnCount));
      for (int i = 0; i < varColumnCount; ++i) {
        auto raw = r.Read<std::uint16_t>(cursor);
        if (!raw) break;
        varEndOffsets.push_back(*raw);  // bit 15 is cleared below, once read
        cursor += 2;
      }
      varValues.reserve(varEndOffsets.size());
      for (std::size_t i = 0; i < varEndOffsets.size(); ++i) {
        const std::size_t start = cursor;
        ColumnValue cv;
        cv.complex = varEndOffsets[i] & 0x8000;
        varEndOffsets[i] &= 0x7FFF;
        const std::size_t end = varEndOffsets[i];
        if (end >= start && end <= max && end < 8192 && start != end && start > 0 &&
            start <= 8191) {
          cv.data = r.Sub(start, end - start);
          cv.hasData = true;
          cv.length = static_cast<std::int32_t>(end - start);
          cursor = end;
          if (cv.complex && cv.length != 16) {
            const bool sparseTag =
                cv.data[0] == 5 || (cv.data[0] == 0 && cv.data.ReadOr<std::uint16_t>(0, 0) == 5);
            if (sparseTag) {
              if (auto sv = ParseSparseVector(cv.data)) sparseVector = std::move(*sv);
            }
          }
        }
        varValues.push_back(cv);
      }
    }
  }
  length = static_cast<std::int32_t>(cursor);
  if (length > 0 && static_cast<std::size_t>(length) <= max) rawCopy = r.Sub(0, cursor);
}

int CPrimaryRecord::ProbeLength(Bytes r, const PrimaryRecordPage& page,
                                const RecordParseOptions& options) {
  if (r.empty() || (r[0] & 1) || ((r[0] >> 1) & 7) == kRecordForwardingStub) return -1;
  // The parse takes views only, so probing is parsing and keeping nothing.
  RecordParseOptions probe = options;
  probe.statusOnly = false;
  const CPrimaryRecord rec(r, page, probe);
  if (rec.invalid || rec.columnCount < 1 || rec.columnCount >= kMaxColumns) return -1;
  return rec.length;
}

}  // namespace corvane

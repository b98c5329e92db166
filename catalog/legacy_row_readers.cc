// Readers of the SQL Server 2000 tables sysindexes and syscolumns. Byte
// layouts: catalog/row_readers.h.

#include "catalog/row_readers.h"

namespace corvane {
namespace {

constexpr std::int32_t kSysIndexesMinimum = 64;
constexpr int kLegacyColumnFields = 21;  // columns a full syscolumns row declares

}  // namespace

void ReadLegacyIndexRows(const DatabaseContext& context,
                         std::map<std::int32_t, LegacyIndexEntry>& clustered,
                         std::map<std::int32_t, LegacyIndexEntry>& base) {
  ForEachSystemRow(context, kSysIndexes, kNoIndexRecords, [&](const SystemRow& row) {
    if (!row.hasFixed() || row.length() < kSysIndexesMinimum) return;
    LegacyIndexEntry e;
    e.objectId = row.Field<std::int32_t>(0, e.objectId);
    e.fileId = static_cast<std::uint16_t>(row.page.fileId);
    e.indexId = row.Field<std::int16_t>(14, e.indexId);
    e.firstPage = row.Field<std::int32_t>(8, e.firstPage);
    e.firstIamPage = row.Field<std::int32_t>(64, e.firstIamPage);
    e.rowCount = row.Field<std::int64_t>(40, e.rowCount);
    if (e.indexId == 1) clustered[e.objectId] = e;
    if (e.indexId == 0 || e.indexId == 1) base[e.objectId] = e;
  });
}

void ReadLegacyColumnRows(const DatabaseContext& context, ReaderState& state,
                          std::vector<LegacyColumnRow>& columns) {
  ForEachSystemRow(context, kSysColumns, kNoIndexRecords, [&](const SystemRow& row) {
    LegacyColumnRow c;
    if (row.hasFixed()) {
      c.objectId = row.Field<std::int32_t>(0, c.objectId);
      c.typeId = row.Field<std::uint8_t>(4, c.typeId);
      c.typeStatus = row.Field<std::uint8_t>(5, c.typeStatus);
      c.userTypeId = row.Field<std::int16_t>(6, c.userTypeId);
      c.maxLength = row.Field<std::int16_t>(8, c.maxLength);
      c.precision = row.Field<std::uint8_t>(10, c.precision);
      c.scale = row.Field<std::uint8_t>(11, c.scale);
      c.columnId = row.Field<std::int16_t>(12, c.columnId);
      c.leafOffset = row.Field<std::int16_t>(14, c.leafOffset);
      c.bitPosition = row.Field<std::uint8_t>(16, c.bitPosition);
      c.reserved = row.Field<std::uint8_t>(17, c.reserved);
      c.columnStatus = row.Field<std::int16_t>(18, c.columnStatus);
      c.defaultId = row.Field<std::int16_t>(20, c.defaultId);
      c.domain = row.Field<std::int32_t>(24, c.domain);
      c.number = row.Field<std::int16_t>(28, c.number);
      c.columnOrder = row.Field<std::int16_t>(30, c.columnOrder);
      c.storedOffset = row.Field<std::int16_t>(32, c.storedOffset);
      if (row.record.columnCount >= kLegacyColumnFields) {
        if (row.length() >= 38) c.collationId = row.Field<std::int32_t>(34, c.collationId);
        if (row.length() >= 43) c.status = row.Field<std::uint8_t>(42, c.status);
      }
    }
    c.name = RowName(row, "RepairColumn", state);
    columns.push_back(std::move(c));
  });
}

}  // namespace corvane

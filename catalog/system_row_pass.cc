#include "catalog/system_row_pass.h"

#include <algorithm>

#include "engine/utf16.h"

namespace corvane {

std::optional<Bytes> SystemRow::Variable(std::size_t n) const {
  if (n == 0 || n > record.varValues.size()) return std::nullopt;
  const ColumnValue& v = record.varValues[n - 1];
  if (!v.hasData) return std::nullopt;
  return v.data;
}

std::optional<std::string> SystemRow::Text(std::size_t n) const {
  auto bytes = Variable(n);
  if (!bytes) return std::nullopt;
  return Utf16LeToUtf8(bytes->data(), bytes->size(), /*stopAtNul=*/true);
}

void ForEachSystemRow(const DatabaseContext& context, std::int32_t objectId,
                      const RowPassOptions& options,
                      const std::function<void(const SystemRow&)>& visit) {
  if (context.systemPages().empty()) return;
  for (const PageEntry& entry : PageIndex::Lookup(context.systemPages(), objectId)) {
    if (entry.pageType != kPageTypeData) continue;
    auto page = context.ReadDataPage(entry.id());
    if (!page || page->header().type != kPageTypeData) continue;
    const std::size_t slotCount =
        static_cast<std::size_t>(std::max<std::int16_t>(page->header().slotCount, 0));
    const std::size_t count = std::min(slotCount, page->recordCount());
    for (std::size_t i = 0; i < count; ++i) {
      const CPrimaryRecord* record = page->record(i);
      if (!record) continue;
      const bool skipped = record->recordType == kRecordBlobFragment ||
                           (options.skipIndexRecords && record->recordType == kRecordIndex);
      if (!skipped) {
        const SystemRow row{*record, page->header(), record->fixedData.value_or(Bytes())};
        visit(row);
      }
      page->ReleaseRecord(i);
    }
  }
}

}  // namespace corvane

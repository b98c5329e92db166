#include "tools/mdfgen/rowset_writer.h"

#include <algorithm>
#include <cstring>

namespace corvane::mdfgen {
namespace {

std::uint8_t PfsFlags(const PageBuilder& page, bool heap) {
  std::uint8_t flags = page.ghostCount() > 0 ? kPfsGhosts : 0;
  if (heap) flags |= PageAllocator::Fullness(page.usedBytes());
  return flags;
}

}  // namespace

RowsetWriter::RowsetWriter(UnitWriter& unit, const RecordLayout& layout,
                           std::vector<int> keyColumns)
    : unit_(unit), layout_(layout), keys_(std::move(keyColumns)) {}

void RowsetWriter::NextPage() {
  const std::int32_t next = unit_.NewPage();
  std::int32_t prev = 0;
  if (pageOpen_) {
    prev = page_.header().pageNumber;
    FlushPage(next);
  } else if (firstPage_ == 0) {
    firstPage_ = next;
  }
  PageHeader h = unit_.Header(kTypeData, next);
  h.pminlen = static_cast<std::uint16_t>(layout_.fixedEnd());
  h.prevPage = heap() ? 0 : prev;
  page_.Reset(h);
  pageOpen_ = true;
}

void RowsetWriter::FlushPage(std::int32_t nextPage) {
  page_.header().nextPage = heap() ? 0 : nextPage;
  const std::uint8_t flags = PfsFlags(page_, heap());
  if (holdCurrent_) {
    page_.Finish(heldPages_[page_.header().pageNumber].data());
    heldFlags_[page_.header().pageNumber] = flags;
    holdCurrent_ = false;
  } else {
    unit_.Write(page_.header().pageNumber, page_.Finish(), flags, true);
  }
  pageOpen_ = false;
}

bool RowsetWriter::AddRow(const std::vector<Value>& values, RowState state, std::string& error) {
  RecordLayout::Extra extra;
  if (state == RowState::kGhost || state == RowState::kDeleted) extra.recordType = kRecordGhostData;
  if (!layout_.Encode(values, extra, record_, error)) return false;
  const std::vector<std::uint8_t>* bytes = &record_;
  std::vector<std::uint8_t> stub;
  if (state == RowState::kForwarded) {
    if (!heap()) {
      error = "only heap rows can be forwarded";
      return false;
    }
    stub = ForwardingStub(unit_.fileId(), 0, 0);
    bytes = &stub;
  }
  if (!pageOpen_ || !page_.Fits(bytes->size())) {
    NextPage();
    if (!heap()) {
      if (!layout_.EncodeIndexRecord(values, keys_, unit_.fileId(), page_.header().pageNumber,
                                     indexRecord_, error))
        return false;
      childRecords_.push_back(indexRecord_);
    }
  }
  const int slot = page_.Add(*bytes, state != RowState::kDeleted, state == RowState::kGhost);
  if (state == RowState::kForwarded) {
    forwards_.push_back({values, page_.header().pageNumber, static_cast<std::uint16_t>(slot)});
    holdCurrent_ = true;
  }
  if (state == RowState::kLive || state == RowState::kForwarded) ++liveRows_;
  maxRecord_ = std::max<std::int64_t>(maxRecord_, static_cast<std::int64_t>(record_.size()));
  return true;
}

bool RowsetWriter::WriteForwarded(std::string& error) {
  // Forwarded records go to pages after every other row.
  if (pageOpen_) FlushPage(0);
  for (const Forward& f : forwards_) {
    auto back = BackPointer(unit_.fileId(), f.stubPage, f.stubSlot);
    RecordLayout::Extra extra;
    extra.recordType = kRecordForwarded;
    extra.backPointer = back.data();
    if (!layout_.Encode(f.values, extra, record_, error)) return false;
    if (!pageOpen_ || !page_.Fits(record_.size())) NextPage();
    const int slot = page_.Add(record_);
    auto& held = heldPages_.at(f.stubPage);
    std::uint16_t offset;
    std::memcpy(&offset, held.data() + kPageSize - 2 - 2 * f.stubSlot, 2);
    const std::int32_t target = page_.header().pageNumber;
    const auto targetSlot = static_cast<std::uint16_t>(slot);
    std::memcpy(held.data() + offset + 1, &target, 4);
    std::memcpy(held.data() + offset + 7, &targetSlot, 2);
  }
  if (pageOpen_) FlushPage(0);
  for (const auto& [page, bytes] : heldPages_)
    unit_.Write(page, bytes.data(), heldFlags_[page], true);
  return true;
}

bool RowsetWriter::WriteIndexLevels(UnitPages& result, std::string& error) {
  const int fixedEnd = layout_.IndexFixedEnd(keys_);
  std::vector<std::vector<std::uint8_t>> level = std::move(childRecords_);
  for (std::uint8_t depth = 1; level.size() > 1; ++depth) {
    if (depth > 20) {
      error = "index too deep";
      return false;
    }
    std::vector<std::vector<std::uint8_t>> above;
    PageBuilder page;
    bool open = false;
    auto start = [&](std::int32_t prev) {
      const std::int32_t number = unit_.NewPage();
      PageHeader h = unit_.Header(kTypeIndex, number);
      h.level = depth;
      h.pminlen = static_cast<std::uint16_t>(fixedEnd);
      h.prevPage = prev;
      page.Reset(h);
      open = true;
    };
    for (auto& record : level) {
      if (open && !page.Fits(record.size())) {
        const std::int32_t current = page.header().pageNumber;
        const std::int32_t next = unit_.NewPage();
        page.header().nextPage = next;
        unit_.Write(current, page.Finish(), 0, false);
        PageHeader h = unit_.Header(kTypeIndex, next);
        h.level = depth;
        h.pminlen = static_cast<std::uint16_t>(fixedEnd);
        h.prevPage = current;
        page.Reset(h);
      } else if (!open) {
        start(0);
      }
      if (page.slotCount() == 0) {
        above.push_back(record);
        const std::int32_t number = page.header().pageNumber;
        std::memcpy(above.back().data() + fixedEnd - 6, &number, 4);
      }
      page.Add(record);
    }
    unit_.Write(page.header().pageNumber, page.Finish(), 0, false);
    if (above.size() == 1) result.rootPage = page.header().pageNumber;
    level = std::move(above);
  }
  return true;
}

bool RowsetWriter::Finish(UnitPages& result, std::string& error) {
  if (!forwards_.empty() || !heldPages_.empty() || holdCurrent_) {
    if (!WriteForwarded(error)) return false;
  } else if (pageOpen_) {
    FlushPage(0);
  }
  result.firstPage = firstPage_;
  result.rootPage = firstPage_;
  if (!heap() && childRecords_.size() > 1 && !WriteIndexLevels(result, error)) return false;
  unit_.Finish(result);
  return true;
}

}  // namespace corvane::mdfgen

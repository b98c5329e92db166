#include "engine/record_page.h"

#include "engine/database_context.h"

namespace corvane {
namespace {

constexpr std::uint16_t kRecordAreaStart = 96;
constexpr int kMaxSlots = 4000;
// Offsets up to which the deleted-record scan looks for a record start: four
// pattern bytes must still fit in the page.
constexpr std::size_t kLastPatternOffset = 8188;

// A record start: status A of a primary or ghost data record with a null
// bitmap (0x10, 0x1C) and perhaps variable columns (0x30, 0x3C), status B 0,
// and the fixed part ending where every record of this page ends it (the
// header's pminlen), or at 132 (0x84).
bool IsStartPattern(const std::uint8_t* p, std::uint16_t pminlen) {
  const bool status = p[0] == 0x10 || p[0] == 0x1C || p[0] == 0x30 || p[0] == 0x3C;
  const std::uint16_t end = LoadLE<std::uint16_t>(p + 2);
  return status && p[1] == 0x00 && (end == 0x84 || (pminlen >= 4 && end == pminlen));
}

}  // namespace

RecordParseOptions OptionsOf(const DatabaseContext* context) {
  RecordParseOptions o;
  if (context) {
    const AppState& app = context->app();
    o.showDeleted = app.showDeleted.load();
    o.showAdvancedDeleted = app.showAdvancedDeleted.load();
    o.legacyLayout = app.legacyLayout.load();
  }
  return o;
}

CPage::CPage(PageBuffer buffer, const DatabaseContext* context)
    : data_(std::move(buffer)), context_(context) {
  if (data_.size() < kPageSize) data_.resize(kPageSize, 0);
  header_ = CPage_Header::FromPage(data_.data());
}

PrimaryRecordPage::PrimaryRecordPage(PageBuffer buffer, const DatabaseContext* context)
    : PrimaryRecordPage(std::move(buffer), context, OptionsOf(context)) {}

PrimaryRecordPage::PrimaryRecordPage(PageBuffer buffer, const DatabaseContext* context,
                                     const RecordParseOptions& options)
    : PrimaryRecordPage(std::move(buffer), context, options, -1) {}

PrimaryRecordPage::PrimaryRecordPage(PageBuffer buffer, const DatabaseContext* context,
                                     const RecordParseOptions& options, int onlySlot)
    : RecordPage(std::move(buffer), context), options_(options) {
  ReadSlotArray();
  if (!PassesSanityCheck()) return;
  if (onlySlot < 0 && options_.showDeleted && options_.showAdvancedDeleted) {
    ScanForUnslottedRecords();
  }
  BuildRecords(onlySlot);
}

void PrimaryRecordPage::ReadSlotArray() {
  const int n = header_.slotCount;
  if (n <= 0 || n >= kMaxSlots) return;
  slots_.resize(static_cast<std::size_t>(n));
  for (int j = 0; j < n; ++j) slots_[j] = LoadLE<std::uint16_t>(data_.data() + 8190 - 2 * j);
}

bool PrimaryRecordPage::PassesSanityCheck() const {
  const CPage_Header& h = header_;
  if (h.slotCount > 8192 || slots_.empty()) return false;
  return h.ghostRecordCount >= 0 && h.freeCount >= 0 && h.nextPage.fileId >= 0 &&
         h.nextPage.pageNumber >= 0 && h.fileId >= 0 && h.pageNumber >= 0 &&
         h.prevPage.fileId >= 0 && h.prevPage.pageNumber >= 0;
}

void PrimaryRecordPage::BuildRecords(int onlySlot) {
  const bool indexAboveLeaf = header_.type == kPageTypeIndex && header_.level != 0;
  const bool allGhosts = header_.ghostRecordCount >= static_cast<int>(slots_.size()) &&
                         !options_.showDeleted;
  auto parseAt = [&](std::uint16_t b) {
    records_.emplace_back();
    if (indexAboveLeaf || allGhosts || b < kRecordAreaStart || b > kPageSize - 1) return;
    records_.back().emplace(Bytes(data_.data() + b, kPageSize - b), *this, options_);
  };
  if (onlySlot >= 0) {
    // A forwarding target: the slot must exist and hold a plausible offset.
    if (onlySlot < static_cast<int>(slots_.size()) && slots_[onlySlot] >= 1 &&
        slots_[onlySlot] <= 8096) {
      records_.reserve(1);
      parseAt(slots_[onlySlot]);
    }
    return;
  }
  records_.reserve(slots_.size());
  for (std::uint16_t b : slots_) parseAt(b);
}

void PrimaryRecordPage::ScanForUnslottedRecords() {
  foundStarts_ = slots_;
  const std::vector<std::uint16_t> slotted = slots_;
  auto isSlotted = [&](std::size_t a) {
    for (auto s : slotted)
      if (s == a) return true;
    return false;
  };
  auto search = [&](std::size_t from) -> std::optional<std::size_t> {
    for (std::size_t o = from; o <= kLastPatternOffset; ++o)
      if (IsStartPattern(data_.data() + o, header_.pminlen)) return o;
    return std::nullopt;
  };
  const std::atomic<bool>* stop = context_ ? &context_->app().stopRequested : nullptr;
  std::size_t a = kRecordAreaStart;
  std::size_t last = 0;
  while (!(stop && stop->load())) {
    // Probes read at most a maximal in-row record, and never past the page.
    const std::size_t avail = std::min<std::size_t>(kMaxInRowRecord, kPageSize - a);
    const int len = CPrimaryRecord::ProbeLength(Bytes(data_.data() + a, avail), *this, options_);
    std::size_t from = a;
    if (len >= 1) {
      const std::size_t next = a + static_cast<std::size_t>(len);
      if (!isSlotted(a)) foundStarts_.push_back(static_cast<std::uint16_t>(a));
      if (next > kLastPatternOffset) break;
      if (IsStartPattern(data_.data() + next, header_.pminlen)) {
        a = next;
        continue;
      }
      from = next;
    }
    if (from == last) from = last + 1;
    auto hit = search(from);
    if (!hit) break;
    last = a = *hit;
  }
  slots_ = foundStarts_;
  header_.slotCount = static_cast<std::int16_t>(slots_.size());
}

}  // namespace corvane

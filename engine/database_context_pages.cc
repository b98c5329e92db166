// The page readers of DatabaseContext that build page objects.

#include "engine/allocation_map.h"
#include "engine/boot_page.h"
#include "engine/database_context.h"
#include "engine/record_page.h"

namespace corvane {

std::unique_ptr<CDataPage> DatabaseContext::ReadDataPage(PageId id) const {
  auto bytes = ReadPage(id, 0);
  if (!bytes) return nullptr;
  return std::make_unique<CDataPage>(std::move(*bytes), this);
}

std::unique_ptr<CDataPage> DatabaseContext::ReadTableDataPage(PageId id) const {
  return ReadTableDataPage(id, OptionsOf(this));
}

std::unique_ptr<CDataPage> DatabaseContext::ReadTableDataPage(
    PageId id, const RecordParseOptions& options) const {
  auto bytes = ReadPage(id, 1);
  if (!bytes) return nullptr;
  return std::make_unique<CDataPage>(std::move(*bytes), this, options);
}

std::unique_ptr<IamPage> DatabaseContext::ReadIamPage(PageId id) const {
  auto bytes = ReadPage(id, 1);
  if (!bytes) return nullptr;
  return std::make_unique<IamPage>(std::move(*bytes), this);
}

bool DatabaseContext::ReadBootPage() {
  databaseName_.clear();
  // A file whose pages are all shifted by a constant d (the page at position
  // p carries number p + d) has its boot page at position 9 - d. The shift is
  // measured on the first page of sysallocunits (7), else of syscolpars (41).
  std::int64_t shift = 0;
  const PageList* ref = &PageIndex::Lookup(index_.systemPages, 7);
  if (ref->empty()) ref = &PageIndex::Lookup(index_.systemPages, 41);
  if (!ref->empty()) {
    if (auto h = ReadPageHeader(ref->front().id()))
      shift = static_cast<std::int64_t>(h->pageNumber) - ref->front().pageNumber;
  }
  const std::int64_t boot = kBootPageNumber - shift;
  if (boot <= 0 || boot >= static_cast<std::int64_t>(pageCount_)) return false;
  auto bytes = ReadPage({kPrimaryFileId, static_cast<std::int32_t>(boot)}, 0);
  if (!bytes) return false;
  CBootPage page(std::move(*bytes), this);
  databaseName_ = page.name();
  bootVersion_ = page.version();
  bootCollationId_ = page.collationId();
  page.Publish(app_);
  return true;
}

}  // namespace corvane

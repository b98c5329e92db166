#include "engine/pfs_page.h"

#include "engine/database_context.h"

namespace corvane {
namespace {

constexpr std::size_t kPfsBytesOffset = 100;

}  // namespace

std::optional<std::uint8_t> PageAllocationStatus::PfsByte(PageId page) {
  if (page.pageNumber < 0) return std::nullopt;
  const std::int32_t interval = page.pageNumber / kPfsInterval;
  const PageId pfs{page.fileId, interval == 0 ? 1 : interval * kPfsInterval};
  auto it = pfsPages_.find(pfs);
  if (it == pfsPages_.end()) {
    auto bytes = context_.ReadPageBytes(pfs);
    it = pfsPages_.emplace(pfs, bytes ? std::move(*bytes) : std::vector<std::uint8_t>()).first;
  }
  const std::vector<std::uint8_t>& bytes = it->second;
  // A PFS page is type 11; anything else there (an unformatted or damaged
  // page) tells nothing.
  if (bytes.size() < kPageSize || bytes[1] != 11) return std::nullopt;
  return bytes[kPfsBytesOffset + static_cast<std::size_t>(page.pageNumber % kPfsInterval)];
}

bool PageAllocationStatus::IsAllocated(PageId page) {
  auto b = PfsByte(page);
  return !b || (*b & kPfsAllocated);
}

}  // namespace corvane

#include "engine/page_walk.h"

#include <cmath>
#include <vector>

#include "engine/bytes.h"
#include "engine/page_id.h"

namespace corvane {
namespace {

// Pages per sequential read: 1 MiB keeps system calls few without holding
// much memory.
constexpr std::uint64_t kBlockPages = 128;

// Calls visit(n, page) for n = first .. last-1, page n read at
// base + n * 8192; a short read leaves zeros. Stops when visit returns false.
template <typename Visit>
void ForEachPage(const ReadOnlyFile& file, std::uint64_t base, std::uint64_t first,
                 std::uint64_t last, Visit&& visit) {
  std::vector<std::uint8_t> block(kBlockPages * kPageSize);
  for (std::uint64_t n = first; n < last;) {
    const std::uint64_t count = std::min(kBlockPages, last - n);
    file.ReadAt(base + n * kPageSize, block.data(), count * kPageSize);
    for (std::uint64_t i = 0; i < count; ++i, ++n) {
      if (!visit(n, block.data() + i * kPageSize)) return;
    }
  }
}

constexpr std::int32_t kSecondarySystemIds[] = {3, 4, 5, 7, 8, 13, 34, 41, 50, 54, 55, 60, 74};

bool IsSystemIndexId(std::uint16_t indexId) { return indexId < 256; }

bool IsSecondarySystemId(std::int32_t id) {
  for (auto s : kSecondarySystemIds)
    if (s == id) return true;
  return false;
}

}  // namespace

std::uint64_t ProgressStep(std::uint64_t pageCount) {
  auto step = static_cast<std::uint64_t>(std::ceil(static_cast<double>(pageCount) / 100.0));
  return step < 1 ? 1 : step;
}

bool CheckBaseOffset(const ReadOnlyFile& file, const FileGeometry& g, AppState& app,
                     EngineObserver& observer) {
  const std::uint64_t first = g.pageCount > 8 ? 8 : g.pageCount / 4;
  const std::uint64_t step = ProgressStep(g.pageCount);
  observer.StatusText("Checking for file corruption ...........");
  observer.ProgressRange(g.pageCount);
  observer.ProgressPosition(0);

  auto scan = [&](std::uint64_t base, bool pollStop) {
    bool found = false;
    ForEachPage(file, base, first, g.pageCount, [&](std::uint64_t n, const std::uint8_t* page) {
      if (pollStop && app.stopRequested.load()) return false;
      if (LoadLE<std::int32_t>(page + 32) == static_cast<std::int64_t>(n)) {
        found = true;
        return false;
      }
      if (n % step == 0) observer.ProgressPosition(n);
      return true;
    });
    return found;
  };

  bool keep = true;
  if (!scan(g.baseOffset, true) && g.baseOffset != 0) {
    // Phase 2: do the pages line up when counted from byte 0 instead?
    if (scan(0, false)) keep = false;
  }
  observer.ProgressPosition(g.pageCount);
  observer.StatusText("Checking for file corruption is done...........");
  return keep;
}

bool WalkPrimaryPages(const ReadOnlyFile& file, const FileGeometry& g, AppState& app,
                      EngineObserver& observer, PageIndex& index) {
  index.systemPages.clear();
  index.dataPages.clear();
  observer.ProgressRange(g.pageCount);
  observer.ProgressPosition(0);
  observer.StatusText("Mapping Database Objects...........");

  const std::uint64_t step = ProgressStep(g.pageCount);
  std::uint64_t systemCount = 0;
  ForEachPage(file, g.baseOffset, 0, g.pageCount, [&](std::uint64_t n, const std::uint8_t* page) {
    if (app.stopRequested.load()) return false;
    const auto objectId = LoadLE<std::int32_t>(page + 24);
    const auto fileId = LoadLE<std::uint16_t>(page + 36);
    const std::int32_t type = page[1];
    const auto indexId = LoadLE<std::uint16_t>(page + 6);
    const auto pos = static_cast<std::int32_t>(n);
    // The walk compares object ids as unsigned numbers: a negative id is not a
    // system object. Nor is a page whose index id is 256 or more: that is a
    // user allocation unit (id >= 2^56) whose bits 16..47 happen to be small.
    if ((static_cast<std::uint32_t>(objectId) <= 100 || objectId == kSysColParsExtraObjectId) &&
        IsSystemIndexId(indexId)) {
      index.systemPages[objectId].push_back({fileId, pos, type, indexId});
      ++systemCount;
    }
    if (objectId != 0) {
      if (type == 1) index.dataPages[objectId].push_back({fileId, pos, 1, indexId});
      else if (type == 10) index.iamPages[objectId].push_back({fileId, pos, 10, indexId});
    }
    if ((n + 1) % step == 0) observer.ProgressPosition(n + 1);
    return true;
  });
  observer.ProgressPosition(g.pageCount);
  observer.StatusText("Mapping of Database Objects has been done ......................");
  return systemCount > 0;
}

int WalkSecondaryPages(const ReadOnlyFile& file, const FileGeometry& g, int fixedFileId,
                       AppState& app, EngineObserver& observer, PageIndex& index) {
  const std::uint64_t step = ProgressStep(g.pageCount);
  int foundId = 0;
  ForEachPage(file, g.baseOffset, 0, g.pageCount, [&](std::uint64_t n, const std::uint8_t* page) {
    if (app.stopRequested.load()) return false;
    const auto objectId = LoadLE<std::int32_t>(page + 24);
    const auto headerFileId = LoadLE<std::uint16_t>(page + 36);
    const std::int32_t type = page[1];
    const auto indexId = LoadLE<std::uint16_t>(page + 6);
    const auto fileId = static_cast<std::uint16_t>(fixedFileId > 0 ? fixedFileId : headerFileId);
    const auto pos = static_cast<std::int32_t>(n);
    if (IsSecondarySystemId(objectId) && IsSystemIndexId(indexId))
      index.systemPages[objectId].push_back({fileId, pos, type, indexId});
    if (objectId > 0 && type == 1) {
      index.dataPages[objectId].push_back({fileId, pos, 1, indexId});
      if (foundId == 0 && headerFileId > 1) foundId = headerFileId;
    }
    if ((n + 1) % step == 0) observer.ProgressPosition(n + 1);
    return true;
  });
  observer.ProgressPosition(g.pageCount);
  return foundId;
}

}  // namespace corvane

#include "tools/mdfgen/allocator.h"

#include <algorithm>

#include "tools/mdfgen/page_builder.h"

namespace corvane::mdfgen {
namespace {

constexpr int kExtentsPerMap = 63904;
constexpr int kMapBitmapBytes = kExtentsPerMap / 8;  // 7988
constexpr std::uint8_t kPfsFixedPage = 0x44;         // allocated, 100 % full
constexpr std::uint8_t kObjectAllocationPages = 99;

// The two records of a GAM-style page: a 90-byte header and the bitmap.
void WriteMapPage(PageSink& sink, std::uint16_t fileId, std::uint8_t type, std::int64_t page,
                  const std::vector<std::uint8_t>& bitmap) {
  PageBuilder b;
  PageHeader h;
  h.type = type;
  h.objectId = kObjectAllocationPages;
  h.pageNumber = static_cast<std::int32_t>(page);
  h.fileId = fileId;
  h.pminlen = 90;
  b.Reset(h);
  std::vector<std::uint8_t> header(4 + 90, 0);
  header[2] = 4 + 90;
  b.Add(header);
  std::vector<std::uint8_t> map(4, 0);
  map[2] = static_cast<std::uint8_t>((4 + kMapBitmapBytes) & 0xFF);
  map[3] = static_cast<std::uint8_t>((4 + kMapBitmapBytes) >> 8);
  map.insert(map.end(), bitmap.begin(), bitmap.end());
  b.Add(map);
  sink.Write(page, b.Finish());
}

}  // namespace

PageAllocator::PageAllocator(std::uint16_t fileId) : fileId_(fileId) {
  Grow(1);
  extents_[0] = Extent::kMixed;
  extents_[1] = Extent::kMixed;
  for (std::int64_t p : {0, 1, 2, 3, 6, 7}) pfs_[static_cast<std::size_t>(p)] = kPfsFixedPage;
  pfs_[kBootPage] = kPfsFixedPage | kPfsMixed;
}

bool PageAllocator::IsReserved(std::int64_t page) {
  if (page == 0 || page == kBootPage || page == 4 || page == 5) return true;
  if (page % kPfsInterval == 1) return true;
  const std::int64_t inGam = page % kGamInterval;
  return inGam == 2 || inGam == 3 || inGam == 6 || inGam == 7;
}

void PageAllocator::Grow(std::int64_t extent) {
  if (extent >= static_cast<std::int64_t>(extents_.size())) {
    extents_.resize(static_cast<std::size_t>(extent + 1024), Extent::kFree);
    pfs_.resize(extents_.size() * 8, 0);
  }
}

std::int64_t PageAllocator::NewExtent(Extent kind) {
  for (;;) {
    const std::int64_t e = nextExtent_++;
    Grow(e);
    bool fixed = false;
    for (int k = 0; k < 8; ++k) {
      if (IsReserved(e * 8 + k)) {
        fixed = true;
        pfs_[static_cast<std::size_t>(e * 8 + k)] = kPfsFixedPage;
      }
    }
    if (fixed && kind == Extent::kUniform) {
      extents_[static_cast<std::size_t>(e)] = Extent::kMixed;
      spareMixed_.push_back(e);
      continue;
    }
    extents_[static_cast<std::size_t>(e)] = kind;
    return e;
  }
}

std::int32_t PageAllocator::AllocateSingle() {
  for (;;) {
    if (mixedNext_ == 8) {
      if (!spareMixed_.empty()) {
        mixedExtent_ = spareMixed_.front();
        spareMixed_.erase(spareMixed_.begin());
      } else {
        mixedExtent_ = NewExtent(Extent::kMixed);
      }
      mixedNext_ = 0;
    }
    const std::int64_t p = mixedExtent_ * 8 + mixedNext_++;
    if (IsReserved(p)) continue;
    MarkPage(static_cast<std::int32_t>(p), 0);
    return static_cast<std::int32_t>(p);
  }
}

std::int32_t PageAllocator::AllocateExtent() {
  const std::int64_t e = NewExtent(Extent::kUniform);
  lastPage_ = std::max(lastPage_, e * 8 + 7);
  return static_cast<std::int32_t>(e * 8);
}

void PageAllocator::MarkPage(std::int32_t page, std::uint8_t flags) {
  const auto e = static_cast<std::size_t>(page / 8);
  Grow(static_cast<std::int64_t>(e));
  std::uint8_t bits = kPfsAllocated | flags;
  if (extents_[e] == Extent::kMixed) bits |= kPfsMixed;
  pfs_[static_cast<std::size_t>(page)] = bits;
  lastPage_ = std::max<std::int64_t>(lastPage_, page);
}

std::uint8_t PageAllocator::Fullness(int usedBytes) {
  const int percent = usedBytes * 100 / (kPageSize - kHeaderSize);
  if (usedBytes == 0) return 0;
  if (percent <= 50) return 1;
  if (percent <= 80) return 2;
  if (percent <= 95) return 3;
  return 4;
}

std::int64_t PageAllocator::PageCount() const {
  return std::max<std::int64_t>(16, (lastPage_ / 8 + 1) * 8);
}

void PageAllocator::WriteMaps(PageSink& sink, std::int64_t pageCount) const {
  for (std::int64_t pfsPage = 1; pfsPage < pageCount; pfsPage += kPfsInterval) {
    PageBuilder b;
    PageHeader h;
    h.type = kTypePfs;
    h.objectId = kObjectAllocationPages;
    h.pageNumber = static_cast<std::int32_t>(pfsPage);
    h.fileId = fileId_;
    b.Reset(h);
    std::vector<std::uint8_t> record(4 + kPfsInterval, 0);
    record[2] = static_cast<std::uint8_t>((4 + kPfsInterval) & 0xFF);
    record[3] = static_cast<std::uint8_t>((4 + kPfsInterval) >> 8);
    const std::int64_t first = pfsPage - 1;
    for (std::int64_t k = 0; k < kPfsInterval && first + k < pageCount; ++k) {
      const auto p = static_cast<std::size_t>(first + k);
      record[static_cast<std::size_t>(4 + k)] = p < pfs_.size() ? pfs_[p] : 0;
    }
    b.Add(record);
    sink.Write(pfsPage, b.Finish());
  }
  for (std::int64_t start = 0; start < pageCount; start += kGamInterval) {
    std::vector<std::uint8_t> gam(kMapBitmapBytes, 0), sgam(kMapBitmapBytes, 0),
        empty(kMapBitmapBytes, 0);
    for (int i = 0; i < kExtentsPerMap; ++i) {
      const std::int64_t e = start / 8 + i;
      const Extent kind = e < static_cast<std::int64_t>(extents_.size()) && e * 8 < pageCount
                              ? extents_[static_cast<std::size_t>(e)]
                              : Extent::kFree;
      const auto bit = static_cast<std::uint8_t>(1u << (i % 8));
      if (kind == Extent::kFree) gam[static_cast<std::size_t>(i / 8)] |= bit;
      if (kind == Extent::kMixed) {
        for (int k = 0; k < 8; ++k) {
          if (pfs_[static_cast<std::size_t>(e * 8 + k)] == 0 && !IsReserved(e * 8 + k)) {
            sgam[static_cast<std::size_t>(i / 8)] |= bit;
            break;
          }
        }
      }
    }
    WriteMapPage(sink, fileId_, kTypeGam, start + 2, gam);
    WriteMapPage(sink, fileId_, kTypeSgam, start + 3, sgam);
    WriteMapPage(sink, fileId_, kTypeDiffMap, start + 6, empty);
    WriteMapPage(sink, fileId_, kTypeBulkMap, start + 7, empty);
  }
}

}  // namespace corvane::mdfgen

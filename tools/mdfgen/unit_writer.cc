#include "tools/mdfgen/unit_writer.h"

#include <cstring>
#include <map>

namespace corvane::mdfgen {
namespace {

constexpr int kIamHeaderSize = 90;
constexpr int kIamBitmapBytes = 7988;

void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  std::memcpy(v.data() + at, &x, 4);
}
void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint16_t x) {
  std::memcpy(v.data() + at, &x, 2);
}

}  // namespace

std::int32_t PageSource::Next(bool extent) {
  if (replaying_ && position_ < taken_.size()) return taken_[position_++];
  const std::int32_t page = extent ? allocator_.AllocateExtent() : allocator_.AllocateSingle();
  if (!replaying_) taken_.push_back(page);
  return page;
}

UnitWriter::UnitWriter(PageSource& source, PageSink& sink, std::int64_t unitId,
                       bool mixedFirstPages, bool legacy, std::uint16_t fileId)
    : source_(source),
      sink_(sink),
      unitId_(unitId),
      mixedFirstPages_(mixedFirstPages),
      legacy_(legacy),
      fileId_(fileId) {}

PageHeader UnitWriter::Header(std::uint8_t type, std::int32_t pageNumber) const {
  PageHeader h;
  h.type = type;
  h.objectId = HeaderObjectId(unitId_);
  h.indexId = legacy_ && type == kTypeData ? 0 : HeaderIndexId(unitId_);
  h.pageNumber = pageNumber;
  h.fileId = fileId_;
  // Real files from 2005 on carry 4 here on data pages, 0 on IAM pages.
  h.typeFlagBits = type == kTypeData && !legacy_ ? 4 : 0;
  return h;
}

std::int32_t UnitWriter::NewPage() {
  if (mixedFirstPages_ && singles_.size() < 8 && extents_.empty()) {
    singles_.push_back(source_.Single());
    return singles_.back();
  }
  if (extentUsed_ == 8) {
    extents_.push_back(source_.Extent());
    extentUsed_ = 0;
  }
  return extents_.back() + extentUsed_++;
}

void UnitWriter::Write(std::int32_t page, const std::uint8_t* bytes, std::uint8_t pfsFlags,
                       bool isData) {
  sink_.Write(page, bytes);
  source_.allocator().MarkPage(page, pfsFlags);
  ++written_;
  if (isData) ++dataWritten_;
}

void UnitWriter::Finish(UnitPages& result) {
  result.fileId = fileId_;
  result.dataPages = dataWritten_;
  if (written_ == 0) return;
  // One IAM page per GAM interval holding pages of the unit; the first one
  // also lists the single pages.
  std::map<std::int64_t, std::vector<std::int32_t>> byInterval;
  for (std::int32_t first : extents_) byInterval[first / kGamInterval].push_back(first);
  if (byInterval.empty() ||
      (!singles_.empty() && !byInterval.contains(singles_.front() / kGamInterval))) {
    byInterval[singles_.empty() ? 0 : singles_.front() / kGamInterval];
  }
  std::vector<std::int32_t> iamPages;
  for (std::size_t i = 0; i < byInterval.size(); ++i) iamPages.push_back(source_.Single());

  std::size_t index = 0;
  for (const auto& [interval, firsts] : byInterval) {
    const std::int32_t page = iamPages[index];
    PageHeader h = Header(kTypeIam, page);
    h.pminlen = kIamHeaderSize;
    h.prevPage = index > 0 ? iamPages[index - 1] : 0;
    h.nextPage = index + 1 < iamPages.size() ? iamPages[index + 1] : 0;
    PageBuilder b;
    b.Reset(h);
    std::vector<std::uint8_t> header(4 + kIamHeaderSize, 0);
    header[2] = 4 + kIamHeaderSize;
    Put32(header, 4 + 0, static_cast<std::uint32_t>(index));
    Put32(header, 4 + 36, static_cast<std::uint32_t>(interval * kGamInterval));
    Put16(header, 4 + 40, fileId_);
    if (index == 0) {
      for (std::size_t k = 0; k < singles_.size(); ++k) {
        Put32(header, 4 + 42 + 6 * k, static_cast<std::uint32_t>(singles_[k]));
        Put16(header, 4 + 46 + 6 * k, fileId_);
      }
    }
    b.Add(header);
    std::vector<std::uint8_t> bitmap(4 + kIamBitmapBytes, 0);
    Put16(bitmap, 2, 4 + kIamBitmapBytes);
    for (std::int32_t first : firsts) {
      const std::int64_t bit = (first - interval * kGamInterval) / 8;
      bitmap[static_cast<std::size_t>(4 + bit / 8)] |= static_cast<std::uint8_t>(1u << (bit % 8));
    }
    b.Add(bitmap);
    Write(page, b.Finish(), kPfsIam, false);
    ++index;
  }
  result.firstIamPage = iamPages.front();
  result.iamPages = iamPages;
  result.usedPages = written_;
  result.reservedPages =
      static_cast<std::int64_t>(singles_.size() + 8 * extents_.size() + iamPages.size());
}

}  // namespace corvane::mdfgen

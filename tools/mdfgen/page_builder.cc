#include "tools/mdfgen/page_builder.h"

#include <cstring>

namespace corvane::mdfgen {
namespace {

template <typename T>
void Put(std::uint8_t* page, int offset, T value) {
  std::memcpy(page + offset, &value, sizeof(T));
}

}  // namespace

void PageBuilder::Reset(const PageHeader& header) {
  header_ = header;
  page_.fill(0);
  slots_.clear();
  freeData_ = kHeaderSize;
  used_ = 0;
  ghosts_ = 0;
}

bool PageBuilder::Fits(std::size_t length) const {
  return freeData_ + length + 2 * (slots_.size() + 1) <= static_cast<std::size_t>(kPageSize);
}

int PageBuilder::Add(const std::uint8_t* record, std::size_t length, bool slotted, bool ghost) {
  int slot = -1;
  if (slotted) {
    slot = static_cast<int>(slots_.size());
    slots_.push_back(static_cast<std::uint16_t>(freeData_));
    used_ += static_cast<int>(length);
    if (ghost) ++ghosts_;
  }
  std::memcpy(page_.data() + freeData_, record, length);
  freeData_ += static_cast<int>(length);
  return slot;
}

void PageBuilder::Finish(std::uint8_t* out) { std::memcpy(out, Finish(), kPageSize); }

const std::uint8_t* PageBuilder::Finish() {
  std::uint8_t* page = page_.data();
  page[0] = 1;
  page[1] = header_.type;
  page[2] = header_.typeFlagBits;
  page[3] = header_.level;
  Put<std::uint16_t>(page, 4, header_.flagBits);
  Put<std::uint16_t>(page, 6, header_.indexId);
  Put<std::int32_t>(page, 8, header_.prevPage);
  Put<std::int16_t>(page, 12, static_cast<std::int16_t>(header_.prevPage ? header_.fileId : 0));
  Put<std::uint16_t>(page, 14, header_.pminlen);
  Put<std::int32_t>(page, 16, header_.nextPage);
  Put<std::int16_t>(page, 20, static_cast<std::int16_t>(header_.nextPage ? header_.fileId : 0));
  Put<std::int16_t>(page, 22, static_cast<std::int16_t>(slots_.size()));
  Put<std::int32_t>(page, 24, header_.objectId);
  Put<std::int16_t>(page, 28, static_cast<std::int16_t>(kPageSize - kHeaderSize - usedBytes()));
  Put<std::uint16_t>(page, 30, static_cast<std::uint16_t>(freeData_));
  Put<std::int32_t>(page, 32, header_.pageNumber);
  Put<std::uint16_t>(page, 36, header_.fileId);
  // A log sequence number of the database's first log file.
  Put<std::uint32_t>(page, 40, 20);
  Put<std::uint32_t>(page, 44, 0x100);
  Put<std::int16_t>(page, 48, 1);
  Put<std::int16_t>(page, 58, static_cast<std::int16_t>(ghosts_));
  for (std::size_t j = 0; j < slots_.size(); ++j) {
    Put<std::uint16_t>(page, kPageSize - 2 - 2 * static_cast<int>(j), slots_[j]);
  }
  return page;
}

}  // namespace corvane::mdfgen

#include "tools/mdfgen/lob_writer.h"

#include <cstring>

#include "tools/mdfgen/allocator.h"

namespace corvane::mdfgen {
namespace {

constexpr std::uint8_t kLobRecordStatus = 0x08;  // record type 4, no null bitmap
constexpr std::size_t kRootRecordSize = 84;
constexpr std::int16_t kSmallRoot = 0;
constexpr std::int16_t kData = 3;
constexpr std::int16_t kLargeRoot = 5;

template <typename T>
void Put(std::vector<std::uint8_t>& v, std::size_t at, T x) {
  std::memcpy(v.data() + at, &x, sizeof(T));
}

// Record header, blob id and type; the caller fills the rest.
std::vector<std::uint8_t> LobRecord(std::size_t length, std::int64_t blob, std::int16_t type) {
  std::vector<std::uint8_t> r(length, 0);
  r[0] = kLobRecordStatus;
  Put<std::uint16_t>(r, 2, static_cast<std::uint16_t>(length));
  Put<std::int64_t>(r, 4, blob);
  Put<std::int16_t>(r, 12, type);
  return r;
}

}  // namespace

LobWriter::Place LobWriter::Add(const std::vector<std::uint8_t>& record) {
  if (open_ && !page_.Fits(record.size())) Flush();
  if (!open_) {
    const std::int32_t number = unit_.NewPage();
    if (firstPage_ == 0) firstPage_ = number;
    page_.Reset(unit_.Header(kTypeTextMix, number));
    open_ = true;
  }
  const int slot = page_.Add(record);
  return {page_.header().pageNumber, static_cast<std::uint16_t>(slot)};
}

void LobWriter::Flush() {
  const std::uint8_t fullness = PageAllocator::Fullness(page_.usedBytes());
  unit_.Write(page_.header().pageNumber, page_.Finish(), fullness, true);
  open_ = false;
}

bool LobWriter::Store(const std::vector<std::uint8_t>& bytes, std::vector<std::uint8_t>& pointer,
                      std::string& error) {
  // Blob ids keep their low two bytes zero, as the real files' do.
  const std::int64_t blob = nextBlob_++ << 16;
  Place root;
  if (bytes.size() <= kSmallRootData) {
    auto r = LobRecord(kRootRecordSize, blob, kSmallRoot);
    Put<std::uint16_t>(r, 14, static_cast<std::uint16_t>(bytes.size()));
    std::memcpy(r.data() + 20, bytes.data(), bytes.size());
    root = Add(r);
  } else {
    if (bytes.size() > kLargeRootLinks * kLobDataPiece) {
      error = "a large value of " + std::to_string(bytes.size()) + " bytes is more than " +
              std::to_string(kLargeRootLinks * kLobDataPiece);
      return false;
    }
    auto r = LobRecord(kRootRecordSize, blob, kLargeRoot);
    std::int16_t links = 0;
    for (std::size_t at = 0; at < bytes.size(); at += kLobDataPiece) {
      const std::size_t n = std::min(kLobDataPiece, bytes.size() - at);
      auto data = LobRecord(4 + 8 + 2 + n, blob, kData);
      std::memcpy(data.data() + 14, bytes.data() + at, n);
      const Place p = Add(data);
      const std::size_t link = 24 + 12 * static_cast<std::size_t>(links++);
      Put<std::int32_t>(r, link, static_cast<std::int32_t>(at + n));
      Put<std::int32_t>(r, link + 4, p.page);
      Put<std::uint16_t>(r, link + 8, unit_.fileId());
      Put<std::uint16_t>(r, link + 10, p.slot);
    }
    Put<std::int16_t>(r, 14, static_cast<std::int16_t>(kLargeRootLinks));
    Put<std::int16_t>(r, 16, links);
    root = Add(r);
  }
  pointer.assign(16, 0);
  Put<std::int64_t>(pointer, 0, blob);
  Put<std::int32_t>(pointer, 8, root.page);
  Put<std::uint16_t>(pointer, 12, unit_.fileId());
  Put<std::uint16_t>(pointer, 14, root.slot);
  return true;
}

void LobWriter::Finish(UnitPages& result) {
  if (open_) Flush();
  result.firstPage = firstPage_;
  result.rootPage = firstPage_;
  unit_.Finish(result);
}

}  // namespace corvane::mdfgen

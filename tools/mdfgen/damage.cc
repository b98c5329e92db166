#include "tools/mdfgen/damage.h"

#include <cstring>

namespace corvane::mdfgen {
namespace {

constexpr std::size_t kPage = 8192;
constexpr std::uint8_t kTornPattern = 0x01;

std::uint8_t* PageAt(std::vector<std::uint8_t>& image, std::int32_t page) {
  const auto offset = static_cast<std::size_t>(page) * kPage;
  if (page < 0 || offset + kPage > image.size()) return nullptr;
  return image.data() + offset;
}

void Fill(std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t count, std::uint64_t seed) {
  std::uint64_t x = seed * 0x9E3779B97F4A7C15ULL + 1;
  for (std::size_t i = 0; i < count; ++i) {
    x ^= x << 13, x ^= x >> 7, x ^= x << 17;
    bytes[at + i] = static_cast<std::uint8_t>(x);
  }
}

}  // namespace

void ProtectTornBits(std::uint8_t* page) {
  std::uint16_t flags;
  std::memcpy(&flags, page + 4, 2);
  flags |= 0x0100;
  std::memcpy(page + 4, &flags, 2);
  std::uint32_t torn = kTornPattern;
  for (int k = 1; k < 16; ++k) {
    std::uint8_t& last = page[512 * k + 511];
    torn |= static_cast<std::uint32_t>(last & 3) << (2 * k);
    last = static_cast<std::uint8_t>((last & 0xFC) | kTornPattern);
  }
  std::memcpy(page + 60, &torn, 4);
}

std::vector<std::uint8_t> ApplyDamage(std::vector<std::uint8_t> image, const Damage& damage) {
  for (auto [page, next] : damage.nextPointers) {
    if (std::uint8_t* p = PageAt(image, page)) {
      std::memcpy(p + 16, &next, 4);
      const std::int16_t file = next != 0 ? 1 : 0;
      std::memcpy(p + 20, &file, 2);
    }
  }
  for (std::int32_t page : damage.tornPages) {
    if (std::uint8_t* p = PageAt(image, page)) ProtectTornBits(p);
  }
  for (std::int32_t page : damage.zeroedPages) {
    if (std::uint8_t* p = PageAt(image, page)) std::memset(p, 0, kPage);
  }
  for (std::int32_t page : damage.garbagePages) {
    if (PageAt(image, page))
      Fill(image, static_cast<std::size_t>(page) * kPage, kPage, static_cast<std::uint64_t>(page));
  }
  if (damage.pageShift > 0) {
    const std::size_t drop =
        std::min(image.size(), static_cast<std::size_t>(damage.pageShift) * kPage);
    image.erase(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(drop));
  } else if (damage.pageShift < 0) {
    image.insert(image.begin(), static_cast<std::size_t>(-damage.pageShift) * kPage, 0);
  }
  if (damage.bytesBefore > 0) {
    std::vector<std::uint8_t> front(damage.bytesBefore);
    Fill(front, 0, front.size(), 7);
    image.insert(image.begin(), front.begin(), front.end());
  }
  if (damage.bytesAfter > 0) {
    const std::size_t at = image.size();
    image.resize(at + damage.bytesAfter);
    Fill(image, at, damage.bytesAfter, 11);
  }
  return image;
}

}  // namespace corvane::mdfgen

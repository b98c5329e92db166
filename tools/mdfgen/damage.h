#pragma once
// Damaged variants of a built file image, as readers meet them in practice.
//
//   bytesBefore   that many bytes (not a multiple of 8192) before page 0: page n
//                 then lies at bytesBefore + n * 8192
//   bytesAfter    that many bytes after the last page
//   pageShift     every page moves by a constant: the page that carries page
//                 number n lies at position n - pageShift (a positive shift
//                 drops the first pages, a negative one puts blank pages in front)
//   tornPages     written with torn-page protection: flagBits 0x0100, the low
//                 two bits of the last byte of sectors 1..15 saved in tornBits
//                 (bits 2k, 2k+1 for sector k) and overwritten with 01
//   zeroedPages   all zero bytes
//   garbagePages  pseudo-random bytes (deterministic)
//   nextPointers  page → new nextPage value (file 1), e.g. to close a chain into a cycle

#include <cstdint>
#include <utility>
#include <vector>

namespace corvane::mdfgen {

struct Damage {
  std::size_t bytesBefore = 0;
  std::size_t bytesAfter = 0;
  std::int32_t pageShift = 0;
  std::vector<std::int32_t> tornPages;
  std::vector<std::int32_t> zeroedPages;
  std::vector<std::int32_t> garbagePages;
  std::vector<std::pair<std::int32_t, std::int32_t>> nextPointers;
};

// Applies `damage` to a file image (page n at byte n * 8192). Page-level
// changes come first, then the shift, then the extra bytes.
std::vector<std::uint8_t> ApplyDamage(std::vector<std::uint8_t> image, const Damage& damage);

// Sets torn-page protection on one 8192-byte page in place.
void ProtectTornBits(std::uint8_t* page);

}  // namespace corvane::mdfgen

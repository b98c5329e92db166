#pragma once
// Little-endian access to bytes read from database files.
//
// Bytes is a non-owning view: the caller keeps the storage alive for as long
// as the view (or anything taken from it) is used. Any thread may use a view;
// it never writes. Checked reads return std::nullopt when the value does not
// fit in the view, so damaged offsets cannot read past a buffer.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <type_traits>

namespace corvane {

// Unchecked little-endian load; the caller has checked the bounds.
template <typename T>
inline T LoadLE(const std::uint8_t* p) {
  static_assert(std::is_integral_v<T>);
  T value;
  std::memcpy(&value, p, sizeof(T));  // x86-64 and aarch64 Linux are little-endian
  return value;
}

class Bytes {
 public:
  Bytes() = default;
  Bytes(const std::uint8_t* data, std::size_t size) : span_(data, size) {}
  explicit Bytes(std::span<const std::uint8_t> span) : span_(span) {}

  const std::uint8_t* data() const { return span_.data(); }
  std::size_t size() const { return span_.size(); }
  bool empty() const { return span_.empty(); }
  std::uint8_t operator[](std::size_t i) const { return span_[i]; }
  std::span<const std::uint8_t> span() const { return span_; }

  bool Fits(std::size_t offset, std::size_t length) const {
    return offset <= span_.size() && length <= span_.size() - offset;
  }

  template <typename T>
  [[nodiscard]] std::optional<T> Read(std::size_t offset) const {
    if (!Fits(offset, sizeof(T))) return std::nullopt;
    return LoadLE<T>(span_.data() + offset);
  }

  // Value at offset, or `fallback` when it does not fit.
  template <typename T>
  T ReadOr(std::size_t offset, T fallback) const {
    if (!Fits(offset, sizeof(T))) return fallback;
    return LoadLE<T>(span_.data() + offset);
  }

  // Sub-view; empty when the range does not fit.
  Bytes Sub(std::size_t offset, std::size_t length) const {
    if (!Fits(offset, length)) return {};
    return Bytes(span_.data() + offset, length);
  }

 private:
  std::span<const std::uint8_t> span_;
};

}  // namespace corvane

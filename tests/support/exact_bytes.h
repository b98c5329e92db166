#pragma once
// A heap block holding exactly the given bytes and nothing after them, so
// that AddressSanitizer reports any read past the end of a value.

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace corvane::testing {

class ExactBytes {
 public:
  explicit ExactBytes(const std::vector<std::uint8_t>& bytes)
      : size_(bytes.size()), data_(std::make_unique<std::uint8_t[]>(bytes.size())) {
    if (size_ > 0) std::memcpy(data_.get(), bytes.data(), size_);
  }
  const std::uint8_t* data() const { return data_.get(); }
  std::size_t size() const { return size_; }

 private:
  std::size_t size_;
  std::unique_ptr<std::uint8_t[]> data_;
};

}  // namespace corvane::testing

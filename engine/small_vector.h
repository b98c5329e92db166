#pragma once
// A vector that keeps its first N elements inside the object, so that the
// common record (a handful of variable columns) needs no heap allocation.
// Only for trivially copyable element types; only the operations the record
// parser and its readers use.

#include <new>
#include <stdexcept>
#include <cstddef>
#include <type_traits>
#include <vector>

namespace corvane {

template <typename T, std::size_t N>
class SmallVector {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  void reserve(std::size_t n) {
    if (n > N) heap_.reserve(n);
  }
  void push_back(const T& value) {
    if (size_ < N) {
      new (InlineData() + size_) T(value);
    } else {
      if (size_ == N) heap_.assign(InlineData(), InlineData() + N);
      heap_.push_back(value);
    }
    ++size_;
  }
  void clear() {
    size_ = 0;
    heap_.clear();
  }
  T* data() { return size_ > N ? heap_.data() : InlineData(); }
  const T* data() const { return size_ > N ? heap_.data() : InlineData(); }
  T& operator[](std::size_t i) { return data()[i]; }
  const T& operator[](std::size_t i) const { return data()[i]; }
  T& at(std::size_t i) { return i < size_ ? data()[i] : throw_out_of_range(); }
  const T& at(std::size_t i) const { return i < size_ ? data()[i] : throw_out_of_range(); }
  T& back() { return data()[size_ - 1]; }
  const T* begin() const { return data(); }
  const T* end() const { return data() + size_; }
  T* begin() { return data(); }
  T* end() { return data() + size_; }

 private:
  [[noreturn]] static T& throw_out_of_range() { throw std::out_of_range("SmallVector::at"); }
  // Left uninitialised: a record fills only what it uses.
  T* InlineData() { return std::launder(reinterpret_cast<T*>(inline_)); }
  const T* InlineData() const { return std::launder(reinterpret_cast<const T*>(inline_)); }
  alignas(T) unsigned char inline_[N * sizeof(T)];
  std::vector<T> heap_;
  std::size_t size_ = 0;
};

}  // namespace corvane

#include "tools/mdfgen/page_sink.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace corvane::mdfgen {
namespace {

constexpr std::int64_t kPage = 8192;
constexpr std::int64_t kBufferPages = 1024;  // 8 MB

}  // namespace

void MemorySink::Write(std::int64_t pageNumber, const std::uint8_t* page) {
  const auto end = static_cast<std::size_t>((pageNumber + 1) * kPage);
  if (image_.size() < end) image_.resize(end, 0);
  std::memcpy(image_.data() + pageNumber * kPage, page, kPage);
}

bool MemorySink::Finish(std::int64_t pageCount) {
  image_.resize(static_cast<std::size_t>(pageCount * kPage), 0);
  return true;
}

FileSink::FileSink(const std::string& path) {
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ < 0) error_ = path + ": " + std::strerror(errno);
  buffer_.resize(static_cast<std::size_t>(kBufferPages * kPage));
}

FileSink::~FileSink() {
  if (fd_ >= 0) ::close(fd_);
}

void FileSink::Write(std::int64_t pageNumber, const std::uint8_t* page) {
  if (!ok()) return;
  if (runPages_ == kBufferPages || (runPages_ > 0 && pageNumber != runStart_ + runPages_)) Flush();
  if (runPages_ == 0) runStart_ = pageNumber;
  std::memcpy(buffer_.data() + runPages_ * kPage, page, kPage);
  ++runPages_;
}

void FileSink::Flush() {
  const std::uint8_t* p = buffer_.data();
  std::int64_t left = runPages_ * kPage;
  off_t at = static_cast<off_t>(runStart_ * kPage);
  while (left > 0 && ok()) {
    ssize_t n = ::pwrite(fd_, p, static_cast<std::size_t>(left), at);
    if (n <= 0) {
      error_ = std::string("write failed: ") + std::strerror(errno);
      break;
    }
    p += n;
    left -= n;
    at += n;
  }
  runPages_ = 0;
}

bool FileSink::Finish(std::int64_t pageCount) {
  if (!ok()) return false;
  Flush();
  if (ok() && ::ftruncate(fd_, static_cast<off_t>(pageCount * kPage)) != 0) {
    error_ = std::string("resize failed: ") + std::strerror(errno);
  }
  return ok();
}

}  // namespace corvane::mdfgen

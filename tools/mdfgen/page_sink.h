#pragma once
// Where finished pages go: a memory image (tests) or a file written in large
// sequential chunks (the mdfgen command). Page n lands at byte n * 8192 plus
// the sink's leading bytes; pages never written read as zeros.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::mdfgen {

class PageSink {
 public:
  virtual ~PageSink() = default;
  virtual void Write(std::int64_t pageNumber, const std::uint8_t* page) = 0;
  // Makes the output exactly `pageCount` pages long. False on an I/O error.
  virtual bool Finish(std::int64_t pageCount) = 0;
};

class MemorySink final : public PageSink {
 public:
  void Write(std::int64_t pageNumber, const std::uint8_t* page) override;
  bool Finish(std::int64_t pageCount) override;
  std::vector<std::uint8_t>& image() { return image_; }

 private:
  std::vector<std::uint8_t> image_;
};

// Collects consecutive pages in an 8 MB buffer and writes each run with one
// positioned write.
class FileSink final : public PageSink {
 public:
  explicit FileSink(const std::string& path);
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  bool ok() const { return fd_ >= 0 && error_.empty(); }
  const std::string& error() const { return error_; }
  void Write(std::int64_t pageNumber, const std::uint8_t* page) override;
  bool Finish(std::int64_t pageCount) override;

 private:
  void Flush();

  int fd_ = -1;
  std::string error_;
  std::vector<std::uint8_t> buffer_;
  std::int64_t runStart_ = 0;
  std::int64_t runPages_ = 0;
};

}  // namespace corvane::mdfgen

#pragma once
// A database file opened read-only and read by position.
//
// Reads use pread, so there is no shared file position and one file may be
// read from several threads. The file descriptor closes with the object.
// There is no write path.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace corvane {

class ReadOnlyFile {
 public:
  // Opens a regular file; nullptr when it cannot be opened or is a directory.
  static std::unique_ptr<ReadOnlyFile> Open(const std::string& path);
  ReadOnlyFile(int fd, std::uint64_t size, std::string path)
      : fd_(fd), size_(size), path_(std::move(path)) {}
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  std::uint64_t size() const { return size_; }
  const std::string& path() const { return path_; }

  // Reads up to `length` bytes at `offset`; bytes past the end of the file
  // (or a failed read) are left as zero. Returns the number of bytes read.
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t length) const;

 private:
  int fd_;
  std::uint64_t size_;
  std::string path_;
};

}  // namespace corvane

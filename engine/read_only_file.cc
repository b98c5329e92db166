#include "engine/read_only_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace corvane {

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::Open(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  // Probe one byte so that an unreadable file fails here, not at first use.
  std::uint8_t probe;
  if (st.st_size > 0 && ::pread(fd, &probe, 1, 0) < 0) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<ReadOnlyFile>(fd, static_cast<std::uint64_t>(st.st_size), path);
}

ReadOnlyFile::~ReadOnlyFile() { ::close(fd_); }

std::size_t ReadOnlyFile::ReadAt(std::uint64_t offset, std::uint8_t* out,
                                 std::size_t length) const {
  std::size_t done = 0;
  while (done < length) {
    ssize_t n = ::pread(fd_, out + done, length - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (done < length) std::memset(out + done, 0, length - done);
  return done;
}

}  // namespace corvane

#pragma once
// The log file of a scan run: UTF-16 little-endian text in the folder the
// user chose, named "QORSQLDb_log_D-M-YYYY-H-M-S.txt" after the local time it
// was opened. A new file starts with the byte order mark; an existing one of
// the same name is appended to. Each run starts with a separator line of 80
// asterisks; each log line ends with CR LF.
//
// One thread writes at a time. A failed write is skipped: logging never
// stops a run.

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>

namespace corvane {

class LogFile {
 public:
  // Opens (or creates) the log file for `when` in `folder` (a trailing "/"
  // is added when missing) and writes the run separator. nullptr when the
  // file cannot be opened.
  static std::unique_ptr<LogFile> Open(const std::string& folder, std::time_t when);
  // Takes ownership of an open file.
  LogFile(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
  ~LogFile();
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  const std::string& path() const { return path_; }
  // Writes `utf8` as UTF-16LE followed by CR LF.
  void Append(std::string_view utf8);

  // "QORSQLDb_log_9-12-2026-18-5-3.txt" for 9 December 2026, 18:05:03.
  static std::string FileName(std::time_t when);

 private:
  void WriteUtf16(std::string_view utf8);
  std::FILE* file_;
  std::string path_;
};

}  // namespace corvane

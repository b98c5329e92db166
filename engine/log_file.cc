#include "engine/log_file.h"

#include <sys/stat.h>

#include <vector>

namespace corvane {
namespace {

// UTF-8 to UTF-16 code units; invalid bytes become U+FFFD.
std::u16string ToUtf16(std::string_view s) {
  std::u16string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::uint32_t cp = 0xFFFD;
    std::size_t n = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c >> 5) == 6 && i + 1 < s.size()) {
      cp = ((c & 0x1F) << 6) | (s[i + 1] & 0x3F);
      n = 2;
    } else if ((c >> 4) == 14 && i + 2 < s.size()) {
      cp = ((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
      n = 3;
    } else if ((c >> 3) == 30 && i + 3 < s.size()) {
      cp = ((c & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) |
           (s[i + 3] & 0x3F);
      n = 4;
    }
    i += n;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

}  // namespace

std::string LogFile::FileName(std::time_t when) {
  std::tm t{};
  char buf[96];
  if (localtime_r(&when, &t)) {
    std::snprintf(buf, sizeof buf, "QORSQLDb_log_%d-%d-%d-%d-%d-%d.txt", t.tm_mday, t.tm_mon + 1,
                  t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec);
  } else {
    std::snprintf(buf, sizeof buf, "QORSQLDb_log_0-0-0--1--1--1.txt");
  }
  return buf;
}

std::unique_ptr<LogFile> LogFile::Open(const std::string& folder, std::time_t when) {
  std::string dir = folder;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  const std::string path = dir + FileName(when);
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  std::FILE* f = std::fopen(path.c_str(), exists ? "r+b" : "w+b");
  if (!f) return nullptr;
  auto log = std::make_unique<LogFile>(f, path);
  if (exists) {
    std::fseek(f, 0, SEEK_END);
  } else {
    const unsigned char bom[] = {0xFF, 0xFE};
    std::fwrite(bom, 1, 2, f);
  }
  log->WriteUtf16("\r\n" + std::string(80, '*') + "\r\n");
  std::fflush(f);
  return log;
}

LogFile::~LogFile() { std::fclose(file_); }

void LogFile::WriteUtf16(std::string_view utf8) {
  const std::u16string units = ToUtf16(utf8);
  std::vector<unsigned char> bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t u : units) {
    bytes.push_back(static_cast<unsigned char>(u & 0xFF));
    bytes.push_back(static_cast<unsigned char>(u >> 8));
  }
  std::fwrite(bytes.data(), 1, bytes.size(), file_);
}

void LogFile::Append(std::string_view utf8) {
  WriteUtf16(utf8);
  WriteUtf16("\r\n");
  std::fflush(file_);
}

}  // namespace corvane

#include "engine/log_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/support/page_bytes.h"

namespace corvane {
namespace {

std::time_t LocalTime(int year, int month, int day, int h, int m, int s) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = h;
  t.tm_min = m;
  t.tm_sec = s;
  t.tm_isdst = -1;
  return std::mktime(&t);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(LogFile, NameHasNoLeadingZeros) {
  EXPECT_EQ(LogFile::FileName(LocalTime(2026, 12, 9, 18, 5, 3)), "QORSQLDb_log_9-12-2026-18-5-3.txt");
}

TEST(LogFile, Utf16WithOneByteOrderMarkAndASeparatorPerRun) {
  testing::TempDir dir;
  const std::time_t when = LocalTime(2026, 1, 2, 3, 4, 5);
  {
    auto log = LogFile::Open(dir.path(), when);
    ASSERT_TRUE(log);
    log->Append("A\xc3\xa9");  // "Aé"
  }
  {
    auto log = LogFile::Open(dir.path() + "/", when);  // same second: the same file
    log->Append("B");
  }
  const std::string bytes = ReadAll(dir.File(LogFile::FileName(when)));
  const std::string stars(80, '*');
  auto utf16 = [](const std::string& ascii) {
    std::string out;
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
  };
  const std::string separator = utf16("\r\n" + stars + "\r\n");
  const std::string expected = std::string("\xFF\xFE", 2) + separator + std::string("A\0\xE9\0", 4) +
                               utf16("\r\n") + separator + utf16("B\r\n");
  EXPECT_EQ(bytes, expected);
}

TEST(LogFile, MissingFolderFails) {
  EXPECT_FALSE(LogFile::Open("/nonexistent/folder", std::time(nullptr)));
}

}  // namespace
}  // namespace corvane

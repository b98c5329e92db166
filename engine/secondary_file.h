#pragma once
// One secondary data file (.ndf) of a database: from the database's file
// list (sysfiles1) or found beside the primary file.

#include <cstdint>
#include <string>

namespace corvane {

struct SecondaryFile {
  std::uint32_t status = 0;      // status word of the file list; 0 when found by search
  std::int32_t fileId = -1;      // always > 1 once attached
  std::string logicalName;       // empty when found by search
  std::string physicalPath;      // where the file is opened (beside the primary)
  std::uint64_t fileSize = 0;
  std::uint64_t pageCount = 0;   // (fileSize - baseOffset) / 8192
  std::int32_t baseOffset = 0;   // byte position of page 0
};

}  // namespace corvane

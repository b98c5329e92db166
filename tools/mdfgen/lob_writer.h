#pragma once
// Writes text, ntext and image values into the text-mix pages (type 3) of a
// table's large-object allocation unit and hands back the row's text pointer.
//
// Large-object records (status 0x08, then uint16 record length; offsets below
// from the record's fixed data, i.e. record offset 4):
//   0   int64  blob id
//   8   int16  type: 0 small root, 3 data, 5 large root
//   small root (84-byte record): 10 uint16 length, 12 four unused bytes,
//       16 up to 64 bytes of data (the record keeps its 84 bytes)
//   data: 10 the bytes (up to 8040 per record)
//   large root (84-byte record): 10 int16 maximum links (5), 12 int16 links,
//       14 int16 level (0), 16 four unused bytes, 20 links of 12 bytes:
//       int32 running end offset, page int32, file int16, slot int16
// Values of up to 64 bytes get a small root; longer ones data records and a
// large root, so at most 5 * 8040 bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mdfgen/page_builder.h"
#include "tools/mdfgen/unit_writer.h"

namespace corvane::mdfgen {

inline constexpr std::size_t kSmallRootData = 64;
inline constexpr std::size_t kLobDataPiece = 8040;
inline constexpr std::size_t kLargeRootLinks = 5;

class LobWriter {
 public:
  explicit LobWriter(UnitWriter& unit) : unit_(unit) {}

  // Stores `bytes`; on success `pointer` holds the 16-byte text pointer.
  bool Store(const std::vector<std::uint8_t>& bytes, std::vector<std::uint8_t>& pointer,
             std::string& error);
  void Finish(UnitPages& result);

 private:
  struct Place {
    std::int32_t page;
    std::uint16_t slot;
  };
  Place Add(const std::vector<std::uint8_t>& record);
  void Flush();

  UnitWriter& unit_;
  PageBuilder page_;
  bool open_ = false;
  std::int32_t firstPage_ = 0;
  std::int64_t nextBlob_ = 1;
};

}  // namespace corvane::mdfgen

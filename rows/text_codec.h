#pragma once
// TextDecoder: turns the text that records store into UTF-8.
//
// 8-bit text (char, varchar, text) is stored in the code page of its
// collation: the column's collation, or the database's default collation for
// a column whose collation id is 0. The code page comes from the collation
// table ("collation.txt"); a collation the table does not know, or one whose
// code page is 0 (the Unicode-only collations) or cannot be converted, is read
// as Windows-1252. UTF-16LE text (nchar, nvarchar, ntext) needs no code page.
//
// Bytes that cannot be decoded become U+FFFD; decoding never fails.
//
// Threads: a decoder caches one iconv converter per code page and the code
// page of the collation looked up last, so it must be used by one thread at a
// time (the worker that renders a page of records). It keeps a pointer to the
// collation table, which must outlive it. A moved-from decoder may only be
// destroyed or assigned to.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/app_state.h"
#include "engine/collation_table.h"
#include "engine/bytes.h"
#include "engine/utf16.h"

namespace corvane {

inline constexpr std::int32_t kCodePageWindows1252 = 1252;
inline constexpr std::int32_t kCodePageUtf8 = 65001;

// Collation lookups: FindCollation in engine/collation_table.h.
// (UTF-8 output of single code points: AppendUtf8 in engine/utf16.h.)

// The bytes before the first zero byte (all of them when there is none).
Bytes CutAtZeroByte(Bytes text);
// The bytes before the first zero UTF-16 unit at an even offset.
Bytes CutAtZeroUnit(Bytes text);

class TextDecoder {
 public:
  // Without a collation table every 8-bit text is read as Windows-1252.
  TextDecoder();
  // `databaseCollationId`: the database's default collation (the boot page's
  // id, or AppState::collationKey); -1 when it is not known.
  TextDecoder(const CollationTable& table, std::int64_t databaseCollationId);
  ~TextDecoder();
  TextDecoder(TextDecoder&&) noexcept;
  TextDecoder& operator=(TextDecoder&&) noexcept;
  TextDecoder(const TextDecoder&) = delete;
  TextDecoder& operator=(const TextDecoder&) = delete;

  // The code page 8-bit text of a column with `collationId` is stored in.
  std::int32_t CodePageOf(std::int32_t collationId) const;
  std::int32_t database_code_page() const { return databaseCodePage_; }

  // Appends `bytes`, 8-bit text of a column with `collationId`, as UTF-8.
  // Every byte is decoded, zero bytes included.
  void AppendNarrow(Bytes bytes, std::int32_t collationId, std::string& out) const;
  // The same for a known code page (65001 = UTF-8).
  void AppendCodePage(Bytes bytes, std::int32_t codePage, std::string& out) const;

  // Appends UTF-16LE `bytes` as UTF-8; a last odd byte is ignored and an
  // unpaired surrogate becomes U+FFFD.
  static void AppendUtf16(Bytes bytes, std::string& out);
  // Appends `bytes` that should be UTF-8, with every invalid sequence
  // replaced by U+FFFD.
  static void AppendUtf8Checked(Bytes bytes, std::string& out);

 private:
  class ConverterCache;

  const CollationTable* table_ = nullptr;
  std::int32_t databaseCodePage_ = kCodePageWindows1252;
  mutable std::int32_t lastCollationId_ = 0;
  mutable std::int32_t lastCodePage_ = kCodePageWindows1252;
  mutable bool lastValid_ = false;
  std::unique_ptr<ConverterCache> converters_;
};

}  // namespace corvane

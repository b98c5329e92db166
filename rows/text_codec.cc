#include "rows/text_codec.h"

#include "engine/utf16.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
const auto kNoConverter = reinterpret_cast<iconv_t>(-1);

bool IsAscii(Bytes bytes) {
  const std::uint8_t* p = bytes.data();
  const std::uint8_t* end = p + bytes.size();
  std::uint8_t any = 0;
  for (; p != end; ++p) any |= *p;
  return (any & 0x80) == 0;
}

void AppendAscii(Bytes bytes, std::string& out) {
  out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// The byte count of the UTF-8 sequence starting at p[0], or 0 when it is not
// a valid sequence within `left` bytes (overlong forms, surrogates and values
// above U+10FFFF are invalid).
std::size_t Utf8SequenceLength(const std::uint8_t* p, std::size_t left) {
  std::uint8_t b = p[0];
  if (b < 0x80) return 1;
  std::size_t length;
  std::uint8_t low = 0x80, high = 0xBF;  // bounds of the second byte
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (left < length) return 0;
  if (p[1] < low || p[1] > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Owns one iconv descriptor.
class IconvHandle {
 public:
  explicit IconvHandle(iconv_t handle) : handle_(handle) {}
  ~IconvHandle() {
    if (handle_ != kNoConverter) iconv_close(handle_);
  }
  IconvHandle(IconvHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = kNoConverter; }
  IconvHandle& operator=(IconvHandle&&) = delete;
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

 private:
  iconv_t handle_;
};

// Runs `cd` over all of `bytes`, appending to `out`; a byte that does not
// start a valid character becomes U+FFFD and the conversion goes on after it.
void Convert(iconv_t cd, Bytes bytes, std::string& out) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::size_t used = out.size();
  out.resize(used + bytes.size() * 3 + 16);
  auto* in = reinterpret_cast<char*>(const_cast<std::uint8_t*>(bytes.data()));
  std::size_t inLeft = bytes.size();
  auto grow = [&] { out.resize(out.size() * 2 + 64); };
  bool flushing = false;
  while (true) {
    char* o = out.data() + used;
    std::size_t oLeft = out.size() - used;
    std::size_t r = flushing ? iconv(cd, nullptr, nullptr, &o, &oLeft)
                             : iconv(cd, &in, &inLeft, &o, &oLeft);
    const int error = errno;
    used = static_cast<std::size_t>(o - out.data());
    if (r != static_cast<std::size_t>(-1)) {
      if (flushing) break;
      flushing = true;
      continue;
    }
    if (error == E2BIG) {
      grow();
      continue;
    }
    if (flushing) break;  // nothing sensible is left to write
    if (out.size() - used < kReplacement.size()) grow();
    std::memcpy(out.data() + used, kReplacement.data(), kReplacement.size());
    used += kReplacement.size();
    if (error == EINVAL) {
      inLeft = 0;  // an incomplete character ends the text
    } else {
      ++in;
      --inLeft;
    }
  }
  out.resize(used);
}

}  // namespace

class TextDecoder::ConverterCache {
 public:
  // The converter from `codePage` to UTF-8; Windows-1252's when the code page
  // has none; kNoConverter only when not even that one can be opened.
  iconv_t For(std::int32_t codePage) {
    for (const auto& [known, cd] : byCodePage_) {
      if (known == codePage) return cd;
    }
    iconv_t cd = Open(codePage);
    if (cd != kNoConverter) {
      owned_.emplace_back(cd);
    } else if (codePage != kCodePageWindows1252) {
      cd = For(kCodePageWindows1252);
    }
    byCodePage_.emplace_back(codePage, cd);
    return cd;
  }

 private:
  static iconv_t Open(std::int32_t codePage) {
    if (codePage <= 0) return kNoConverter;
    std::string name = "CP" + std::to_string(codePage);
    return iconv_open("UTF-8", name.c_str());
  }

  std::vector<IconvHandle> owned_;
  std::vector<std::pair<std::int32_t, iconv_t>> byCodePage_;
};

Bytes CutAtZeroByte(Bytes text) {
  if (text.empty()) return text;
  const void* zero = std::memchr(text.data(), 0, text.size());
  if (zero == nullptr) return text;
  return Bytes(text.data(), static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - text.data()));
}

Bytes CutAtZeroUnit(Bytes text) {
  const std::uint8_t* p = text.data();
  const std::size_t units = text.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    if (p[2 * i] == 0 && p[2 * i + 1] == 0) return Bytes(p, 2 * i);
  }
  return text;
}

TextDecoder::TextDecoder() : converters_(std::make_unique<ConverterCache>()) {}

TextDecoder::TextDecoder(const CollationTable& table, std::int64_t databaseCollationId)
    : table_(&table), converters_(std::make_unique<ConverterCache>()) {
  const auto* entry = FindCollation(table, databaseCollationId);
  if (entry != nullptr && entry->second.codePage > 0) databaseCodePage_ = entry->second.codePage;
}

TextDecoder::~TextDecoder() = default;
TextDecoder::TextDecoder(TextDecoder&&) noexcept = default;
TextDecoder& TextDecoder::operator=(TextDecoder&&) noexcept = default;

std::int32_t TextDecoder::CodePageOf(std::int32_t collationId) const {
  if (collationId == 0) return databaseCodePage_;
  if (lastValid_ && lastCollationId_ == collationId) return lastCodePage_;
  std::int32_t codePage = kCodePageWindows1252;
  if (table_ != nullptr) {
    const auto* entry = FindCollation(*table_, collationId);
    if (entry != nullptr && entry->second.codePage > 0) codePage = entry->second.codePage;
  }
  lastCollationId_ = collationId;
  lastCodePage_ = codePage;
  lastValid_ = true;
  return codePage;
}

void TextDecoder::AppendNarrow(Bytes bytes, std::int32_t collationId, std::string& out) const {
  // Every code page we meet keeps ASCII as it is, so such text needs no look-up.
  if (IsAscii(bytes)) {
    AppendAscii(bytes, out);
    return;
  }
  AppendCodePage(bytes, CodePageOf(collationId), out);
}

void TextDecoder::AppendCodePage(Bytes bytes, std::int32_t codePage, std::string& out) const {
  if (IsAscii(bytes)) {
    AppendAscii(bytes, out);
    return;
  }
  if (codePage == kCodePageUtf8) {
    AppendUtf8Checked(bytes, out);
    return;
  }
  iconv_t cd = converters_->For(codePage);
  if (cd == kNoConverter) {
    // No converter at all on this system: keep ASCII, mark the rest.
    for (std::uint8_t b : bytes.span()) {
      if (b < 0x80) {
        out.push_back(static_cast<char>(b));
      } else {
        out.append(kReplacement);
      }
    }
    return;
  }
  Convert(cd, bytes, out);
}

void TextDecoder::AppendUtf16(Bytes bytes, std::string& out) {
  const std::size_t units = bytes.size() / 2;
  const std::uint8_t* p = bytes.data();
  // Every unit gives at most three bytes (a surrogate pair four for two).
  const std::size_t start = out.size();
  out.resize(start + 3 * units);
  char* o = out.data() + start;
  for (std::size_t i = 0; i < units; ++i) {
    std::uint32_t u = LoadLE<std::uint16_t>(p + 2 * i);
    if (u < 0x80) {
      *o++ = static_cast<char>(u);
      continue;
    }
    if (u < 0x800) {
      *o++ = static_cast<char>(0xC0 | (u >> 6));
      *o++ = static_cast<char>(0x80 | (u & 0x3F));
      continue;
    }
    if (u >= 0xD800 && u <= 0xDFFF) {
      std::uint32_t low = i + 1 < units ? LoadLE<std::uint16_t>(p + 2 * (i + 1)) : 0;
      if (u <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF) {
        u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
        *o++ = static_cast<char>(0xF0 | (u >> 18));
        *o++ = static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        *o++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        *o++ = static_cast<char>(0x80 | (u & 0x3F));
        ++i;
        continue;
      }
      u = 0xFFFD;  // a surrogate without its partner
    }
    *o++ = static_cast<char>(0xE0 | (u >> 12));
    *o++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    *o++ = static_cast<char>(0x80 | (u & 0x3F));
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
}

void TextDecoder::AppendUtf8Checked(Bytes bytes, std::string& out) {
  const std::uint8_t* p = bytes.data();
  std::size_t left = bytes.size();
  out.reserve(out.size() + left);
  while (left > 0) {
    std::size_t n = Utf8SequenceLength(p, left);
    if (n == 0) {
      out.append(kReplacement);
      n = 1;
    } else {
      out.append(reinterpret_cast<const char*>(p), n);
    }
    p += n;
    left -= n;
  }
}

}  // namespace corvane

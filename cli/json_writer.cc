#include "cli/json_writer.h"

#include <cstdio>

namespace corvane::cli {

void JsonWriter::Separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!first_.empty()) {
    if (!first_.back()) out_ += ',';
    first_.back() = false;
  }
}

JsonWriter& JsonWriter::BeginObject() {
  Separate();
  out_ += '{';
  first_.push_back(true);
  return *this;
}
JsonWriter& JsonWriter::EndObject() {
  out_ += '}';
  first_.pop_back();
  return *this;
}
JsonWriter& JsonWriter::BeginArray() {
  Separate();
  out_ += '[';
  first_.push_back(true);
  return *this;
}
JsonWriter& JsonWriter::EndArray() {
  out_ += ']';
  first_.pop_back();
  return *this;
}
JsonWriter& JsonWriter::Key(std::string_view key) {
  Separate();
  out_ += Escape(key);
  out_ += ':';
  afterKey_ = true;
  return *this;
}
JsonWriter& JsonWriter::String(std::string_view value) {
  Separate();
  out_ += Escape(value);
  return *this;
}
JsonWriter& JsonWriter::Int(std::int64_t value) {
  Separate();
  out_ += std::to_string(value);
  return *this;
}
JsonWriter& JsonWriter::UInt(std::uint64_t value) {
  Separate();
  out_ += std::to_string(value);
  return *this;
}
JsonWriter& JsonWriter::Bool(bool value) {
  Separate();
  out_ += value ? "true" : "false";
  return *this;
}
JsonWriter& JsonWriter::Null() {
  Separate();
  out_ += "null";
  return *this;
}

std::string JsonWriter::Escape(std::string_view s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  out += '"';
  return out;
}

}  // namespace corvane::cli

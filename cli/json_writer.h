#pragma once
// A small streaming JSON writer for the CLI's --json output.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);
  JsonWriter& String(std::string_view value);
  JsonWriter& Int(std::int64_t value);
  JsonWriter& UInt(std::uint64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  // Shorthands for a key followed by a value.
  JsonWriter& Field(std::string_view key, std::string_view value) { return Key(key).String(value); }
  JsonWriter& Field(std::string_view key, const char* value) { return Key(key).String(value); }
  JsonWriter& Field(std::string_view key, std::int64_t value) { return Key(key).Int(value); }
  JsonWriter& Field(std::string_view key, int value) { return Key(key).Int(value); }
  JsonWriter& Field(std::string_view key, std::uint64_t value) { return Key(key).UInt(value); }
  JsonWriter& Field(std::string_view key, bool value) { return Key(key).Bool(value); }

  const std::string& str() const { return out_; }

  static std::string Escape(std::string_view s);

 private:
  void Separate();
  std::string out_;
  std::vector<bool> first_;  // per open container: no element written yet
  bool afterKey_ = false;
};

}  // namespace corvane::cli

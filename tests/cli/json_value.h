#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvel::test {

// A parsed JSON value, enough to read the console program's output.
struct JsonValue {
  enum class Kind { kNull, kBool, kNumber, kText, kArray, kObject };
  Kind kind = Kind::kNull;
  bool boolean = false;
  int64_t number = 0;
  std::string text;
  std::vector<JsonValue> items;
  // An object's members, names and values at the same index; a vector of
  // pairs would need the value's type complete.
  std::vector<std::string> names;
  std::vector<JsonValue> members;

  // The member of that name; throws when there is none.
  const JsonValue& operator[](std::string_view key) const;
  const JsonValue& operator[](size_t index) const { return items.at(index); }
  bool is_null() const { return kind == Kind::kNull; }
};

// The one JSON value of the text (blank space around it allowed); throws
// std::runtime_error on anything else.
JsonValue ParseJson(std::string_view text);

}  // namespace orvel::test

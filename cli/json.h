#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvel::cli {

// A JSON string in ASCII alone, so that it reads the same in any code page:
// quotes, backslashes, control characters and everything beyond U+007E
// escaped (pairs of escapes beyond U+FFFF), ill-formed UTF-8 as U+FFFD.
std::string JsonText(std::string_view text);

// Items that are JSON already, as one array.
std::string JsonArray(const std::vector<std::string>& items);
std::string JsonTexts(const std::vector<std::string>& texts);

// One JSON object, members in the order added.
class JsonObject {
 public:
  JsonObject& Raw(std::string_view key, std::string_view json);
  JsonObject& Text(std::string_view key, std::string_view text) { return Raw(key, JsonText(text)); }
  JsonObject& Number(std::string_view key, int64_t number) { return Raw(key, std::to_string(number)); }
  JsonObject& Bool(std::string_view key, bool value) { return Raw(key, value ? "true" : "false"); }
  JsonObject& Null(std::string_view key) { return Raw(key, "null"); }
  // null for an empty text, or for none.
  JsonObject& TextOrNull(std::string_view key, std::string_view text) {
    return text.empty() ? Null(key) : Text(key, text);
  }
  JsonObject& NumberOrNull(std::string_view key, std::optional<int64_t> number) {
    return number ? Number(key, *number) : Null(key);
  }
  JsonObject& BoolOrNull(std::string_view key, std::optional<bool> value) {
    return value ? Bool(key, *value) : Null(key);
  }
  // Adds the other object's members after these.
  JsonObject& Merge(const JsonObject& other);

  std::string Json() const { return "{" + members_ + "}"; }

 private:
  std::string members_;
};

}  // namespace orvel::cli

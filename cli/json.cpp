#include "cli/json.h"

#include <cstdio>
#include <optional>

#include "text/utf8.h"

namespace orvel::cli {

namespace {

// The characters JSON escapes with a letter, and their letters.
constexpr std::string_view kEscaped = "\"\\\n\r\t";
constexpr std::string_view kLetters = "\"\\nrt";

void AppendEscape(std::string& json, unsigned unit) {
  char escape[7];
  std::snprintf(escape, sizeof escape, "\\u%04x", unit);
  json += escape;
}

}  // namespace

std::string JsonText(std::string_view text) {
  std::string json = "\"";
  for (size_t pos = 0; pos < text.size();) {
    const std::optional<char32_t> decoded = NextCodePoint(text, pos);
    // Bytes that are no character, and halves of one, show as U+FFFD.
    const char32_t cp = decoded && !IsSurrogate(*decoded) ? *decoded : U'\uFFFD';
    const size_t letter = cp < 0x80 ? kEscaped.find(static_cast<char>(cp)) : std::string_view::npos;
    if (letter != std::string_view::npos) {
      json.append("\\").push_back(kLetters[letter]);
    } else if (cp >= 0x20 && cp < 0x7F) {
      json += static_cast<char>(cp);
    } else if (cp < 0x10000) {
      AppendEscape(json, static_cast<unsigned>(cp));
    } else {
      AppendEscape(json, 0xD800 + ((cp - 0x10000) >> 10));
      AppendEscape(json, 0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  return json + "\"";
}

std::string JsonArray(const std::vector<std::string>& items) {
  std::string json = "[";
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) json += ",";
    json += items[i];
  }
  return json + "]";
}

std::string JsonTexts(const std::vector<std::string>& texts) {
  std::vector<std::string> items;
  items.reserve(texts.size());
  for (const std::string& text : texts) items.push_back(JsonText(text));
  return JsonArray(items);
}

JsonObject& JsonObject::Raw(std::string_view key, std::string_view json) {
  if (!members_.empty()) members_ += ",";
  members_.append(JsonText(key)).append(":").append(json);
  return *this;
}

JsonObject& JsonObject::Merge(const JsonObject& other) {
  if (!members_.empty() && !other.members_.empty()) members_ += ",";
  members_ += other.members_;
  return *this;
}

}  // namespace orvel::cli

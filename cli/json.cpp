#include "cli/json.h"

#include <cstdio>

namespace orvel::cli {

std::string JsonText(std::string_view text) {
  std::string json = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[7];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
          json += escape;
        } else {
          json += c;
        }
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

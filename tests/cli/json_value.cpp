#include "tests/cli/json_value.h"

#include <stdexcept>

namespace orvel::test {
namespace {

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  JsonValue Document() {
    JsonValue value = Value();
    Blank();
    if (pos_ != text_.size()) Fail("text after the value");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error("JSON: " + what + " at " + std::to_string(pos_));
  }
  void Blank() {
    while (pos_ < text_.size() && std::string_view(" \t\r\n").find(text_[pos_]) != std::string_view::npos) ++pos_;
  }
  bool Take(char c) {
    Blank();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) Fail(std::string("expected ") + c);
  }
  bool Word(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  JsonValue Value() {
    Blank();
    JsonValue value;
    if (pos_ >= text_.size()) Fail("no value");
    const char c = text_[pos_];
    if (c == '{') {
      value.kind = JsonValue::Kind::kObject;
      ++pos_;
      if (Take('}')) return value;
      do {
        Blank();
        std::string key = Text();
        Expect(':');
        value.names.push_back(std::move(key));
        value.members.push_back(Value());
      } while (Take(','));
      Expect('}');
    } else if (c == '[') {
      value.kind = JsonValue::Kind::kArray;
      ++pos_;
      if (Take(']')) return value;
      do value.items.push_back(Value());
      while (Take(','));
      Expect(']');
    } else if (c == '"') {
      value.kind = JsonValue::Kind::kText;
      value.text = Text();
    } else if (Word("true")) {
      value.kind = JsonValue::Kind::kBool;
      value.boolean = true;
    } else if (Word("false")) {
      value.kind = JsonValue::Kind::kBool;
    } else if (Word("null")) {
    } else if (c == '-' || (c >= '0' && c <= '9')) {
      value.kind = JsonValue::Kind::kNumber;
      size_t used = 0;
      value.number = std::stoll(std::string(text_.substr(pos_, 24)), &used);
      pos_ += used;
    } else {
      Fail("unexpected character");
    }
    return value;
  }

  std::string Text() {
    if (!Word("\"")) Fail("expected a string");
    std::string text;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      char c = text_[pos_++];
      if (static_cast<unsigned char>(c) < 0x20) Fail("control character in a string");
      if (c == '\\') {
        if (pos_ >= text_.size()) Fail("cut-off escape");
        c = text_[pos_++];
        if (c == 'n') c = '\n';
        if (c == 'r') c = '\r';
        if (c == 't') c = '\t';
        if (c == 'u') {
          AppendUtf8(text, CodePoint());
          continue;
        }
      }
      text += c;
    }
    if (!Word("\"")) Fail("unterminated string");
    return text;
  }

  // The four hex digits of a \u escape.
  unsigned Unit() {
    const std::string digits(text_.substr(pos_, 4));
    if (digits.size() != 4 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      Fail("bad \\u escape");
    }
    pos_ += 4;
    return static_cast<unsigned>(std::stoul(digits, nullptr, 16));
  }

  // After "\u": one escape, or a high and a low surrogate's two.
  char32_t CodePoint() {
    const unsigned unit = Unit();
    if (unit < 0xD800 || unit > 0xDFFF) return unit;
    if (unit > 0xDBFF || !Word("\\u")) Fail("lone surrogate");
    const unsigned low = Unit();
    if (low < 0xDC00 || low > 0xDFFF) Fail("lone surrogate");
    return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
  }

  static void AppendUtf8(std::string& text, char32_t cp) {
    if (cp < 0x80) {
      text += static_cast<char>(cp);
    } else if (cp < 0x800) {
      text += static_cast<char>(0xC0 | (cp >> 6));
      text += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      text += static_cast<char>(0xE0 | (cp >> 12));
      text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      text += static_cast<char>(0xF0 | (cp >> 18));
      text += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](std::string_view key) const {
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == key) return members[i];
  }
  throw std::runtime_error("JSON: no member " + std::string(key));
}

JsonValue ParseJson(std::string_view text) { return Parser(text).Document(); }

}  // namespace orvel::test

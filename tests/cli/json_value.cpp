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
        value.members.emplace_back(std::move(key), Value());
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
          const unsigned code = std::stoul(std::string(text_.substr(pos_, 4)), nullptr, 16);
          if (code >= 0x80) Fail("escape beyond ASCII");
          c = static_cast<char>(code);
          pos_ += 4;
        }
      }
      text += c;
    }
    if (!Word("\"")) Fail("unterminated string");
    return text;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](std::string_view key) const {
  for (const auto& [name, value] : members) {
    if (name == key) return value;
  }
  throw std::runtime_error("JSON: no member " + std::string(key));
}

JsonValue ParseJson(std::string_view text) { return Parser(text).Document(); }

}  // namespace orvel::test

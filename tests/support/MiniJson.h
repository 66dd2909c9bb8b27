#pragma once
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// Just enough JSON to read the statistics server's log lines. \u escapes up
// to U+00FF become that single byte (the server writes raw bytes that way);
// higher ones become UTF-8.
struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<JsonValue> items;        // array elements, or object values
  std::vector<std::string> keys;       // object keys, beside items

  [[nodiscard]] const JsonValue* Find(std::string_view key) const {
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (keys[i] == key) return &items[i];
    }
    return nullptr;
  }
};

class JsonReader {
 public:
  explicit JsonReader(std::string_view s) : s_(s) {}

  [[nodiscard]] std::optional<JsonValue> ReadDocument() {
    JsonValue v;
    if (!ReadValue(&v, 0)) return std::nullopt;
    SkipSpace();
    if (pos_ != s_.size()) return std::nullopt;
    return v;
  }

 private:
  static constexpr int kMaxDepth = 16;

  void SkipSpace() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\r' || s_[pos_] == '\n')) ++pos_;
  }
  bool Take(char c) {
    SkipSpace();
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool TakeWord(std::string_view w) {
    if (s_.substr(pos_, w.size()) != w) return false;
    pos_ += w.size();
    return true;
  }

  bool ReadValue(JsonValue* v, int depth) {
    if (depth > kMaxDepth) return false;
    SkipSpace();
    if (pos_ >= s_.size()) return false;
    char c = s_[pos_];
    if (c == '"') {
      v->kind = JsonValue::Kind::String;
      return ReadString(&v->text);
    }
    if (c == '[' || c == '{') return ReadContainer(v, depth);
    if (TakeWord("null")) return true;
    if (TakeWord("true")) {
      v->kind = JsonValue::Kind::Bool;
      v->boolean = true;
      return true;
    }
    if (TakeWord("false")) {
      v->kind = JsonValue::Kind::Bool;
      return true;
    }
    std::string number;
    while (pos_ < s_.size() && std::string_view("+-.0123456789eE").find(s_[pos_]) != std::string_view::npos) {
      number += s_[pos_++];
    }
    if (number.empty()) return false;
    v->kind = JsonValue::Kind::Number;
    v->number = std::strtod(number.c_str(), nullptr);
    return true;
  }

  bool ReadContainer(JsonValue* v, int depth) {
    const bool object = s_[pos_] == '{';
    const char close = object ? '}' : ']';
    ++pos_;
    v->kind = object ? JsonValue::Kind::Object : JsonValue::Kind::Array;
    if (Take(close)) return true;
    do {
      if (object) {
        SkipSpace();
        std::string key;
        if (!ReadString(&key) || !Take(':')) return false;
        v->keys.push_back(std::move(key));
      }
      JsonValue item;
      if (!ReadValue(&item, depth + 1)) return false;
      v->items.push_back(std::move(item));
    } while (Take(','));
    return Take(close);
  }

  bool ReadHex4(unsigned* out) {
    if (pos_ + 4 > s_.size()) return false;
    char* end = nullptr;
    std::string digits(s_.substr(pos_, 4));
    *out = static_cast<unsigned>(std::strtoul(digits.c_str(), &end, 16));
    if (end != digits.c_str() + 4) return false;
    pos_ += 4;
    return true;
  }

  static void AppendUtf8(std::string* out, unsigned cp) {
    if (cp <= 0xFF) {
      *out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      *out += static_cast<char>(0xC0 | (cp >> 6));
      *out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      *out += static_cast<char>(0xE0 | (cp >> 12));
      *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      *out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      *out += static_cast<char>(0xF0 | (cp >> 18));
      *out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      *out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  bool ReadString(std::string* out) {
    if (pos_ >= s_.size() || s_[pos_] != '"') return false;
    ++pos_;
    while (pos_ < s_.size()) {
      char c = s_[pos_++];
      if (c == '"') return true;
      if (c != '\\') {
        *out += c;
        continue;
      }
      if (pos_ >= s_.size()) return false;
      char e = s_[pos_++];
      switch (e) {
        case 'b': *out += '\b'; break;
        case 'f': *out += '\f'; break;
        case 'n': *out += '\n'; break;
        case 'r': *out += '\r'; break;
        case 't': *out += '\t'; break;
        case 'u': {
          unsigned cp = 0;
          if (!ReadHex4(&cp)) return false;
          if (cp >= 0xD800 && cp < 0xDC00) {
            unsigned low = 0;
            if (!TakeWord("\\u") || !ReadHex4(&low)) return false;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          }
          AppendUtf8(out, cp);
          break;
        }
        default: *out += e; break;
      }
    }
    return false;
  }

  std::string_view s_;
  std::size_t pos_ = 0;
};

}  // namespace testsupport

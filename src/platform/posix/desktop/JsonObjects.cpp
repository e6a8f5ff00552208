#include "platform/posix/desktop/JsonObjects.h"

#include <cctype>
#include <cstdint>

namespace fondex::platform::posix::desktop {
namespace {

// Deeper than any tool's answer nests; a deeper text is refused rather than read on the stack.
constexpr int kDeepest = 64;

void AppendUtf8(std::string& text, std::uint32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::optional<std::vector<JsonMembers>> Objects() {
    std::vector<JsonMembers> objects;
    if (!Take('[')) {
      return std::nullopt;
    }
    if (Take(']')) {
      return AtEnd() ? std::optional(objects) : std::nullopt;
    }
    do {
      std::optional<JsonMembers> object = Object(0);
      if (!object) {
        return std::nullopt;
      }
      objects.push_back(std::move(*object));
    } while (Take(','));
    return Take(']') && AtEnd() ? std::optional(objects) : std::nullopt;
  }

 private:
  void Blank() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])) != 0) {
      ++at_;
    }
  }

  bool Take(char c) {
    Blank();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }

  bool AtEnd() {
    Blank();
    return at_ == text_.size();
  }

  std::optional<JsonMembers> Object(int depth) {
    JsonMembers members;
    if (depth > kDeepest || !Take('{')) {
      return std::nullopt;
    }
    if (Take('}')) {
      return members;
    }
    do {
      std::optional<std::string> name = String();
      if (!name || !Take(':')) {
        return std::nullopt;
      }
      std::optional<std::string> scalar;
      if (!Value(depth, scalar)) {
        return std::nullopt;
      }
      if (scalar) {
        members[std::move(*name)] = std::move(*scalar);
      }
    } while (Take(','));
    return Take('}') ? std::optional(std::move(members)) : std::nullopt;
  }

  // Reads one value: a string's or bare word's text goes into `scalar`, an object or array is
  // read and left out.
  bool Value(int depth, std::optional<std::string>& scalar) {
    Blank();
    if (at_ < text_.size() && text_[at_] == '{') {
      return Object(depth + 1).has_value();
    }
    if (Take('[')) {
      return Take(']') || Elements(depth + 1);
    }
    scalar = at_ < text_.size() && text_[at_] == '"' ? String() : Word();
    return scalar.has_value();
  }

  bool Elements(int depth) {
    do {
      std::optional<std::string> scalar;
      if (depth > kDeepest || !Value(depth, scalar)) {
        return false;
      }
    } while (Take(','));
    return Take(']');
  }

  std::optional<std::string> Word() {
    const std::size_t start = at_;
    while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) != 0 ||
                                  text_[at_] == '-' || text_[at_] == '+' || text_[at_] == '.')) {
      ++at_;
    }
    return at_ > start ? std::optional<std::string>(text_.substr(start, at_ - start))
                       : std::nullopt;
  }

  std::optional<std::string> String() {
    if (!Take('"')) {
      return std::nullopt;
    }
    std::string text;
    while (at_ < text_.size() && text_[at_] != '"') {
      if (text_[at_] != '\\') {
        text += text_[at_++];
      } else if (!Escape(text)) {
        return std::nullopt;
      }
    }
    return at_++ < text_.size() ? std::optional(std::move(text)) : std::nullopt;
  }

  bool Escape(std::string& text) {
    if (++at_ >= text_.size()) {
      return false;
    }
    const char c = text_[at_++];
    constexpr std::string_view kFrom = "\"\\/bfnrt";
    constexpr std::string_view kTo = "\"\\/\b\f\n\r\t";
    if (const std::size_t simple = kFrom.find(c); simple != std::string_view::npos) {
      text += kTo[simple];
      return true;
    }
    std::optional<std::uint32_t> code = c == 'u' ? Hex() : std::nullopt;
    if (code && *code >= 0xD800 && *code < 0xDC00 && text_.substr(at_, 2) == "\\u") {
      at_ += 2;
      const std::optional<std::uint32_t> low = Hex();
      code = low && *low >= 0xDC00 && *low < 0xE000
                 ? std::optional(0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00))
                 : std::nullopt;
    }
    if (code) {
      AppendUtf8(text, *code);
    }
    return code.has_value();
  }

  std::optional<std::uint32_t> Hex() {
    if (at_ + 4 > text_.size()) {
      return std::nullopt;
    }
    std::uint32_t code = 0;
    for (const char digit : text_.substr(at_, 4)) {
      if (std::isxdigit(static_cast<unsigned char>(digit)) == 0) {
        return std::nullopt;
      }
      code = code * 16 + static_cast<std::uint32_t>(std::isdigit(digit) != 0
                                                        ? digit - '0'
                                                        : std::tolower(digit) - 'a' + 10);
    }
    at_ += 4;
    return code;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

std::optional<std::vector<JsonMembers>> ArrayOfObjects(std::string_view json) {
  return Reader(json).Objects();
}

}  // namespace fondex::platform::posix::desktop

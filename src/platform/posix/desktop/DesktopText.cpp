#include "platform/posix/desktop/DesktopText.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

namespace fondex::platform::posix::desktop {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

// The value of `digits` hex digits at `at`; nothing when they are not all there.
std::optional<std::uint32_t> HexNumber(std::string_view text, std::size_t at, std::size_t digits) {
  if (at + digits > text.size()) {
    return std::nullopt;
  }
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    const int digit = HexValue(text[at + i]);
    if (digit < 0) {
      return std::nullopt;
    }
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value;
}

void AppendHexByte(std::string& out, unsigned char byte) {
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

// The character an escape "\c" of the GSettings text format stands for.
char SimpleEscape(char c) {
  switch (c) {
    case 'a':
      return '\a';
    case 'b':
      return '\b';
    case 'f':
      return '\f';
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    case 'v':
      return '\v';
    default:
      return c;
  }
}

std::string PercentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = text[i] == '%' ? HexNumber(text, i + 1, 2) : std::nullopt;
    out += byte ? static_cast<char>(*byte) : text[i];
    i += byte ? 2 : 0;
  }
  return out;
}

// The character that starts at `at`, which moves past it; nothing when no valid UTF-8 sequence
// starts there.
std::optional<std::uint32_t> DecodeUtf8(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = lead < 0x80                   ? 1
                             : lead >= 0xC2 && lead < 0xE0 ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
  if (length == 0 || at + length > text.size()) {
    return std::nullopt;
  }
  std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) {
      return std::nullopt;
    }
    code = code << 6 | (next & 0x3F);
  }
  const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return std::nullopt;
  }
  at += length;
  return code;
}

void AppendQtEscape(std::string& out, std::uint32_t unit) {
  out += "\\x";
  AppendHexByte(out, static_cast<unsigned char>(unit >> 8));
  AppendHexByte(out, static_cast<unsigned char>(unit & 0xFF));
}

// The character of the escape "\\x" + up to four hex digits whose "x" is at `at`, which moves past
// it; a lone "x" stands for itself.
std::uint32_t QtHexEscape(std::string_view raw, std::size_t& at) {
  constexpr std::size_t kLongestHexEscape = 4;
  std::size_t digits = 0;
  while (digits < kLongestHexEscape && HexNumber(raw, at + 1 + digits, 1)) {
    ++digits;
  }
  const std::uint32_t code = digits > 0 ? *HexNumber(raw, at + 1, digits) : std::uint32_t{'x'};
  at += 1 + digits;
  return code;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (!DecodeUtf8(text, i)) {
      return false;
    }
  }
  return true;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string LexicallyNormal(std::string_view path) {
  return std::filesystem::path(path).lexically_normal().string();
}

std::string FileUri(std::string_view path) {
  std::string uri = "file://";
  for (char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsUnreserved(byte) || c == '/') {
      uri += c;
    } else {
      uri += '%';
      AppendHexByte(uri, byte);
    }
  }
  return uri;
}

std::optional<std::string> PathOfFileUri(std::string_view uri) {
  constexpr std::string_view kScheme = "file:";
  if (!uri.starts_with(kScheme)) {
    return std::nullopt;
  }
  std::string_view rest = uri.substr(kScheme.size());
  if (rest.starts_with("//")) {
    const std::size_t pathStart = rest.find('/', 2);
    rest = pathStart == std::string_view::npos ? std::string_view() : rest.substr(pathStart);
  }
  if (!rest.starts_with('/')) {
    return std::nullopt;
  }
  return PercentDecoded(rest);
}

std::string GVariantStringLiteral(std::string_view text) {
  std::string literal = "'";
  for (char c : text) {
    if (c == '\\' || c == '\'') {
      literal += '\\';
      literal += c;
    } else if (IsControl(static_cast<unsigned char>(c))) {
      literal += "\\u00";
      AppendHexByte(literal, static_cast<unsigned char>(c));
    } else {
      literal += c;
    }
  }
  return literal + "'";
}

std::optional<std::string> ParseGVariantString(std::string_view printed) {
  while (!printed.empty() && (printed.back() == '\n' || printed.back() == ' ')) {
    printed.remove_suffix(1);
  }
  if (printed.size() < 2 || (printed[0] != '\'' && printed[0] != '"') ||
      printed.back() != printed[0]) {
    return std::nullopt;
  }
  const std::string_view body = printed.substr(1, printed.size() - 2);
  std::string text;
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] != '\\' || i + 1 == body.size()) {
      text += body[i];
      continue;
    }
    const char escape = body[++i];
    const std::size_t digits = escape == 'u' ? 4 : escape == 'U' ? 8 : 0;
    const auto code = digits > 0 ? HexNumber(body, i + 1, digits) : std::nullopt;
    if (code) {
      AppendUtf8(text, *code);
      i += digits;
    } else {
      text += SimpleEscape(escape);
    }
  }
  return text;
}

std::string QtSettingsText(std::string_view raw) {
  std::string text;
  bool quoted = false;
  for (std::size_t at = 0; at < raw.size();) {
    const char c = raw[at++];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      break;
    } else if (c != '\\' || at == raw.size()) {
      text += c;
    } else if (raw[at] != 'x') {
      text += SimpleEscape(raw[at++]);
    } else {
      std::uint32_t code = QtHexEscape(raw, at);
      // A character beyond 16 bits comes as two escaped UTF-16 units.
      if (code >= 0xD800 && code < 0xDC00 && raw.substr(at).starts_with("\\x")) {
        std::size_t next = at + 1;
        const std::uint32_t low = QtHexEscape(raw, next);
        if (low >= 0xDC00 && low < 0xE000) {
          code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          at = next;
        }
      }
      AppendUtf8(text, code);
    }
  }
  return text;
}

std::string QtSettingsLiteral(std::string_view utf8) {
  std::string body;
  bool quoted = !utf8.empty() && (utf8.front() == ' ' || utf8.back() == ' ');
  bool afterEscape = false;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::optional<std::uint32_t> decoded = DecodeUtf8(utf8, at);
    at += decoded ? 0 : 1;  // a stray byte stands for the replacement character
    const std::uint32_t code = decoded.value_or(0xFFFD);
    if (code < 0x20 || code >= 0x7F || (afterEscape && HexValue(static_cast<char>(code)) >= 0)) {
      if (code > 0xFFFF) {  // as Qt holds it: two UTF-16 units
        AppendQtEscape(body, 0xD800 + ((code - 0x10000) >> 10));
        AppendQtEscape(body, 0xDC00 + ((code - 0x10000) & 0x3FF));
      } else {
        AppendQtEscape(body, code);
      }
      afterEscape = true;
      continue;
    }
    afterEscape = false;
    const char c = static_cast<char>(code);
    quoted = quoted || c == ',' || c == ';' || c == '=';
    if (c == '\\' || c == '"') {
      body += '\\';
    }
    body += c;
  }
  return quoted ? '"' + body + '"' : body;
}

std::string JavaScriptStringLiteral(std::string_view ascii) {
  std::string literal = "'";
  for (char c : ascii) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '\'' || c == '"') {
      literal += '\\';
      literal += c;
    } else if (IsControl(byte) || byte >= 0x80) {
      literal += "\\x";
      AppendHexByte(literal, byte);
    } else {
      literal += c;
    }
  }
  return literal + "'";
}

std::string FreshSpelling::For(const std::string& path) {
  if (path != last_) {
    last_ = path;
  } else {
    const std::size_t slash = path.rfind('/');
    last_ = path.substr(0, slash + 1) + "./" + path.substr(slash + 1);
  }
  return last_;
}

}  // namespace fondex::platform::posix::desktop

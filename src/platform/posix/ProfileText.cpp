#include "platform/posix/ProfileText.h"

#include "platform/posix/AsciiCase.h"

namespace fondex::platform::posix {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

struct Line {
  std::size_t begin = 0;
  std::size_t end = 0;   // end of the content, before CR LF or LF
  std::size_t next = 0;  // start of the following line
  std::string_view content;
};

class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}

  // The next line, or nothing at the end of the text.
  std::optional<Line> Next() {
    if (position_ >= text_.size()) {
      return std::nullopt;
    }
    Line line;
    line.begin = position_;
    const std::size_t newline = text_.find('\n', position_);
    line.next = newline == std::string_view::npos ? text_.size() : newline + 1;
    line.end = newline == std::string_view::npos ? text_.size() : newline;
    if (line.end > line.begin && text_[line.end - 1] == '\r') {
      --line.end;
    }
    line.content = text_.substr(line.begin, line.end - line.begin);
    position_ = line.next;
    return line;
  }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

std::optional<std::string_view> SectionName(std::string_view content) {
  std::string_view trimmed = Trimmed(content);
  if (!trimmed.starts_with('[')) {
    return std::nullopt;
  }
  trimmed.remove_prefix(1);
  return Trimmed(trimmed.substr(0, trimmed.find(']')));
}

struct Entry {
  std::string_view key;
  std::string_view value;
};

std::optional<Entry> EntryOf(std::string_view content) {
  const std::string_view trimmed = Trimmed(content);
  const std::size_t equals = trimmed.find('=');
  if (trimmed.starts_with(';') || equals == std::string_view::npos) {
    return std::nullopt;
  }
  return Entry{Trimmed(trimmed.substr(0, equals)), Trimmed(trimmed.substr(equals + 1))};
}

// Where a key is, or would go.
struct KeyPlace {
  std::optional<Line> line;  // the key's first entry
  std::string_view keyAsWritten;
  std::optional<std::size_t> sectionEnd;  // after the last non-blank line of the first section
};

KeyPlace Locate(std::string_view text, std::string_view section, std::string_view key) {
  KeyPlace place;
  Lines lines(text);
  bool inSection = false;
  bool inFirstSection = false;
  while (const std::optional<Line> line = lines.Next()) {
    if (const auto name = SectionName(line->content)) {
      inSection = EqualsIgnoringAsciiCase(*name, section);
      inFirstSection = inSection && !place.sectionEnd;
    } else if (const auto entry = EntryOf(line->content);
               inSection && entry && EqualsIgnoringAsciiCase(entry->key, key)) {
      place.line = line;
      place.keyAsWritten = entry->key;
      return place;
    }
    if (inFirstSection && !Trimmed(line->content).empty()) {
      place.sectionEnd = line->next;
    }
  }
  return place;
}

std::string_view LineEnding(std::string_view text) {
  const std::size_t newline = text.find('\n');
  if (newline == 0 || (newline != std::string_view::npos && text[newline - 1] != '\r')) {
    return "\n";
  }
  return "\r\n";
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
  const KeyPlace place = Locate(text, section, key);
  if (!place.line) {
    return std::nullopt;
  }
  return std::string(EntryOf(place.line->content)->value);
}

std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
  const KeyPlace place = Locate(text, section, key);
  const std::string_view eol = LineEnding(text);
  std::string result(text);
  if (place.line) {
    const std::string entry = std::string(place.keyAsWritten) + '=' + std::string(value);
    return result.replace(place.line->begin, place.line->end - place.line->begin, entry);
  }
  const std::string entry = std::string(key) + '=' + std::string(value) + std::string(eol);
  const bool unterminated = !result.empty() && !result.ends_with('\n');
  // A last line cut after its CR only lacks the LF: with it, the line reads as it did.
  const std::string lastLineEnd(result.ends_with('\r') ? "\n" : eol);
  if (place.sectionEnd) {
    const bool atUnterminatedEnd = unterminated && *place.sectionEnd == result.size();
    return result.insert(*place.sectionEnd, atUnterminatedEnd ? lastLineEnd + entry : entry);
  }
  if (unterminated) {
    result += lastLineEnd;
  }
  return result + '[' + std::string(section) + ']' + std::string(eol) + entry;
}

}  // namespace fondex::platform::posix

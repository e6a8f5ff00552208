#include "toolkit/HelpFile.h"

#include <charconv>

namespace fondex::toolkit {
namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string_view TrimmedLines(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r\n";
  const auto first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// The context and title of a section's opening line; nothing for another line.
std::optional<std::pair<int, std::string_view>> Header(std::string_view line) {
  line = Trimmed(line);
  const auto close = line.find(']');
  if (line.empty() || line.front() != '[' || close == std::string_view::npos || close < 2) {
    return std::nullopt;
  }
  int context = 0;
  const char* digits = line.data() + 1;
  const auto [end, error] = std::from_chars(digits, line.data() + close, context);
  if (error != std::errc() || end != line.data() + close || *digits == '-' || *digits == '+') {
    return std::nullopt;
  }
  return std::make_pair(context, Trimmed(line.substr(close + 1)));
}

}  // namespace

std::optional<HelpSection> FindHelpSection(std::string_view helpText, int context) {
  std::optional<HelpSection> section;
  std::size_t bodyStart = 0;
  std::size_t lineStart = 0;
  while (lineStart <= helpText.size()) {
    auto lineEnd = helpText.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) {
      lineEnd = helpText.size();
    }
    const auto header = Header(helpText.substr(lineStart, lineEnd - lineStart));
    if (header && section) {
      section->text = TrimmedLines(helpText.substr(bodyStart, lineStart - bodyStart));
      return section;
    }
    if (header && header->first == context) {
      section = HelpSection{std::string(header->second), {}};
      bodyStart = lineEnd + 1;
    }
    lineStart = lineEnd + 1;
  }
  if (section && bodyStart < helpText.size()) {
    section->text = TrimmedLines(helpText.substr(bodyStart));
  }
  return section;
}

}  // namespace fondex::toolkit

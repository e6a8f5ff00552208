#include "support/FakeProfileFiles.h"

#include <algorithm>
#include <utility>

#include "support/WindowsPath.h"
#include "util/Paths.h"

namespace fondex::test {

namespace {

using Lines = std::vector<std::string>;

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) {
    return "";
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<std::string> SectionOf(const std::string& line) {
  const std::string text = Trimmed(line);
  if (text.empty() || text.front() != '[') {
    return std::nullopt;
  }
  return Trimmed(text.substr(1, text.find(']') - 1));
}

// The key and value of a "key=value" line.
std::optional<std::pair<std::string, std::string>> KeyValueOf(const std::string& line) {
  const auto equals = line.find('=');
  if (SectionOf(line) || equals == std::string::npos) {
    return std::nullopt;
  }
  return std::pair{Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1))};
}

// Lines [first, last) of a section's keys, the header excluded; nothing when it is absent.
std::optional<std::pair<std::size_t, std::size_t>> SectionRange(const Lines& lines,
                                                                const std::string& section) {
  for (std::size_t header = 0; header < lines.size(); ++header) {
    const auto name = SectionOf(lines[header]);
    if (name && EqualIgnoringAsciiCase(*name, section)) {
      std::size_t end = header + 1;
      while (end < lines.size() && !SectionOf(lines[end])) {
        ++end;
      }
      return std::pair{header + 1, end};
    }
  }
  return std::nullopt;
}

std::optional<std::size_t> KeyLine(const Lines& lines, std::size_t first, std::size_t last,
                                   const std::string& key) {
  for (std::size_t i = first; i < last; ++i) {
    const auto keyValue = KeyValueOf(lines[i]);
    if (keyValue && EqualIgnoringAsciiCase(keyValue->first, key)) {
      return i;
    }
  }
  return std::nullopt;
}

// A new key goes after the section's last key line, or right under its header.
std::size_t NewKeyPlace(const Lines& lines, std::size_t first, std::size_t last) {
  std::size_t place = first;
  for (std::size_t i = first; i < last; ++i) {
    if (KeyValueOf(lines[i])) {
      place = i + 1;
    }
  }
  return place;
}

bool NameMatches(const std::string& refused, const std::string& name) {
  return refused.empty() || EqualIgnoringAsciiCase(refused, name);
}

}  // namespace

std::string FakeProfileFiles::GetString(const std::string& file, const std::string& section,
                                        const std::string& key, const std::string& defaultValue,
                                        std::size_t bufferSize) {
  const std::string name = util::LowerAscii(file);
  ++reads_[name];
  std::string value = defaultValue;
  const auto found = files_.find(name);
  if (found != files_.end()) {
    const Lines& lines = found->second;
    const auto range = SectionRange(lines, section);
    const auto line = range ? KeyLine(lines, range->first, range->second, key) : std::nullopt;
    if (line) {
      value = KeyValueOf(lines[*line])->second;
    }
  }
  return value.substr(0, bufferSize == 0 ? 0 : bufferSize - 1);
}

bool FakeProfileFiles::WriteString(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& value) {
  if (Refused(file, section, key)) {
    return false;
  }
  Lines& lines = files_[util::LowerAscii(file)];
  const std::string keyLine = key + "=" + value;
  const auto range = SectionRange(lines, section);
  if (!range) {
    lines.push_back("[" + section + "]");
    lines.push_back(keyLine);
    return true;
  }
  if (const auto line = KeyLine(lines, range->first, range->second, key)) {
    lines[*line] = KeyValueOf(lines[*line])->first + "=" + value;
    return true;
  }
  const auto place = NewKeyPlace(lines, range->first, range->second);
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place), keyLine);
  return true;
}

void FakeProfileFiles::SetFile(const std::string& file, const std::string& bytes) {
  Lines lines;
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      lines.push_back(std::exchange(line, {}));
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        ++i;
      }
    } else {
      line += bytes[i];
    }
  }
  if (!line.empty()) {
    lines.push_back(line);
  }
  files_[util::LowerAscii(file)] = std::move(lines);
}

std::optional<std::string> FakeProfileFiles::Render(const std::string& file) const {
  const auto found = files_.find(util::LowerAscii(file));
  if (found == files_.end()) {
    return std::nullopt;
  }
  std::string bytes;
  for (const std::string& line : found->second) {
    bytes += line + "\r\n";
  }
  return bytes;
}

bool FakeProfileFiles::Exists(const std::string& file) const {
  return files_.contains(util::LowerAscii(file));
}

void FakeProfileFiles::RefuseWrite(const std::string& file, const std::string& section,
                                   const std::string& key) {
  refusals_.push_back({file, section, key});
}

int FakeProfileFiles::Reads(const std::string& file) const {
  const auto found = reads_.find(util::LowerAscii(file));
  return found == reads_.end() ? 0 : found->second;
}

bool FakeProfileFiles::Refused(const std::string& file, const std::string& section,
                               const std::string& key) const {
  return std::any_of(refusals_.begin(), refusals_.end(), [&](const Refusal& refusal) {
    return EqualIgnoringAsciiCase(refusal.file, file) && NameMatches(refusal.section, section) &&
           NameMatches(refusal.key, key);
  });
}

}  // namespace fondex::test

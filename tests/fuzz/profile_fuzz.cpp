// Profile files: any bytes read; writing one key sets it and keeps every other line byte for
// byte, in order.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "platform/posix/ProfileText.h"

namespace {

using fondex::platform::posix::FindProfileValue;
using fondex::platform::posix::WithProfileValue;

struct Key {
  const char* section;
  const char* name;
};

// Every key the program reads or writes.
constexpr Key kKeys[] = {
    {"Desktop", "Wallpaper"},      {"Desktop", "TileWallpaper"}, {"Desktop", "WallpaperStyle"},
    {"Options", "HasardLieu"},     {"Options", "HasardTech"},    {"Options", "AuLancement"},
    {"Options", "Auto"},           {"Options", "D\xE9lai"},      {"Options", "FinNone"},
    {"Options", "FichiersCaches"}, {"Placement", "Top"},         {"Placement", "Left"},
};

// Line contents as the profile reader takes them: without their LF, nor a CR before it or at
// the end of the text.
std::vector<std::string_view> ContentsOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    lines.push_back(line);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const Key& key = kKeys[data[0] % std::size(kKeys)];
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  for (const Key& each : kKeys) {
    FindProfileValue(text, each.section, each.name);
  }
  const std::string value = "c:\\images\\mer.bmp";
  const std::string written = WithProfileValue(text, key.section, key.name, value);
  FUZZ_CHECK(FindProfileValue(written, key.section, key.name) == value);

  const std::string entryEnd = '=' + value;
  if (FindProfileValue(text, key.section, key.name)) {
    // The key's entry is rewritten in place; nothing else changes.
    const auto before = ContentsOf(text);
    const auto after = ContentsOf(written);
    FUZZ_CHECK(after.size() == before.size());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < after.size(); ++i) {
      if (after[i] != before[i]) {
        ++changed;
        FUZZ_CHECK(after[i].ends_with(entryEnd));
      }
    }
    FUZZ_CHECK(changed <= 1);
    return 0;
  }
  // An entry is added, with its section when there was none, and a line end after an
  // unterminated last line (its LF alone when it ends with a CR); taken out again, they leave
  // the old text byte for byte.
  const std::string entry = std::string(key.name) + entryEnd;
  const std::string header = "[" + std::string(key.section) + "]";
  for (const std::string eol : {"\n", "\r\n"}) {
    for (const std::string& added :
         {entry + eol, eol + entry + eol, "\n" + entry + eol, header + eol + entry + eol,
          eol + header + eol + entry + eol, "\n" + header + eol + entry + eol}) {
      for (std::size_t at = written.find(added); at != std::string::npos;
           at = written.find(added, at + 1)) {
        if (written.substr(0, at) + written.substr(at + added.size()) == text) {
          return 0;
        }
      }
    }
  }
  FUZZ_CHECK(!"the added entry leaves the old text whole");
  return 0;
}

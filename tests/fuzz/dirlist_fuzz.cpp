// The directory list file: any bytes load; a load that succeeds saves and loads again the same;
// a load that fails keeps every line that may name a directory.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "FuzzCheck.h"
#include "mainwindow/DirListText.h"
#include "util/Paths.h"

namespace {

bool SameCounts(const fondex::DirCountTable& a, const fondex::DirCountTable& b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    if (a.Get(static_cast<std::int64_t>(i)) != b.Get(static_cast<std::int64_t>(i))) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const fondex::DirListContents first = fondex::ReadDirListText(bytes);
  FUZZ_CHECK(first.directories.size() <= fondex::DirCountTable::kSize);
  if (first.failure) {
    std::set<std::string> kept;
    for (const std::string& directory : first.directories) {
      kept.insert(fondex::util::LowerAscii(directory));
    }
    const std::string text = bytes.substr(0, bytes.find('\0'));
    for (const std::string& directory : first.directories) {
      FUZZ_CHECK(!directory.empty() && text.find(directory) != std::string::npos);
    }
    return 0;
  }
  const std::string saved = fondex::DirListText(first.directories, first.counts);
  const fondex::DirListContents second = fondex::ReadDirListText(saved);
  FUZZ_CHECK(!second.failure);
  FUZZ_CHECK(second.directories == first.directories);
  FUZZ_CHECK(SameCounts(first.counts, second.counts, first.directories.size()));
  FUZZ_CHECK(fondex::DirListText(second.directories, second.counts) == saved);
  return 0;
}

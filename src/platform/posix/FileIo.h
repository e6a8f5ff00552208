#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fondex::platform::posix {

// Whole contents of a file; nothing when it cannot be opened or read (a directory, say).
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces a file through a temporary file in the same directory (written, synced, renamed over
// it), so that readers see the old contents or the new ones, never a mixture. A read-only file
// or a directory is not replaced. On any failure the old file stays whole, the temporary file
// is removed, and the result is false.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace fondex::platform::posix

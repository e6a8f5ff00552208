#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/pictures/BitmapHeader.h"
#include "platform/posix/FileIo.h"

namespace fondex::platform::posix {

// Well above the largest picture the decoder takes (kMaxDecodedPixels of 32 bits); a bitmap
// whose data would end further away is not read.
inline constexpr std::uint64_t kMaxBitmapFileSize = std::uint64_t{512} << 20;

// The layout of an open bitmap file, from its headers alone; nothing when it is not a loadable
// bitmap or its data would end beyond kMaxBitmapFileSize.
std::optional<BitmapLayout> ReadBitmapFileLayout(const RegularFile& file);

// An open bitmap file's bytes from its start to the end of its pixel data and no further;
// nothing when it is not a loadable bitmap within kMaxBitmapFileSize, or was cut short since it
// was opened.
std::optional<std::string> ReadBitmapBytes(const RegularFile& file);

// A bitmap file's bytes from its start to the end of its pixel data and no further; nothing
// when it is not a regular file holding a loadable bitmap within kMaxBitmapFileSize.
std::optional<std::string> ReadBitmapFile(const std::string& path);

bool IsLoadableBitmapFile(const std::string& path);

}  // namespace fondex::platform::posix

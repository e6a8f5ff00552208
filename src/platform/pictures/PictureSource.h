#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/posix/FileIo.h"

namespace fondex::platform::posix {

// The bytes of a picture file, read where the decoder asks and nowhere else.
class ByteSource {
 public:
  virtual ~ByteSource() = default;

  virtual std::uint64_t Size() const = 0;

  // Fills `into` from `offset`; false when the bytes are not all there or cannot be read.
  virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) = 0;

  // Reads up to `into.size()` bytes from `offset`, fewer at the end; the count, 0 on failure.
  std::size_t ReadSome(std::uint64_t offset, std::span<std::uint8_t> into);
};

// Bytes held in memory (a test's picture, a fuzzer's input).
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override;

 private:
  std::string_view bytes_;
};

// A regular file, opened without waiting on a device or a pipe; its size is taken once.
class FileSource : public ByteSource {
 public:
  // Nothing when the path is not a regular file that can be opened.
  static std::unique_ptr<FileSource> Open(const std::string& path);

  std::uint64_t Size() const override { return file_.Size(); }
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override;

 private:
  explicit FileSource(RegularFile file) : file_(std::move(file)) {}

  RegularFile file_;
};

}  // namespace fondex::platform::posix

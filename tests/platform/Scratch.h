#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace fondex::platform {

inline bool operator==(const FoundEntry& a, const FoundEntry& b) {
  return a.name == b.name && a.attributes == b.attributes;
}

inline void PrintTo(const FoundEntry& entry, std::ostream* out) {
  *out << '{' << entry.name << ", 0x" << std::hex << entry.attributes << std::dec << '}';
}

}  // namespace fondex::platform

namespace fondex::platform::posix::testing {

// Each test runs in a fresh directory tree under /tmp whose "platform" folder is the platform
// directory ($FONDEX_PLATFORM_DIR), with no desktop ($FONDEX_DESKTOP "none"), so that a test
// never touches the desktop it runs on; the tree, the variables and the working directory are
// put back afterwards.
class ScratchTest : public ::testing::Test {
 protected:
  ScratchTest();
  ~ScratchTest() override;

  // POSIX path of a name below the scratch root ("" for the root itself).
  std::string Posix(std::string_view relative) const;
  // The same path Windows-shaped: "C:\tmp\...\relative".
  std::string Windows(std::string_view relative) const;
  std::string PlatformDirectory() const { return Posix("platform"); }

  void Write(std::string_view relative, std::string_view bytes) const;
  std::string Read(std::string_view relative) const;
  void MakeDirectory(std::string_view relative) const;

 private:
  std::string root_;
  std::string previousWorkingDirectory_;
};

}  // namespace fondex::platform::posix::testing

#include "Scratch.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fondex::platform::posix::testing {

ScratchTest::ScratchTest() : previousWorkingDirectory_(std::filesystem::current_path()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "fondex-XXXXXX").string();
  root_ = ::mkdtemp(pattern.data());
  std::filesystem::create_directory(PlatformDirectory());
  ::setenv("FONDEX_PLATFORM_DIR", PlatformDirectory().c_str(), 1);
  ::setenv("FONDEX_DESKTOP", "none", 1);
}

ScratchTest::~ScratchTest() {
  std::filesystem::current_path(previousWorkingDirectory_);
  ::unsetenv("FONDEX_PLATFORM_DIR");
  ::unsetenv("FONDEX_DESKTOP");
  std::filesystem::remove_all(root_);
}

std::string ScratchTest::Posix(std::string_view relative) const {
  return relative.empty() ? root_ : root_ + '/' + std::string(relative);
}

std::string ScratchTest::Windows(std::string_view relative) const {
  std::string path = "C:" + Posix(relative);
  for (char& c : path) {
    if (c == '/') {
      c = '\\';
    }
  }
  return path;
}

void ScratchTest::Write(std::string_view relative, std::string_view bytes) const {
  std::ofstream(Posix(relative), std::ios::binary) << bytes;
}

std::string ScratchTest::Read(std::string_view relative) const {
  std::ifstream file(Posix(relative), std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

void ScratchTest::MakeDirectory(std::string_view relative) const {
  std::filesystem::create_directories(Posix(relative));
}

}  // namespace fondex::platform::posix::testing

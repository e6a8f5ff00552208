#include "TempFolder.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/win32/WinApi.h"

namespace fondex::win32test {
namespace {

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      const std::string child = path + "\\" + name;
      if (name == "." || name == "..") {
        continue;
      }
      ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(child);
      } else {
        ::DeleteFileA(child.c_str());
      }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryA(path.c_str());
}

}  // namespace

TempFolder::TempFolder() {
  char temp[MAX_PATH];
  char unique[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  ::GetTempFileNameA(temp, "fdx", 0, unique);
  ::DeleteFileA(unique);
  if (!::CreateDirectoryA(unique, nullptr)) {
    throw std::runtime_error("no temporary folder");
  }
  path_ = unique;
}

TempFolder::~TempFolder() {
  // Out of the folder first: a current directory cannot be removed.
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  ::SetCurrentDirectoryA(temp);
  RemoveTree(path_);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream(Join(name), std::ios::binary) << bytes;
}

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream file(Join(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

}  // namespace fondex::win32test

#include "platform/win32/Win32FileSystem.h"

#include <algorithm>
#include <memory>

#include "platform/win32/WinApi.h"

namespace fondex::platform::win32 {
namespace {

// The attribute bits the program knows; the system's others (compressed, indexed, ...) are not
// the program's business.
constexpr std::uint32_t kKnownAttributes =
    kReadOnly | kHidden | kSystem | kVolumeLabel | kDirectory | kArchive;

struct HandleCloser {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle OpenFile(const std::string& path, DWORD access, DWORD disposition) {
  HANDLE handle = ::CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
    DWORD done = 0;
    if (!::WriteFile(file, bytes.data() + written, chunk, &done, nullptr) || done == 0) {
      return false;
    }
    written += done;
  }
  return ::FlushFileBuffers(file) != 0;
}

}  // namespace

std::vector<FoundEntry> Win32FileSystem::FindEntries(const std::string& pattern) {
  std::vector<FoundEntry> entries;
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    return entries;
  }
  do {
    entries.push_back({found.cFileName, found.dwFileAttributes & kKnownAttributes});
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return entries;
}

std::optional<std::uint32_t> Win32FileSystem::GetAttributes(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return std::nullopt;
  }
  return attributes & kKnownAttributes;
}

std::optional<std::string> Win32FileSystem::GetFullPathName(const std::string& name) {
  char buffer[MAX_PATH];
  const DWORD length = ::GetFullPathNameA(name.c_str(), MAX_PATH, buffer, nullptr);
  if (length == 0 || length >= MAX_PATH) {
    return std::nullopt;
  }
  return std::string(buffer, length);
}

bool Win32FileSystem::SetCurrentDirectory(const std::string& path) {
  return ::SetCurrentDirectoryA(path.c_str()) != 0;
}

std::string Win32FileSystem::GetCurrentDirectory() {
  char buffer[MAX_PATH];
  const DWORD length = ::GetCurrentDirectoryA(MAX_PATH, buffer);
  return length == 0 || length >= MAX_PATH ? std::string() : std::string(buffer, length);
}

bool Win32FileSystem::DeleteFile(const std::string& path) {
  return ::DeleteFileA(path.c_str()) != 0;
}

std::optional<DiskFreeSpace> Win32FileSystem::GetDiskFreeSpace(const std::string& root) {
  DWORD sectorsPerCluster = 0;
  DWORD bytesPerSector = 0;
  DWORD freeClusters = 0;
  DWORD totalClusters = 0;
  if (!::GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters)) {
    return std::nullopt;
  }
  return DiskFreeSpace{sectorsPerCluster, bytesPerSector, freeClusters, totalClusters};
}

std::string Win32FileSystem::ExecutablePath() {
  char buffer[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::string() : std::string(buffer, length);
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) {
  const FileHandle file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size)) {
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t read = 0;
  while (read < bytes.size()) {
    DWORD done = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - read, 1 << 20));
    if (!::ReadFile(file.get(), bytes.data() + read, chunk, &done, nullptr) || done == 0) {
      return std::nullopt;
    }
    read += done;
  }
  return bytes;
}

bool Win32FileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
  // A read-only file or a directory keeps its contents, as a direct write would.
  const DWORD existing = ::GetFileAttributesA(path.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES &&
      (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }
  const std::string beside = path + ".new";
  bool written = false;
  if (const FileHandle file = OpenFile(beside, GENERIC_WRITE, CREATE_ALWAYS)) {
    written = WriteAll(file.get(), bytes);
  }
  if (written && ::MoveFileExA(beside.c_str(), path.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  ::DeleteFileA(beside.c_str());
  return false;
}

}  // namespace fondex::platform::win32

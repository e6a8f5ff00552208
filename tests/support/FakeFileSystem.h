#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "support/WindowsPath.h"

namespace fondex::test {

enum class DriveState { kReady, kNoMedium };

// An in-memory file system with Windows behaviour: drives with or without a medium, entries
// with attributes, names compared ignoring ASCII case, entries listed in creation order.
// A new one has drive C: (current directory C:\) and the executable C:\FONDEX\FONDEX.EXE.
class FakeFileSystem : public platform::FileSystem {
 public:
  static constexpr platform::DiskFreeSpace kDefaultSpace{8, 512, 100000, 500000};
  enum class Operation { kRead, kWrite, kDelete };

  FakeFileSystem();

  std::vector<platform::FoundEntry> FindEntries(const std::string& pattern) override;
  std::optional<std::uint32_t> GetAttributes(const std::string& path) override;
  std::optional<std::string> GetFullPathName(const std::string& name) override;
  bool SetCurrentDirectory(const std::string& path) override;
  std::string GetCurrentDirectory() override;
  bool DeleteFile(const std::string& path) override;
  std::optional<platform::DiskFreeSpace> GetDiskFreeSpace(const std::string& root) override;
  std::string ExecutablePath() override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;

  // Set-up and inspection. They reach drives without a medium too; missing parent directories
  // are created as plain directories.
  void AddDrive(char letter, DriveState state = DriveState::kReady,
                platform::DiskFreeSpace space = kDefaultSpace);
  void SetDriveState(char letter, DriveState state);
  void AddDirectory(const std::string& path, std::uint32_t attributes = platform::kDirectory);
  void AddFile(const std::string& path, std::string contents = {},
               std::uint32_t attributes = platform::kArchive);
  void SetAttributes(const std::string& path, std::uint32_t attributes);
  void Remove(const std::string& path);
  bool Exists(const std::string& path) const;
  std::optional<std::string> Contents(const std::string& path) const;
  void SetExecutablePath(std::string path) { executable_ = std::move(path); }

  // Makes an operation fail on one path, or on every path for an empty one (a full disk, a
  // read-only directory, ...). A failing write keeps the old contents.
  void MakeFail(Operation operation, const std::string& path = {});
  void ClearFailures() { failures_.clear(); }

  int FindEntriesCalls() const { return findEntriesCalls_; }
  int DiskFreeSpaceCalls() const { return diskFreeSpaceCalls_; }

 private:
  struct Node {
    std::string name;
    std::uint32_t attributes = 0;
    std::string contents;
    std::vector<std::unique_ptr<Node>> children;

    bool IsDirectory() const { return (attributes & platform::kDirectory) != 0; }
    Node* Child(const std::string& childName) const;
  };
  struct Drive {
    DriveState state = DriveState::kReady;
    platform::DiskFreeSpace space;
    std::unique_ptr<Node> root;
  };

  std::optional<FullPath> Expand(const std::string& name) const;
  // The node a full path names; a drive without a medium is reached only when asked.
  Node* Lookup(const FullPath& path, bool withoutMedium) const;
  Node* ParentOf(const FullPath& path, bool withoutMedium) const;
  Node& Create(const std::string& path, std::uint32_t attributes);
  FullPath ExpandForSetUp(const std::string& path) const;
  bool Fails(Operation operation, const std::string& path) const;
  static void Detach(Node& parent, const Node& child);

  std::map<char, Drive> drives_;
  FullPath current_;
  std::string executable_;
  std::vector<std::pair<Operation, std::string>> failures_;
  int findEntriesCalls_ = 0;
  int diskFreeSpaceCalls_ = 0;
};

}  // namespace fondex::test

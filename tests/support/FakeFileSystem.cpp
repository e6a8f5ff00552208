#include "support/FakeFileSystem.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "util/Paths.h"

namespace fondex::test {

using platform::FoundEntry;

FakeFileSystem::Node* FakeFileSystem::Node::Child(const std::string& childName) const {
  for (const auto& child : children) {
    if (EqualIgnoringAsciiCase(child->name, childName)) {
      return child.get();
    }
  }
  return nullptr;
}

FakeFileSystem::FakeFileSystem()
    : current_{"C:\\", {}, false}, executable_("C:\\FONDEX\\FONDEX.EXE") {
  AddDrive('C');
  AddFile(executable_);
}

std::vector<FoundEntry> FakeFileSystem::FindEntries(const std::string& pattern) {
  ++findEntriesCalls_;
  std::string directory;
  std::string name = pattern;
  if (const auto cut = pattern.rfind('\\'); cut != std::string::npos) {
    directory = pattern.substr(0, cut + 1);
    name = pattern.substr(cut + 1);
  } else if (pattern.size() >= 2 && pattern[1] == ':') {
    directory = pattern.substr(0, 2);
    name = pattern.substr(2);
  }
  const std::optional<FullPath> where = directory.empty() ? current_ : Expand(directory);
  const Node* node = where ? Lookup(*where, false) : nullptr;
  if (name.empty() || node == nullptr || !node->IsDirectory()) {
    return {};
  }
  // A search does not report read-only, so that no caller can rely on it.
  const auto reported = [](const Node& entry) { return entry.attributes & ~platform::kReadOnly; };
  std::vector<FoundEntry> candidates;
  // Every directory but a drive's root lists itself and its parent.
  if (!where->parts.empty()) {
    candidates.push_back({".", reported(*node)});
    candidates.push_back({"..", reported(*ParentOf(*where, false))});
  }
  for (const auto& child : node->children) {
    candidates.push_back({child->name, reported(*child)});
  }
  std::vector<FoundEntry> found;
  std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(found),
               [&name](const FoundEntry& entry) { return MatchesPattern(name, entry.name); });
  return found;
}

std::optional<std::uint32_t> FakeFileSystem::GetAttributes(const std::string& path) {
  if (path.find_first_of("*?") != std::string::npos) {
    return std::nullopt;
  }
  const auto full = Expand(path);
  const Node* node = full ? Lookup(*full, false) : nullptr;
  return node ? std::optional(node->attributes) : std::nullopt;
}

std::optional<std::string> FakeFileSystem::GetFullPathName(const std::string& name) {
  const auto full = Expand(name);
  return full ? std::optional(full->Text()) : std::nullopt;
}

bool FakeFileSystem::SetCurrentDirectory(const std::string& path) {
  const auto full = Expand(path);
  const Node* node = full ? Lookup(*full, false) : nullptr;
  if (node == nullptr || !node->IsDirectory()) {
    return false;
  }
  current_ = *full;
  current_.trailingBackslash = false;
  return true;
}

std::string FakeFileSystem::GetCurrentDirectory() {
  return current_.Text();
}

bool FakeFileSystem::DeleteFile(const std::string& path) {
  const auto full = Expand(path);
  const Node* node = full ? Lookup(*full, false) : nullptr;
  if (node == nullptr || node->IsDirectory() || (node->attributes & platform::kReadOnly) != 0 ||
      Fails(Operation::kDelete, path)) {
    return false;
  }
  Detach(*ParentOf(*full, false), *node);
  return true;
}

std::optional<platform::DiskFreeSpace> FakeFileSystem::GetDiskFreeSpace(const std::string& root) {
  ++diskFreeSpaceCalls_;
  if (root.size() != 3 || root[1] != ':' || root[2] != '\\') {
    return std::nullopt;
  }
  const auto drive = drives_.find(FullPath{root, {}, false}.Drive());
  if (drive == drives_.end() || drive->second.state != DriveState::kReady) {
    return std::nullopt;
  }
  return drive->second.space;
}

std::string FakeFileSystem::ExecutablePath() {
  return executable_;
}

std::optional<std::string> FakeFileSystem::ReadFile(const std::string& path) {
  const auto full = Expand(path);
  const Node* node = full ? Lookup(*full, false) : nullptr;
  if (node == nullptr || node->IsDirectory() || Fails(Operation::kRead, path)) {
    return std::nullopt;
  }
  return node->contents;
}

bool FakeFileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
  const auto full = Expand(path);
  if (!full || full->parts.empty() || full->trailingBackslash || Fails(Operation::kWrite, path)) {
    return false;
  }
  Node* parent = ParentOf(*full, false);
  if (parent == nullptr) {
    return false;
  }
  Node* node = parent->Child(full->parts.back());
  if (node == nullptr) {
    parent->children.push_back(
        std::make_unique<Node>(Node{full->parts.back(), platform::kArchive, bytes, {}}));
    return true;
  }
  if (node->IsDirectory() || (node->attributes & platform::kReadOnly) != 0) {
    return false;
  }
  node->contents = bytes;
  return true;
}

void FakeFileSystem::AddDrive(char letter, DriveState state, platform::DiskFreeSpace space) {
  const char drive = FullPath{std::string(1, letter) + ":\\", {}, false}.Drive();
  drives_[drive] =
      Drive{state, space, std::make_unique<Node>(Node{"", platform::kDirectory, {}, {}})};
}

void FakeFileSystem::SetDriveState(char letter, DriveState state) {
  const auto drive = drives_.find(FullPath{std::string(1, letter) + ":\\", {}, false}.Drive());
  if (drive == drives_.end()) {
    throw std::logic_error("no drive " + std::string(1, letter));
  }
  drive->second.state = state;
}

void FakeFileSystem::AddDirectory(const std::string& path, std::uint32_t attributes) {
  Create(path, attributes | platform::kDirectory);
}

void FakeFileSystem::AddFile(const std::string& path, std::string contents,
                             std::uint32_t attributes) {
  if ((attributes & platform::kDirectory) != 0) {
    throw std::logic_error("AddFile given a directory attribute for " + path);
  }
  Create(path, attributes).contents = std::move(contents);
}

void FakeFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
  Node* node = Lookup(ExpandForSetUp(path), true);
  if (node == nullptr) {
    throw std::logic_error("no entry " + path);
  }
  // An entry stays what it is: a file or a directory.
  node->attributes =
      (attributes & ~platform::kDirectory) | (node->attributes & platform::kDirectory);
}

void FakeFileSystem::Remove(const std::string& path) {
  const FullPath full = ExpandForSetUp(path);
  const Node* node = Lookup(full, true);
  Node* parent = ParentOf(full, true);
  if (node == nullptr || parent == nullptr) {
    throw std::logic_error("cannot remove " + path);
  }
  Detach(*parent, *node);
}

bool FakeFileSystem::Exists(const std::string& path) const {
  const auto full = Expand(path);
  return full && Lookup(*full, true) != nullptr;
}

std::optional<std::string> FakeFileSystem::Contents(const std::string& path) const {
  const auto full = Expand(path);
  const Node* node = full ? Lookup(*full, true) : nullptr;
  if (node == nullptr || node->IsDirectory()) {
    return std::nullopt;
  }
  return node->contents;
}

void FakeFileSystem::MakeFail(Operation operation, const std::string& path) {
  failures_.emplace_back(operation,
                         path.empty() ? "" : util::LowerAscii(ExpandForSetUp(path).Text()));
}

std::optional<FullPath> FakeFileSystem::Expand(const std::string& name) const {
  return ExpandPath(name, current_);
}

FakeFileSystem::Node* FakeFileSystem::Lookup(const FullPath& path, bool withoutMedium) const {
  const auto drive = drives_.find(path.Drive());
  if (drive == drives_.end() || (!withoutMedium && drive->second.state != DriveState::kReady)) {
    return nullptr;
  }
  Node* node = drive->second.root.get();
  for (const std::string& part : path.parts) {
    node = node->IsDirectory() ? node->Child(part) : nullptr;
    if (node == nullptr) {
      return nullptr;
    }
  }
  return (path.trailingBackslash && !node->IsDirectory()) ? nullptr : node;
}

FakeFileSystem::Node* FakeFileSystem::ParentOf(const FullPath& path, bool withoutMedium) const {
  if (path.parts.empty()) {
    return nullptr;
  }
  FullPath parent = path;
  parent.parts.pop_back();
  parent.trailingBackslash = true;
  return Lookup(parent, withoutMedium);
}

FakeFileSystem::Node& FakeFileSystem::Create(const std::string& path, std::uint32_t attributes) {
  const FullPath full = ExpandForSetUp(path);
  if (full.parts.empty()) {
    throw std::logic_error("cannot create the root " + path);
  }
  Node* node = Lookup(FullPath{full.root, {}, false}, true);
  for (std::size_t i = 0; i < full.parts.size(); ++i) {
    const bool last = i + 1 == full.parts.size();
    if (!node->IsDirectory()) {
      throw std::logic_error("a file lies on the path " + path);
    }
    Node* child = node->Child(full.parts[i]);
    if (child == nullptr) {
      node->children.push_back(std::make_unique<Node>(
          Node{full.parts[i], last ? attributes : std::uint32_t{platform::kDirectory}, {}, {}}));
      child = node->children.back().get();
    } else if (last) {
      if (child->IsDirectory() != ((attributes & platform::kDirectory) != 0)) {
        throw std::logic_error(path + " exists as another kind of entry");
      }
      child->attributes = attributes;
    }
    node = child;
  }
  return *node;
}

FullPath FakeFileSystem::ExpandForSetUp(const std::string& path) const {
  const auto full = Expand(path);
  if (!full || drives_.find(full->Drive()) == drives_.end()) {
    throw std::logic_error("no drive for " + path);
  }
  return *full;
}

bool FakeFileSystem::Fails(Operation operation, const std::string& path) const {
  const auto full = Expand(path);
  const std::string text = full ? util::LowerAscii(full->Text()) : std::string();
  return std::any_of(failures_.begin(), failures_.end(), [&](const auto& failure) {
    return failure.first == operation && (failure.second.empty() || failure.second == text);
  });
}

void FakeFileSystem::Detach(Node& parent, const Node& child) {
  std::erase_if(parent.children, [&child](const auto& each) { return each.get() == &child; });
}

}  // namespace fondex::test

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "toolkit/Control.h"
#include "toolkit/StringList.h"

namespace fondex::toolkit {

// File types a file list shows.
enum FileType : std::uint32_t {
  kFtReadOnly = 0x01,
  kFtHidden = 0x02,
  kFtSystem = 0x04,
  kFtVolumeId = 0x08,
  kFtDirectory = 0x10,
  kFtArchive = 0x20,
  kFtNormal = 0x80,
};

// True when the name matches the pattern: "*" any run of characters, "?" one character, ASCII
// letter case ignored.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// The files of one directory that match a mask, in the user's order of names.
class FileListBox : public Control, public StringList {
 public:
  FileListBox(std::string name, Control* parent, platform::FileSystem& files,
              const platform::Collation& names)
      : Control(ControlKind::kFileListBox, std::move(name), parent),
        StringList(names),
        files_(files) {}

  // One pattern, or several separated by ";".
  std::string mask = "*.*";
  bool showGlyphs = false;
  int itemHeight = 16;

  // The directory shown, as the system names it after entering it; empty when none.
  const std::string& Directory() const { return directory_; }

  // Points the list at a directory. The directory it shows already (same path ignoring case)
  // is not searched again: items and selection stay. Any other directory becomes the process's
  // current directory and is listed; false (and an empty list) when it cannot be entered.
  bool SetDirectory(const std::string& directory);

  std::uint32_t FileTypes() const { return fileTypes_; }
  void SetFileTypes(std::uint32_t types);  // a change lists the directory again
  void SetMask(std::string newMask);       // a change lists the directory again

  // Lists the directory again.
  void Update();
  // Empties the list; it then shows no directory.
  void Clear();

  int Count() const override { return static_cast<int>(items_.size()); }
  const std::vector<std::string>& Items() const { return items_; }
  const std::string& Item(int index) const override;
  void Delete(int index) override;
  int Add(std::string text) override;

  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);

  // Full path of the selected file; empty when none is selected.
  std::string FileName() const;

  std::function<void()> OnDblClick;
  Signal<> ItemsChanged;
  Signal<> SelectionChanged;

 private:
  bool Admits(std::uint32_t attributes) const;

  platform::FileSystem& files_;
  std::string directory_;
  std::uint32_t fileTypes_ = kFtReadOnly | kFtArchive | kFtNormal;
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

}  // namespace fondex::toolkit

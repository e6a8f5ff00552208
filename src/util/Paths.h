#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

// Path and file tests. They never change the file system and never show a message: a failing
// system query makes a test yield false. Paths are Windows-shaped; the backslash is the only
// separator these routines know.
namespace fondex::util {

// Attribute masks of the directory searches.
constexpr std::uint32_t kMaskDirectories = platform::kDirectory;
constexpr std::uint32_t kMaskHiddenFiles = platform::kHidden | platform::kSystem;
constexpr std::uint32_t kMaskAnyEntry = 0x3F;

// Lowers the ASCII capitals A to Z only; every other byte stays.
std::string LowerAscii(std::string text);

// The path up to and including its last backslash or colon; empty when it holds neither.
std::string DirectoryPart(const std::string& path);

// Hidden, system, volume-label and directory entries are admitted only when the mask holds
// every one of those bits that they carry; all other entries always are.
bool Admitted(std::uint32_t attributes, std::uint32_t mask);

// True when a search for the pattern returns at least one entry the mask admits.
bool FindsEntry(platform::FileSystem& files, const std::string& pattern, std::uint32_t mask);

// Drops one trailing backslash.
std::string WithoutTrailingBackslash(std::string text);
// Drops one trailing "." and then one trailing backslash: C:\WINDOWS\. gives C:\WINDOWS.
std::string WithoutDirSuffix(std::string text);
// The path of the directory's "." entry: C: and C:\ give C:\., C:\IMAGES gives C:\IMAGES\.
std::string WithDirDot(const std::string& path);
// The part after the last backslash; a colon is no separator here.
std::string NameAfterLastBackslash(const std::string& path);

// True when the trimmed path is exactly a drive letter and a colon, of a drive that holds a
// readable volume.
bool IsValidDrive(platform::FileSystem& files, const std::string& path);
// An existing directory, or the root of an available drive.
bool IsDirectory(platform::FileSystem& files, const std::string& path);
// An existing file that is neither a directory nor a volume label; hidden files count.
bool IsPlainFile(platform::FileSystem& files, const std::string& path);
// True when a search for the path finds an entry: files only (hidden and system included), or
// any entry.
bool EntryExists(platform::FileSystem& files, const std::string& path, bool filesOnly);

std::int32_t MaxOf(std::int32_t a, std::int32_t b);
std::int32_t MinOf(std::int32_t a, std::int32_t b);

}  // namespace fondex::util

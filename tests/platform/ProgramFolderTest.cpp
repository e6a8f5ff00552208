// Where the program keeps its own files, and where an installed copy finds its shared ones.

#include <gtest/gtest.h>

#include <filesystem>

#include "Scratch.h"
#include "platform/posix/ProgramFolder.h"

namespace fondex::platform::posix {
namespace {

using std::filesystem::perms;

class ProgramFolderTest : public testing::ScratchTest {
 protected:
  // A folder with the given permission bits, made removable again at the end.
  std::string FolderWithMode(const std::string& name, perms mode) {
    MakeDirectory(name);
    std::filesystem::permissions(Posix(name), mode);
    restore_.push_back(Posix(name));
    return Posix(name);
  }
  ~ProgramFolderTest() override {
    for (const std::string& folder : restore_) {
      std::filesystem::permissions(folder, perms::owner_all);
    }
  }

 private:
  std::vector<std::string> restore_;
};

TEST_F(ProgramFolderTest, AFolderAcceptsFilesOnlyWhenItsBitsLetThisUserWriteAndEnter) {
  // The bits decide even for the administrator, who could write anywhere.
  const struct {
    const char* name;
    perms mode;
    bool accepts;
  } cases[] = {
      {"owner-writes", perms::owner_all | perms::group_read | perms::group_exec, true},
      {"read-only", perms::owner_read | perms::owner_exec | perms::others_read, false},
      {"others-write", perms::owner_read | perms::owner_exec | perms::group_all | perms::others_all,
       false},
      {"no-entry", perms::owner_read | perms::owner_write, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FolderAcceptsFiles(FolderWithMode(c.name, c.mode)), c.accepts) << c.name;
  }
  Write("fichier", "pas un dossier");
  EXPECT_FALSE(FolderAcceptsFiles(Posix("fichier")));
  EXPECT_FALSE(FolderAcceptsFiles(Posix("absent")));
}

TEST_F(ProgramFolderTest, ACopyKeepsItsFilesBesideItselfUnlessItMayNotWriteThere) {
  const std::string writable = FolderWithMode("portable", perms::owner_all);
  const std::string locked =
      FolderWithMode("installe", perms::owner_read | perms::owner_exec | perms::others_read);
  const std::string perUser = Posix("config/fondex");
  const struct {
    std::string executable;
    std::string folder;
  } cases[] = {
      {writable + "/fondex", writable},
      {locked + "/fondex", perUser},
      {"", perUser},  // the system did not tell where the executable is
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProgramFolder(c.executable, perUser), c.folder) << c.executable;
  }
  // Created on first need.
  EXPECT_TRUE(std::filesystem::is_directory(perUser));
  // A per-user folder that cannot be made (its parent a file) leaves the copy in its own.
  Write("fichier", "");
  EXPECT_EQ(ProgramFolder(locked + "/fondex", Posix("fichier/fondex")), locked);
}

TEST_F(ProgramFolderTest, AFileMissingFromTheProgramsFolderIsTakenFromTheInstalledDataFolder) {
  const std::string executable = Posix("usr/bin/fondex");
  MakeDirectory("usr/bin");
  const std::string installed = InstalledDataFolder(executable);
  std::filesystem::create_directories(installed);
  EXPECT_FALSE(installed.starts_with(Posix("usr/bin"))) << installed;
  MakeDirectory("config");
  Write("usr/bin/Beside.hlp", "beside");
  Write("config/Both.hlp", "per user");
  for (const char* name : {"Both.hlp", "Installed.hlp"}) {
    std::filesystem::copy_file(Posix("config/Both.hlp"), installed + "/" + name);
  }
  const struct {
    std::string path;
    std::string found;
  } cases[] = {
      {Posix("config/Both.hlp"), Posix("config/Both.hlp")},  // the program's own copy first
      {Posix("config/Installed.hlp"), installed + "/Installed.hlp"},
      {Posix("config/Absent.hlp"), Posix("config/Absent.hlp")},
      {Posix("usr/bin/Beside.hlp"), Posix("usr/bin/Beside.hlp")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileOrInstalledCopy(c.path, executable), c.found) << c.path;
  }
}

}  // namespace
}  // namespace fondex::platform::posix

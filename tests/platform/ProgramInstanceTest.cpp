#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "Scratch.h"
#include "platform/posix/PosixPlatform.h"
#include "platform/posix/PosixProgramInstance.h"

namespace fondex::platform::posix::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Copies of the program in the folders "portable" (also reached through the link "lien") and
// "autre", guarded in the private runtime directory "runtime".
class ProgramInstanceTest : public ScratchTest {
 protected:
  ProgramInstanceTest() {
    MakeDirectory("runtime");
    ::chmod(Posix("runtime").c_str(), S_IRWXU);
    MakeDirectory("portable");
    MakeDirectory("autre");
    std::filesystem::create_directory_symlink(Posix("portable"), Posix("lien"));
  }

  std::unique_ptr<PosixProgramInstance> Copy(std::string_view folder,
                                             std::string_view runtime = "runtime") const {
    return std::make_unique<PosixProgramInstance>(Posix(folder), Posix(runtime));
  }

  std::size_t SocketsLeft() const {
    std::size_t sockets = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Posix("runtime"))) {
      sockets += entry.is_socket() ? 1 : 0;
    }
    return sockets;
  }
};

TEST_F(ProgramInstanceTest, OneCopyRunsPerFolderWhicheverWayItIsNamedAndHearsTheLaterStarts) {
  const auto first = Copy("portable");
  const auto other = Copy("autre");
  ASSERT_TRUE(first->Claim());
  ASSERT_TRUE(other->Claim());
  for (const char* folder : {"portable", "portable/.", "autre/../portable"}) {
    EXPECT_FALSE(Copy(folder)->Claim()) << folder;
  }
  const auto later = Copy("lien");
  ASSERT_FALSE(later->Claim());
  const std::vector<std::string> messages = {"next", "set\nc:\\un dossier\\mer.bmp", "",
                                             std::string(20000, 'x')};
  for (const std::string& message : messages) {
    EXPECT_TRUE(later->Send(message));
  }
  EXPECT_EQ(first->Receive(), messages);
  EXPECT_THAT(first->Receive(), IsEmpty());
  EXPECT_THAT(other->Receive(), IsEmpty());
}

TEST_F(ProgramInstanceTest, ACopyThatEndsOrIsKilledLeavesTheFolderFree) {
  ASSERT_TRUE(Copy("portable")->Claim());  // ended at once
  EXPECT_EQ(SocketsLeft(), 0u);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    PosixProgramInstance copy(Posix("portable"), Posix("runtime"));
    if (copy.Claim()) {
      ::kill(::getpid(), SIGKILL);
    }
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  EXPECT_EQ(SocketsLeft(), 1u);
  // Nobody listens behind the socket left over.
  EXPECT_FALSE(Copy("portable")->Send("next"));

  const auto next = Copy("portable");
  EXPECT_TRUE(next->Claim());
  const auto later = Copy("portable");
  EXPECT_FALSE(later->Claim());
  EXPECT_TRUE(later->Send("show"));
  EXPECT_THAT(next->Receive(), ElementsAre("show"));
}

// No private runtime directory (another user's /tmp/fondex-<uid>), one that does not exist, or a
// socket path over the system's limit: the running copy cannot be reached, and still runs alone.
TEST_F(ProgramInstanceTest, WithoutASocketTheFolderIsStillGuarded) {
  MakeDirectory(std::string(120, 'r'));
  for (const std::string& runtime :
       {std::string(), Posix("absent"), Posix(std::string(120, 'r'))}) {
    PosixProgramInstance first(Posix("portable"), runtime);
    PosixProgramInstance second(Posix("lien"), runtime);
    EXPECT_TRUE(first.Claim()) << runtime;
    EXPECT_FALSE(second.Claim()) << runtime;
    EXPECT_FALSE(second.Send("next")) << runtime;
    EXPECT_EQ(first.Descriptor(), -1);
  }
  EXPECT_TRUE(std::filesystem::exists(Posix("portable/FONDEX.LCK")));
  // A folder that is not there cannot be guarded: no copy runs for it.
  EXPECT_FALSE(Copy("absent")->Claim());
}

// A lock file that cannot be had (read-only folder, or a link, which is never followed): the
// folder itself is locked.
TEST_F(ProgramInstanceTest, AFolderWithoutAUsableLockFileIsLockedItself) {
  std::filesystem::create_symlink(Posix("ailleurs"), Posix("autre/FONDEX.LCK"));
  auto first = Copy("autre");
  ASSERT_TRUE(first->Claim());
  EXPECT_FALSE(Copy("autre/.")->Claim());
  EXPECT_FALSE(std::filesystem::exists(Posix("ailleurs")));
  first.reset();
  EXPECT_TRUE(Copy("autre")->Claim());
}

TEST_F(ProgramInstanceTest, OnlyAPrivateRuntimeDirectoryOfTheUsersOwnIsUsed) {
  MakeDirectory("ouvert");
  ::chmod(Posix("ouvert").c_str(), S_IRWXU | S_IRGRP | S_IXGRP | S_IROTH | S_IXOTH);
  const std::string fallback = "/tmp/fondex-" + std::to_string(::geteuid());
  struct Case {
    std::string variable;
    std::string chosen;
  };
  const std::vector<Case> cases = {{Posix("runtime"), Posix("runtime")},
                                   {Posix("ouvert"), fallback},
                                   {Posix("absent"), fallback},
                                   {"", fallback}};
  for (const Case& c : cases) {
    ::setenv("XDG_RUNTIME_DIR", c.variable.c_str(), 1);
    EXPECT_EQ(RuntimeDirectoryFromEnvironment(), c.chosen) << c.variable;
  }
  ::unsetenv("XDG_RUNTIME_DIR");
  struct stat status {};
  ASSERT_EQ(::lstat(fallback.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & (S_IRWXG | S_IRWXO), 0u);
}

TEST_F(ProgramInstanceTest, NamesGivenOnTheCommandLineBecomeTheProgramsNames) {
  MakeDirectory("images");
  std::filesystem::current_path(Posix("images"));
  const PathMapper paths(PlatformDirectory());
  struct Case {
    std::string given;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"mer.bmp", Windows("images/mer.bmp")},
      {"../autre/./ciel.bmp", Windows("autre/ciel.bmp")},
      {Posix("autre/foret"), Windows("autre/foret")},
      {"c:\\images\\Mer.bmp", "c:\\images\\Mer.bmp"},
      {"D:\\fonds", "D:\\fonds"},
      // Not a full Windows-shaped name: a file of the working directory.
      {"c:mer.bmp", Windows("images/c:mer.bmp")},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(paths.FromUser(c.given), c.expected) << c.given;
  }
}

TEST_F(ProgramInstanceTest, TheProgramsFolderIsTheExecutablesFolder) {
  EXPECT_TRUE(
      std::filesystem::equivalent(ProgramDirectory(PlatformDirectory()),
                                  std::filesystem::read_symlink("/proc/self/exe").parent_path()));
}

}  // namespace
}  // namespace fondex::platform::posix::testing

#pragma once

#include <string>

#include "platform/ProgramInstance.h"
#include "platform/posix/Handles.h"

namespace fondex::platform::posix {

// The user's private runtime directory: $XDG_RUNTIME_DIR when it is a directory of the user's
// own that nobody else may enter, else such a directory made in /tmp; empty when neither is.
std::string RuntimeDirectoryFromEnvironment();

// What the launcher gave this start to be let to the front: $XDG_ACTIVATION_TOKEN (Wayland),
// else $DESKTOP_STARTUP_ID (X11 startup notification); empty when it gave neither.
std::string LauncherTokenFromEnvironment();

// The guard of one program folder. The folder is known by its device and inode, so that every
// spelling of it (links included) names the same guard. In the runtime directory, a file locked
// by the running copy says that it runs (the system drops the lock when the process ends, even
// killed), and a datagram socket beside it takes the messages of later starts.
class PosixProgramInstance : public ProgramInstance {
 public:
  PosixProgramInstance(const std::string& programFolder,
                       const std::string& runtimeDirectory = RuntimeDirectoryFromEnvironment());
  ~PosixProgramInstance() override;
  PosixProgramInstance(const PosixProgramInstance&) = delete;
  PosixProgramInstance& operator=(const PosixProgramInstance&) = delete;

  bool Claim() override;
  // Waits up to a second for a copy that holds the folder but does not listen yet.
  bool Send(const std::string& message) override;
  int Descriptor() const override { return socket_.Get(); }
  std::vector<std::string> Receive() override;

 private:
  int SendOnce(const std::string& message) const;

  std::string lockPath_;  // empty when the folder cannot be guarded
  std::string socketPath_;
  FileDescriptor lock_;
  FileDescriptor socket_;
};

}  // namespace fondex::platform::posix

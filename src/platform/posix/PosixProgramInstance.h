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

// The name of the lock file beside the program's own files.
inline constexpr const char* kLockFileName = "FONDEX.LCK";

// The guard of one program folder. The running copy holds a lock on a file in the folder itself,
// beside FONDEX.DAT (on the folder, when no such file can be made there): every spelling of the
// folder names the same lock, and the system drops it when the process ends, even killed. A
// datagram socket in the runtime directory, named after the folder's device and inode, takes the
// messages of later starts; without one the running copy still runs alone, unreachable.
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

  std::string folder_;
  std::string socketPath_;  // empty when no socket can be had
  FileDescriptor lock_;
  FileDescriptor socket_;
};

}  // namespace fondex::platform::posix

#include "platform/posix/PosixProgramInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/posix/PathMapper.h"

namespace fondex::platform::posix {

namespace {

using std::chrono::milliseconds;

// A later start waits this long for a running copy that has not bound its socket yet.
constexpr milliseconds kListenWait{1000};
constexpr milliseconds kRetryInterval{20};
// Longer than any name a later start sends.
constexpr std::size_t kLargestMessage = 64 * 1024;

bool IsPrivateDirectory(const std::string& path) {
  struct stat status {};
  return !path.empty() && ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
         status.st_uid == ::geteuid() && (status.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

std::string GuardName(const struct stat& folder) {
  return "fondex-" + std::to_string(folder.st_dev) + "-" + std::to_string(folder.st_ino);
}

sockaddr_un SocketAddress(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof(address.sun_path) - 1);
  return address;
}

const sockaddr* Generic(const sockaddr_un& address) {
  return reinterpret_cast<const sockaddr*>(&address);
}

// Only a socket of the user's own is spoken to: 0 when the path is one, else the reason.
int OwnSocketError(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    return errno;
  }
  return S_ISSOCK(status.st_mode) && status.st_uid == ::geteuid() ? 0 : EACCES;
}

// The lock file, made when missing; the folder itself when the file can be neither made nor
// opened (a read-only folder); -1 when the folder cannot be opened either.
FileDescriptor OpenLock(const std::string& folder) {
  const std::string file = JoinPosix(folder, kLockFileName);
  FileDescriptor lock(
      ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR));
  if (lock.Get() < 0) {
    lock = FileDescriptor(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
  }
  if (lock.Get() < 0) {
    lock = FileDescriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  }
  return lock;
}

}  // namespace

std::string RuntimeDirectoryFromEnvironment() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
      runtime != nullptr && IsPrivateDirectory(runtime)) {
    return runtime;
  }
  const std::string own = "/tmp/fondex-" + std::to_string(::geteuid());
  ::mkdir(own.c_str(), S_IRWXU);
  return IsPrivateDirectory(own) ? own : "";
}

std::string LauncherTokenFromEnvironment() {
  for (const char* name : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"}) {
    if (const char* token = std::getenv(name); token != nullptr && *token != '\0') {
      return token;
    }
  }
  return "";
}

PosixProgramInstance::PosixProgramInstance(const std::string& programFolder,
                                           const std::string& runtimeDirectory)
    : folder_(programFolder) {
  struct stat folder {};
  if (runtimeDirectory.empty() || ::stat(programFolder.c_str(), &folder) != 0) {
    return;
  }
  const std::string socket = JoinPosix(runtimeDirectory, GuardName(folder) + ".sock");
  if (socket.size() < sizeof(sockaddr_un::sun_path)) {
    socketPath_ = socket;
  }
}

PosixProgramInstance::~PosixProgramInstance() {
  // The socket goes before the lock: whoever takes the lock next finds no socket of ours.
  if (socket_.Get() >= 0) {
    ::unlink(socketPath_.c_str());
  }
}

bool PosixProgramInstance::Claim() {
  FileDescriptor lock = OpenLock(folder_);
  if (lock.Get() < 0 || ::flock(lock.Get(), LOCK_EX | LOCK_NB) != 0) {
    return false;
  }
  lock_ = std::move(lock);
  if (socketPath_.empty()) {
    return true;
  }
  // A copy that was killed left its socket behind.
  ::unlink(socketPath_.c_str());
  FileDescriptor socket(::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  const sockaddr_un address = SocketAddress(socketPath_);
  if (socket.Get() >= 0 && ::bind(socket.Get(), Generic(address), sizeof(address)) == 0) {
    socket_ = std::move(socket);
  }
  return true;
}

bool PosixProgramInstance::Send(const std::string& message) {
  if (socketPath_.empty()) {
    return false;
  }
  const auto end = std::chrono::steady_clock::now() + kListenWait;
  for (;;) {
    const int error = SendOnce(message);
    if (error == 0) {
      return true;
    }
    if ((error != ENOENT && error != ECONNREFUSED) || std::chrono::steady_clock::now() >= end) {
      return false;
    }
    std::this_thread::sleep_for(kRetryInterval);
  }
}

// 0 when the message went, else the reason.
int PosixProgramInstance::SendOnce(const std::string& message) const {
  if (const int error = OwnSocketError(socketPath_); error != 0) {
    return error;
  }
  const FileDescriptor socket(::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0));
  // A copy that does not take its messages must not hold this start for long.
  const timeval limit{.tv_sec = 1, .tv_usec = 0};
  ::setsockopt(socket.Get(), SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof(limit));
  const sockaddr_un address = SocketAddress(socketPath_);
  const ssize_t sent = ::sendto(socket.Get(), message.data(), message.size(), MSG_NOSIGNAL,
                                Generic(address), sizeof(address));
  return sent == static_cast<ssize_t>(message.size()) ? 0 : errno;
}

std::vector<std::string> PosixProgramInstance::Receive() {
  std::vector<std::string> messages;
  std::string buffer(kLargestMessage, '\0');
  while (socket_.Get() >= 0) {
    const ssize_t size =
        ::recv(socket_.Get(), buffer.data(), buffer.size(), MSG_DONTWAIT | MSG_TRUNC);
    if (size < 0 && errno == EINTR) {
      continue;
    }
    if (size < 0) {
      break;
    }
    // A message cut short is no command.
    if (static_cast<std::size_t>(size) <= buffer.size()) {
      messages.emplace_back(buffer.data(), static_cast<std::size_t>(size));
    }
  }
  return messages;
}

}  // namespace fondex::platform::posix

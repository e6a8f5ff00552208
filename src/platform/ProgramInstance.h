#pragma once

#include <string>
#include <vector>

namespace fondex::platform {

// One running copy of the program per program folder. The first start claims the folder; a
// later start with the same folder hands a message to the copy that holds it instead of running.
// The claim ends with the process, however it ends.
class ProgramInstance {
 public:
  virtual ~ProgramInstance() = default;

  // True when this process now runs the program of its folder: no other copy holds it, or the
  // system offers no way to guard it (the program then runs as if alone).
  virtual bool Claim() = 0;
  // From a later start: hands the message to the running copy. False when it cannot be reached.
  virtual bool Send(const std::string& message) = 0;

  // In the running copy: messages of later starts wait while this descriptor is readable; -1
  // where none can arrive, or where they come as window messages instead.
  virtual int Descriptor() const = 0;
  // Every message waiting, in the order sent, without blocking.
  virtual std::vector<std::string> Receive() = 0;
};

}  // namespace fondex::platform

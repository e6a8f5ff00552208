#include "toolkit/IniFile.h"

#include "toolkit/Error.h"

namespace fondex::toolkit {

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) const {
  if (!profiles_.WriteString(fileName_, section, key, value)) {
    throw Error("Unable to write to " + fileName_);
  }
}

}  // namespace fondex::toolkit

#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ProfileFiles.h"

namespace fondex::test {

// In-memory profile (INI) files, held as their lines. File, section and key names compare
// ignoring ASCII case; values are read without surrounding blanks; a write replaces or adds
// one key line and keeps every other line in place.
class FakeProfileFiles : public platform::ProfileFiles {
 public:
  std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& defaultValue, std::size_t bufferSize) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;

  // Replaces a file with these bytes (lines end with CR LF, LF or CR).
  void SetFile(const std::string& file, const std::string& bytes);
  // The file's exact bytes, every line ended by CR LF; nothing when it does not exist.
  std::optional<std::string> Render(const std::string& file) const;
  bool Exists(const std::string& file) const;

  // Refuses writes to the file: of one key of one section, of every key of a section for an
  // empty key, of everything for an empty section.
  void RefuseWrite(const std::string& file, const std::string& section = {},
                   const std::string& key = {});
  void AllowWrites() { refusals_.clear(); }

  // How many times the file was read.
  int Reads(const std::string& file) const;

 private:
  struct Refusal {
    std::string file;
    std::string section;
    std::string key;
  };

  bool Refused(const std::string& file, const std::string& section, const std::string& key) const;

  std::map<std::string, std::vector<std::string>> files_;  // by lower-case name
  std::map<std::string, int> reads_;
  std::vector<Refusal> refusals_;
};

}  // namespace fondex::test

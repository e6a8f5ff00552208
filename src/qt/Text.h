#pragma once

#include <QString>
#include <string>

namespace fondex::qt {

// The program's texts are single-byte strings in the Windows ANSI code page (1252), while the
// names that come from the file system are the system's UTF-8. A text that is valid UTF-8 is
// read as such; any other is read as code page 1252.
QString ToQt(const std::string& text);

// Text typed or chosen by the user, in the system's encoding (UTF-8), so that a typed file name
// meets the file system's own names.
std::string FromQt(const QString& text);

}  // namespace fondex::qt

#pragma once

#include <QString>
#include <string>

namespace fondex::qt {

// The program's texts are UTF-8, like the system's file names. A text that is not valid UTF-8
// (a name written in the Windows code page, say) is read as code page 1252.
QString ToQt(const std::string& text);

// Text typed or chosen by the user, in the system's encoding (UTF-8), so that a typed file name
// meets the file system's own names.
std::string FromQt(const QString& text);

}  // namespace fondex::qt

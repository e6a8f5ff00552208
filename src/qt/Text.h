#pragma once

#include <QString>
#include <string>

namespace fondex::qt {

// The program's texts are UTF-8, like the system's file names. Bytes that are not UTF-8 (a name
// written in another encoding) show as the replacement character, as the file system's own names
// do, and leave the rest of the text as it is.
QString ToQt(const std::string& text);

// Text typed or chosen by the user, in the system's encoding (UTF-8), so that a typed file name
// meets the file system's own names.
std::string FromQt(const QString& text);

}  // namespace fondex::qt

#pragma once

#include <QString>
#include <optional>
#include <string>

namespace fondex::qt {

// The system's name that a text typed or pasted by the user plainly is: a full name ("/…"), a
// name in the home folder ("~/…") or a local "file://" address, its escapes decoded. Nothing
// for any other text, a Windows-shaped or a relative name among them.
std::optional<std::string> NativeNameTyped(const QString& text);

}  // namespace fondex::qt

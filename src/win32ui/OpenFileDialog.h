#pragma once

#include <optional>
#include <string>

#include "toolkit/ModalHost.h"

namespace fondex::win32ui {

// The filter of the system's file dialog: "Description|pattern|..." becomes pairs of strings
// ended by zeros, the whole ended by one more.
std::string SystemFilter(const std::string& filter);

// The system's file-open dialog for a request; the chosen file's full path, nothing when
// cancelled. The process's current directory stays as it was.
std::optional<std::string> RunOpenFileDialog(const toolkit::OpenDialogRequest& request);

}  // namespace fondex::win32ui

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/ModalHost.h"

// The standard message boxes: the only way the program's own code talks to the user outside
// its windows. Each box is modal and shows the text unchanged.
namespace fondex::util {

struct ButtonRoles {
  std::optional<toolkit::MessageButton> defaultButton;  // Enter
  std::optional<toolkit::MessageButton> cancelButton;   // Escape
};

// Enter presses OK, else Yes, else Retry; Escape presses Cancel, else No, else OK; a role whose
// button is not in the set has no button.
ButtonRoles RolesOf(const std::vector<toolkit::MessageButton>& buttons);

// An information box with a single "&Yes" button.
void ShowInfo(toolkit::Application& app, const std::string& text);
// An error box with a single "Cancel" button.
void ShowError(toolkit::Application& app, const std::string& text);
// A warning box with a single "Cancel" button.
void ShowWarning(toolkit::Application& app, const std::string& text);
// A confirmation with "&Yes" and "&No": 6 for Yes, 7 for No, 2 for the close button.
int AskYesNo(toolkit::Application& app, const std::string& text);
// ShowInfo of the text followed directly by n in decimal.
void ShowInfoNumber(toolkit::Application& app, const std::string& text, std::int32_t n);

}  // namespace fondex::util

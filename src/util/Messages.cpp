#include "util/Messages.h"

#include <algorithm>
#include <initializer_list>

namespace fondex::util {

namespace {

using toolkit::MessageButton;
using toolkit::MessageKind;

std::optional<MessageButton> FirstHeld(const std::vector<MessageButton>& buttons,
                                       std::initializer_list<MessageButton> candidates) {
  for (MessageButton candidate : candidates) {
    if (std::find(buttons.begin(), buttons.end(), candidate) != buttons.end()) {
      return candidate;
    }
  }
  return std::nullopt;
}

// The toolkit's own English titles; a custom box carries the application's title.
std::string TitleOf(const toolkit::Application& app, MessageKind kind) {
  switch (kind) {
    case MessageKind::kWarning:
      return "Warning";
    case MessageKind::kError:
      return "Error";
    case MessageKind::kInformation:
      return "Information";
    case MessageKind::kConfirmation:
      return "Confirm";
    case MessageKind::kCustom:
      break;
  }
  return app.title;
}

int ShowBox(toolkit::Application& app, MessageKind kind, const std::string& text,
            std::vector<MessageButton> buttons) {
  const ButtonRoles roles = RolesOf(buttons);
  toolkit::MessageBoxRequest request;
  request.title = TitleOf(app, kind);
  request.kind = kind;
  request.text = text;
  request.buttons = std::move(buttons);
  request.defaultButton = roles.defaultButton;
  request.cancelButton = roles.cancelButton;
  request.helpContext = 0;
  return app.ShowMessageBox(request);
}

}  // namespace

ButtonRoles RolesOf(const std::vector<MessageButton>& buttons) {
  return {FirstHeld(buttons, {MessageButton::kOK, MessageButton::kYes, MessageButton::kRetry}),
          FirstHeld(buttons, {MessageButton::kCancel, MessageButton::kNo, MessageButton::kOK})};
}

void ShowInfo(toolkit::Application& app, const std::string& text) {
  ShowBox(app, MessageKind::kInformation, text, {MessageButton::kYes});
}

void ShowError(toolkit::Application& app, const std::string& text) {
  ShowBox(app, MessageKind::kError, text, {MessageButton::kCancel});
}

void ShowWarning(toolkit::Application& app, const std::string& text) {
  ShowBox(app, MessageKind::kWarning, text, {MessageButton::kCancel});
}

int AskYesNo(toolkit::Application& app, const std::string& text) {
  return ShowBox(app, MessageKind::kConfirmation, text, {MessageButton::kYes, MessageButton::kNo});
}

void ShowInfoNumber(toolkit::Application& app, const std::string& text, std::int32_t n) {
  ShowInfo(app, text + std::to_string(n));
}

}  // namespace fondex::util

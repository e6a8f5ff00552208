#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fondex::toolkit {

class Form;

enum class MessageKind { kWarning, kError, kInformation, kConfirmation, kCustom };

enum class MessageButton { kYes, kNo, kOK, kCancel, kAbort, kRetry, kIgnore, kAll, kHelp };

// Result of a message box closed through its title-bar close button.
constexpr int kCloseBoxResult = 2;

struct MessageBoxRequest {
  std::string title;
  MessageKind kind = MessageKind::kInformation;
  std::string text;
  std::vector<MessageButton> buttons;          // in row order, left to right
  std::optional<MessageButton> defaultButton;  // Enter
  std::optional<MessageButton> cancelButton;   // Escape
  int helpContext = 0;
};

// Caption ("&Yes", "OK", ...) and result (6, 1, ...) of a message-box button.
const char* ButtonCaption(MessageButton button);
int ButtonResult(MessageButton button);

struct OpenDialogRequest {
  std::string title;
  std::string fileName;
  std::string initialDir;
  std::string defaultExt;
  std::string filter;  // "Description|pattern|Description|pattern"
  bool hideReadOnly = false;
  bool pathMustExist = false;
  bool fileMustExist = false;
  bool shareAware = false;
};

// Shows the program's modal windows; each call runs until the window closes.
class ModalHost {
 public:
  virtual ~ModalHost() = default;
  // The button's result, or kCloseBoxResult for the close button.
  virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
  // The chosen file's full path (Windows-shaped); nothing when cancelled.
  virtual std::optional<std::string> RunOpenDialog(const OpenDialogRequest& request) = 0;
  // Runs the form modally until its modal result is set or it is closed (result 2).
  virtual void RunModal(Form& form) = 0;
};

}  // namespace fondex::toolkit

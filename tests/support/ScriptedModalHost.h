#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/ModalHost.h"

namespace fondex::test {

// The modal windows of a test: each answer comes from a script queued beforehand, optionally
// with something to run while the window is open (a timer tick, say). A window without a
// script gets an answer all the same, and is counted as unscripted.
class ScriptedModalHost : public toolkit::ModalHost {
 public:
  using WhileOpen = std::function<void()>;
  using FormScript = std::function<void(toolkit::Form&)>;

  struct ShownBox {
    toolkit::MessageBoxRequest request;
    int result = 0;
    bool scripted = false;
  };
  struct ShownDialog {
    toolkit::OpenDialogRequest request;
    std::optional<std::string> result;
    bool scripted = false;
  };
  struct ShownForm {
    std::string name;
    int result = 0;
    bool scripted = false;
  };

  // The next message box answers this result.
  void AnswerBox(int result, WhileOpen whileOpen = {});
  // The next file dialog answers this file; nothing means cancelled.
  void AnswerDialog(std::optional<std::string> fileName, WhileOpen whileOpen = {});
  // The next modal form runs this script; a form it leaves without a modal result is closed
  // through its close box (result 2).
  void ScriptModal(FormScript script);

  // Without a script: the default button's result, or 1 when the box has none.
  int ShowMessageBox(const toolkit::MessageBoxRequest& request) override;
  // Without a script: cancelled.
  std::optional<std::string> RunOpenDialog(const toolkit::OpenDialogRequest& request) override;
  // Without a script: closed through the close box.
  void RunModal(toolkit::Form& form) override;

  // Every window shown, in the order it opened.
  const std::vector<ShownBox>& Boxes() const { return boxes_; }
  const std::vector<ShownDialog>& Dialogs() const { return dialogs_; }
  const std::vector<ShownForm>& Forms() const { return forms_; }
  int UnscriptedCount() const { return unscripted_; }
  // Scripts queued but not used yet.
  std::size_t PendingScripts() const;

 private:
  template <typename Result>
  struct Answer {
    Result result;
    WhileOpen whileOpen;
  };

  std::deque<Answer<int>> boxAnswers_;
  std::deque<Answer<std::optional<std::string>>> dialogAnswers_;
  std::deque<FormScript> formScripts_;
  std::vector<ShownBox> boxes_;
  std::vector<ShownDialog> dialogs_;
  std::vector<ShownForm> forms_;
  int unscripted_ = 0;
};

}  // namespace fondex::test

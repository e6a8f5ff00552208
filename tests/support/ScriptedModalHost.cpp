#include "support/ScriptedModalHost.h"

namespace fondex::test {

namespace {

// Takes the next scripted answer, if any, and runs what happens while the window is open.
// The record is reached through its index: windows opened meanwhile may move it.
template <typename Queued, typename Shown, typename Result>
void TakeAnswer(std::deque<Queued>& answers, std::vector<Shown>& shown, std::size_t index,
                Result unscripted, int& unscriptedCount) {
  if (answers.empty()) {
    shown[index].result = std::move(unscripted);
    ++unscriptedCount;
    return;
  }
  auto answer = std::move(answers.front());
  answers.pop_front();
  shown[index].scripted = true;
  if (answer.whileOpen) {
    answer.whileOpen();
  }
  shown[index].result = std::move(answer.result);
}

}  // namespace

void ScriptedModalHost::AnswerBox(int result, WhileOpen whileOpen) {
  boxAnswers_.push_back({result, std::move(whileOpen)});
}

void ScriptedModalHost::AnswerDialog(std::optional<std::string> fileName, WhileOpen whileOpen) {
  dialogAnswers_.push_back({std::move(fileName), std::move(whileOpen)});
}

void ScriptedModalHost::ScriptModal(FormScript script) {
  formScripts_.push_back(std::move(script));
}

int ScriptedModalHost::ShowMessageBox(const toolkit::MessageBoxRequest& request) {
  const std::size_t index = boxes_.size();
  boxes_.push_back({request, 0, false});
  const int unscripted = request.defaultButton ? toolkit::ButtonResult(*request.defaultButton) : 1;
  TakeAnswer(boxAnswers_, boxes_, index, unscripted, unscripted_);
  return boxes_[index].result;
}

std::optional<std::string> ScriptedModalHost::RunOpenDialog(
    const toolkit::OpenDialogRequest& request) {
  const std::size_t index = dialogs_.size();
  dialogs_.push_back({request, std::nullopt, false});
  TakeAnswer(dialogAnswers_, dialogs_, index, std::optional<std::string>(), unscripted_);
  return dialogs_[index].result;
}

void ScriptedModalHost::RunModal(toolkit::Form& form) {
  const std::size_t index = forms_.size();
  forms_.push_back({form.Name(), 0, false});
  if (formScripts_.empty()) {
    ++unscripted_;
  } else {
    const FormScript script = std::move(formScripts_.front());
    formScripts_.pop_front();
    forms_[index].scripted = true;
    script(form);
  }
  if (form.ModalResult() == 0) {
    form.SetModalResult(toolkit::kCloseBoxResult);
  }
  forms_[index].result = form.ModalResult();
}

std::size_t ScriptedModalHost::PendingScripts() const {
  return boxAnswers_.size() + dialogAnswers_.size() + formScripts_.size();
}

}  // namespace fondex::test

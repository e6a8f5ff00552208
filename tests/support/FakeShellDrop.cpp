#include "support/FakeSystem.h"

namespace fondex::test {

platform::DropHandle FakeShellDrop::AddDrop(std::vector<std::string> names) {
  drops_[next_] = Drop{std::move(names), 0};
  return next_++;
}

void FakeShellDrop::DragAcceptFiles(const void* window, bool accept) {
  acceptCalls_.push_back({window, accept});
}

unsigned FakeShellDrop::DragQueryFileCount(platform::DropHandle drop) {
  const auto* names = LiveNames(drop);
  return names ? static_cast<unsigned>(names->size()) : 0;
}

std::string FakeShellDrop::DragQueryFile(platform::DropHandle drop, unsigned index,
                                         std::size_t bufferSize) {
  const auto* names = LiveNames(drop);
  if (names == nullptr || index >= names->size() || bufferSize == 0) {
    return "";
  }
  return (*names)[index].substr(0, bufferSize - 1);
}

void FakeShellDrop::DragFinish(platform::DropHandle drop) {
  if (const auto found = drops_.find(drop); found != drops_.end()) {
    ++found->second.finished;
  }
}

bool FakeShellDrop::Accepts(const void* window) const {
  bool accepts = false;
  for (const AcceptCall& call : acceptCalls_) {
    if (call.window == window) {
      accepts = call.accept;
    }
  }
  return accepts;
}

int FakeShellDrop::FinishCount(platform::DropHandle drop) const {
  const auto found = drops_.find(drop);
  return found == drops_.end() ? 0 : found->second.finished;
}

const std::vector<std::string>* FakeShellDrop::LiveNames(platform::DropHandle drop) const {
  const auto found = drops_.find(drop);
  if (found == drops_.end() || found->second.finished > 0) {
    return nullptr;
  }
  return &found->second.names;
}

}  // namespace fondex::test

#include "qt/QtServices.h"

#include <QGuiApplication>
#include <QScreen>

namespace fondex::qt {

int QtScreen::Width() {
  return QGuiApplication::primaryScreen()->geometry().width();
}

int QtScreen::Height() {
  return QGuiApplication::primaryScreen()->geometry().height();
}

void QtShellDrop::DragAcceptFiles(const void* window, bool accept) {
  if (accept) {
    targets_.insert(window);
  } else {
    targets_.erase(window);
  }
}

unsigned QtShellDrop::DragQueryFileCount(platform::DropHandle drop) {
  const auto found = drops_.find(drop);
  return found == drops_.end() ? 0 : static_cast<unsigned>(found->second.size());
}

std::string QtShellDrop::DragQueryFile(platform::DropHandle drop, unsigned index,
                                       std::size_t bufferSize) {
  const auto found = drops_.find(drop);
  if (found == drops_.end() || index >= found->second.size() || bufferSize == 0) {
    return {};
  }
  // The name as the buffer holds it, room left for the terminating zero.
  return found->second[index].substr(0, bufferSize - 1);
}

void QtShellDrop::DragFinish(platform::DropHandle drop) {
  drops_.erase(drop);
}

platform::DropHandle QtShellDrop::AddDrop(std::vector<std::string> names) {
  const platform::DropHandle handle = next_++;
  drops_.emplace(handle, std::move(names));
  return handle;
}

}  // namespace fondex::qt

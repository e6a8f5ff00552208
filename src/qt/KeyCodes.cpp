#include "qt/KeyCodes.h"

#include <array>
#include <utility>

namespace fondex::qt {

namespace {

constexpr std::array<std::pair<int, int>, 22> kNamedKeys = {{
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},    {Qt::Key_Escape, 27},   {Qt::Key_Space, 32},   {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},      {Qt::Key_Home, 36},    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},       {Qt::Key_Right, 39},    {Qt::Key_Down, 40},    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},   {Qt::Key_CapsLock, 20},
}};

constexpr int kVkF1 = 112;
constexpr int kFunctionKeys = 24;

}  // namespace

int VirtualKey(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return qtKey;  // Qt and Windows share the capitals' and digits' codes
  }
  if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + kFunctionKeys) {
    return kVkF1 + (qtKey - Qt::Key_F1);
  }
  for (const auto& [qt, vk] : kNamedKeys) {
    if (qt == qtKey) {
      return vk;
    }
  }
  return 0;
}

toolkit::ShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
  return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
          modifiers.testFlag(Qt::AltModifier)};
}

bool TypedCharacter(const QKeyEvent& event, char& character) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      character = toolkit::vk::kReturn;
      return true;
    case Qt::Key_Escape:
      character = toolkit::vk::kEscape;
      return true;
    case Qt::Key_Backspace:
      character = '\b';
      return true;
    default:
      break;
  }
  const QString text = event.text();
  if (text.size() != 1 || text[0].unicode() < 0x20 || text[0].unicode() >= 0x7F) {
    return false;
  }
  character = static_cast<char>(text[0].unicode());
  return true;
}

}  // namespace fondex::qt

#pragma once

#include <QKeyEvent>

#include "toolkit/Control.h"

namespace fondex::qt {

// The Windows virtual-key code of a Qt key: a letter has its capital's code whatever the case
// it types; 0 for a key the program has no code for.
int VirtualKey(int qtKey);

toolkit::ShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);

// The single-byte character that a key event types, as an edit box hands it to its handler:
// Enter is 13, Escape 27 and Backspace 8. False for a key that types no such character.
bool TypedCharacter(const QKeyEvent& event, char& character);

}  // namespace fondex::qt

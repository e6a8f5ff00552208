#pragma once

#include <cstdint>

namespace fondex {

// Phase of the program, read by the handlers so that the program's own changes are not read
// back and start-up stays silent.
enum class TProgramState : std::uint8_t {
  StateStarting = 0,
  StateReadingWinIni = 1,
  StateReady = 2,
  StateOwnChange = 3,
};

class TFondexMainForm;
class TAboutBox;
class TOptBox;

// What the three forms share for the whole run: each form, once created, and the phase.
struct ProgramWide {
  TProgramState ProgramState = TProgramState::StateStarting;
  TFondexMainForm* FondexMainForm = nullptr;
  TAboutBox* AboutBox = nullptr;
  TOptBox* OptBox = nullptr;
};

}  // namespace fondex

#include "mainwindow/FondexProgram.h"

#include "util/Paths.h"

namespace fondex {

FondexProgram::FondexProgram(toolkit::Application& app, const platform::Platform& platform)
    : app_(app), platform_(platform) {}

FondexProgram::~FondexProgram() = default;

void FondexProgram::Start(const std::function<void()>& mainFormCreated) {
  program_.ProgramState = TProgramState::StateStarting;
  app_.title = "Fondex2";
  // The help file lives beside the executable.
  app_.helpFile = util::DirectoryPart(platform_.files.ExecutablePath()) + "Fondex.hlp";

  mainForm_ = std::make_unique<TFondexMainForm>(program_, app_, platform_);
  program_.FondexMainForm = mainForm_.get();
  app_.Dispatch([this] { mainForm_->FormCreate(); });
  if (mainFormCreated) {
    mainFormCreated();
  }

  aboutBox_ = std::make_unique<TAboutBox>();
  program_.AboutBox = aboutBox_.get();

  optBox_ = std::make_unique<TOptBox>(program_, app_, platform_);
  program_.OptBox = optBox_.get();
  app_.Dispatch([this] { optBox_->FormCreate(); });
}

void FondexProgram::Finish() {
  if (!finished_) {
    finished_ = true;
    app_.Dispatch([this] { mainForm_->FormDestroy(); });
  }
}

}  // namespace fondex

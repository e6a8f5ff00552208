#pragma once

#include <functional>
#include <memory>

#include "about/FondexAboutBox.h"
#include "mainwindow/Fondexmf.h"
#include "mainwindow/ProgramWide.h"
#include "options/FondexOptions.h"
#include "platform/Platform.h"
#include "toolkit/Application.h"

namespace fondex {

// The program's start and end, around the toolkit's message loop: the application's title and
// help file, the three forms created in their fixed order, and the main window's destruction.
class FondexProgram {
 public:
  FondexProgram(toolkit::Application& app, const platform::Platform& platform);
  ~FondexProgram();
  FondexProgram(const FondexProgram&) = delete;
  FondexProgram& operator=(const FondexProgram&) = delete;

  // Everything before the message loop. mainFormCreated runs once the main window's creation
  // handler has run and before the other forms are created: a front end whose windows receive
  // the system's notifications makes the main window's there, so that the change at start finds
  // it.
  void Start(const std::function<void()>& mainFormCreated = {});
  // The main window's destruction, once the message loop has ended.
  void Finish();

  ProgramWide& Program() { return program_; }
  TFondexMainForm& MainForm() { return *mainForm_; }
  TAboutBox& AboutBox() { return *aboutBox_; }
  TOptBox& OptBox() { return *optBox_; }

 private:
  toolkit::Application& app_;
  platform::Platform platform_;
  ProgramWide program_;
  std::unique_ptr<TFondexMainForm> mainForm_;
  std::unique_ptr<TAboutBox> aboutBox_;
  std::unique_ptr<TOptBox> optBox_;
  bool finished_ = false;
};

}  // namespace fondex

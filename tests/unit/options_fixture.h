#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/Fondexmf.h"
#include "options/FondexOptions.h"
#include "support/FakePlatform.h"
#include "toolkit/Application.h"

namespace fondex::test {

inline constexpr const char* kIniFile = "C:\\FONDEX\\FONDEX.INI";

// The program's two forms that the settings concern, on the fake platform, created in the
// program's order: the main window first, then the options dialog.
class OptionsProgram {
 public:
  OptionsProgram() = default;

  // Puts a settings file beside the executable, one line each.
  void SetIni(std::initializer_list<std::string> lines) {
    std::string bytes;
    for (const std::string& line : lines) {
      bytes += line + "\r\n";
    }
    fake.profiles.SetFile(kIniFile, bytes);
  }

  void CreateMainWindow() {
    main = std::make_unique<TFondexMainForm>(program, app, fake.Platform());
    program.FondexMainForm = main.get();
    main->FormCreate();
  }

  void CreateOptions() {
    options = std::make_unique<TOptBox>(program, app, fake.Platform());
    program.OptBox = options.get();
  }

  // The whole start: both forms and the options dialog's start-up step.
  void Start() {
    CreateMainWindow();
    CreateOptions();
    options->FormCreate();
  }

  std::string IniBytes() const { return fake.profiles.Render(kIniFile).value_or("<none>"); }

  // Names of the technique buttons that are checked.
  std::vector<std::string> CheckedTechniques() const {
    std::vector<std::string> names;
    for (const toolkit::Control* child : options->ChangeAutoGBox.Children()) {
      const auto* radio = dynamic_cast<const toolkit::RadioButton*>(child);
      if (radio != nullptr && radio->Checked()) {
        names.push_back(radio->Name());
      }
    }
    return names;
  }

  const std::vector<ScriptedModalHost::ShownBox>& Boxes() const { return fake.modalHost.Boxes(); }

  FakePlatform fake;
  toolkit::Application app{fake.modalHost, fake.help};
  ProgramWide program;
  std::unique_ptr<TFondexMainForm> main;
  std::unique_ptr<TOptBox> options;
};

}  // namespace fondex::test

// Fondex on Windows: the system services and the native front end are built here; the program
// itself starts and ends in FondexProgram.

#include <cstdlib>

#include "app/win32/WindowsLaunch.h"
#include "mainwindow/FondexProgram.h"
#include "platform/win32/Win32Platform.h"
#include "win32ui/Frontend.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  using namespace fondex;
  WindowsLaunch launch(__argc, __argv);
  if (const std::optional<int> status = launch.EndsHere()) {
    return *status;
  }
  // Before the options dialog asks the shell whether it sets a picture per screen.
  const platform::win32::ComApartment apartment;
  platform::win32::Win32Platform system;
  win32ui::Frontend frontend;
  const platform::Platform platform{system.Files(), system.Profiles(), system.Desktop(),
                                    system.Clock(), system.Screen(),   frontend.Help(),
                                    system.Drops(), system.Collation()};
  FondexProgram program(frontend.App(), platform);
  // The system tells the main window of the wallpaper that the change at start sets, and
  // measures its frame for the first placement: the window exists before the settings load.
  program.Start([&program, &frontend, &system] {
    TFondexMainForm& mainForm = program.MainForm();
    frontend.SetMainForm(
        mainForm, [&mainForm](toolkit::Message& message) { mainForm.WMDropFiles(message); },
        [&system] { system.Desktop().ProfileChanged(); });
    system.Drops().ShowsIn(&mainForm, frontend.WindowOf(&mainForm));
  });

  TFondexMainForm& mainForm = program.MainForm();
  frontend.AddForm(program.AboutBox());
  frontend.AddForm(program.OptBox());
  frontend.AddTimer(mainForm.ChangeTimer);
  frontend.AddNotifyIcon(mainForm.IconeNotif);
  platform::win32::Win32ProgramInstance& laterStarts = launch.Instance();
  laterStarts.OnArrival([&laterStarts, &frontend, &mainForm] {
    for (const std::string& message : laterStarts.Receive()) {
      frontend.App().Dispatch(
          [&mainForm, &message] { mainForm.RunLaunchCommand(DecodeCommand(message)); });
    }
  });
  frontend.AfterStart([&] { mainForm.RunLaunchCommand(launch.Command()); });
  const int code = frontend.Run();

  program.Finish();
  return code;
}

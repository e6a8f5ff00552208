// Fondex: the program's start. The system services and the Qt front end are built here; the
// program itself starts and ends in FondexProgram.

#include "app/Launch.h"
#include "mainwindow/FondexProgram.h"
#include "platform/posix/PosixPlatform.h"
#include "platform/posix/SessionEndSignals.h"
#include "qt/Frontend.h"

int main(int argc, char** argv) {
  using namespace fondex;
  Launch launch(argc, argv);
  if (const std::optional<int> status = launch.EndsHere()) {
    return *status;
  }
  platform::posix::SessionEndSignals sessionEnd;
  platform::posix::PosixPlatform system;
  qt::Frontend frontend(argc, argv, system.Names());
  frontend.EndSessionOn(sessionEnd);
  system.WhileWaiting(frontend.WaitingTurn());
  const platform::Platform platform{system.Files(),   system.Profiles(), system.Desktop(),
                                    system.Clock(),   frontend.Screen(), frontend.Help(),
                                    frontend.Drops(), system.Collation()};
  FondexProgram program(frontend.App(), platform);
  program.Start();

  TFondexMainForm& mainForm = program.MainForm();
  frontend.SetMainForm(mainForm,
                       [&mainForm](toolkit::Message& message) { mainForm.WMDropFiles(message); });
  frontend.AddForm(program.AboutBox());
  frontend.AddForm(program.OptBox());
  frontend.AddTimer(mainForm.ChangeTimer);
  frontend.AddNotifyIcon(mainForm.IconeNotif);
  frontend.WatchOutsideChanges(system.OutsideChanges());
  frontend.ListenToLaterStarts(launch.Instance(), [&mainForm](const std::string& message) {
    mainForm.RunLaunchCommand(DecodeCommand(message));
  });
  frontend.AfterStart([&] { mainForm.RunLaunchCommand(launch.Command()); });
  const int code = frontend.Run();

  program.Finish();
  return code;
}

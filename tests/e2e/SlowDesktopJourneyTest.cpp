// A desktop whose tool hangs: the window keeps painting, the change is refused in its time, and
// a close asked for meanwhile is honoured once the change is over.

#include <chrono>
#include <thread>

#include "e2e/FondexJourney.h"

namespace fondex::e2e {
namespace {

using namespace std::chrono_literals;

class SlowDesktopJourney : public PlageJourney {
 protected:
  // A stand-in gsettings, first on the path, that reads a plain desktop and never ends a write;
  // it leaves a mark once a write has begun.
  std::vector<std::string> HangingTool() {
    const std::filesystem::path tools = Folder("tools");
    const std::filesystem::path tool = tools / "gsettings";
    writing_ = tools / "writing";
    WriteFile(
        tool,
        "#!/bin/sh\n"
        "case \"$1\" in\n"
        "  get) [ \"$3\" = picture-options ] && echo \"'none'\" || echo \"'file:///x.bmp'\";;\n"
        "  list-keys) printf 'picture-uri\\npicture-options\\n';;\n"
        "  set) touch '" +
            writing_.string() +
            "'; exec sleep 1000;;\n"
            "  *) exec sleep 1000;;\n"
            "esac\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    return {"PATH=" + tools.string() + ":" + EnvironmentValue("PATH")};
  }

  std::filesystem::path writing_;
};

TEST_F(SlowDesktopJourney, TheWindowPaintsWhileTheToolHangsAndTheChangeIsRefusedInItsTime) {
  WriteWinIni("");
  WriteFile(AppFile("FONDEX.DAT"), StoredPath(plage_) + "\r\n3\r\n");
  StartFondex("gnome", HangingTool());
  ASSERT_TRUE(TitleBecomes(MainWindow(), "Fondex2"));

  const auto clicked = std::chrono::steady_clock::now();
  Click(MainWindow(), main_window::kBBtnHasard);
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(writing_); }));
  const Image waiting = Screen().Capture(MainWindow());
  Screen().Obscure(MainWindow());
  std::this_thread::sleep_for(500ms);
  EXPECT_TRUE(Screen().Capture(MainWindow()) == waiting) << "the window did not paint again";
  Screen().RequestClose(MainWindow());

  const WindowId error = WaitForWindow("Error");
  const auto refused = std::chrono::steady_clock::now() - clicked;
  EXPECT_LT(refused, 8s) << "refused after "
                         << std::chrono::duration_cast<std::chrono::milliseconds>(refused).count()
                         << " ms";
  EXPECT_EQ(WinIniNaming(""), ReadFile(PlatformFile("WIN.INI")));
  Key(error, "Return");
  // The close asked for during the change.
  EXPECT_EQ(0, WaitForExit());
}

}  // namespace
}  // namespace fondex::e2e

#include <unistd.h>

#include <QWidget>
#include <array>

#include "GuiTest.h"
#include "qt/Frontend.h"
#include "toolkit/Form.h"
#include "toolkit/Timer.h"

namespace fondex::test {
namespace {

// Other programs' changes, or requests to end the session, announced by a byte in a pipe.
class PipeSource : public platform::OutsideChangeSource, public platform::SessionEndRequests {
 public:
  PipeSource() { EXPECT_EQ(::pipe(ends_.data()), 0); }
  ~PipeSource() override {
    ::close(ends_[0]);
    ::close(ends_[1]);
  }
  int Descriptor() const override { return ends_[0]; }
  void Dispatch() override {
    Acknowledge();
    ++changes;
  }
  void Acknowledge() override {
    char byte = 0;
    EXPECT_EQ(::read(ends_[0], &byte, 1), 1);
  }
  void Announce() { EXPECT_EQ(::write(ends_[1], "x", 1), 1); }

  int changes = 0;

 private:
  std::array<int, 2> ends_{};
};

QWidget* WindowNamed(const char* name) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == name) {
      return window;
    }
  }
  return nullptr;
}

// The front end as main() builds it, on a platform directory that does not exist.
struct TestFrontend {
  TestFrontend() { frontend.App().title = "Fondex2"; }
  int argc = 1;
  char name[7] = "fondex";
  char* argv[2] = {name, nullptr};
  platform::posix::PathMapper paths{"/nonexistent-platform-directory"};
  platform::posix::PosixNativeNames names{paths};
  qt::Frontend frontend{argc, argv, names};
};

TEST(FrontendTest, RunsUntilTheMainWindowMayCloseWithTimersAndOutsideChangesGoing) {
  TestFrontend under;
  qt::Frontend& frontend = under.frontend;

  toolkit::Form mainForm("FondexMainForm");
  mainForm.bounds = {0, 0, 465, 253};
  mainForm.SetCaption("Fondex2");
  bool mayClose = false;
  mainForm.OnCloseQuery = [&](bool& canClose) { canClose = mayClose; };
  toolkit::Timer timer;
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetInterval(10);
  timer.SetEnabled(true);
  PipeSource outside;

  frontend.SetMainForm(mainForm, [](toolkit::Message&) {});
  frontend.AddTimer(timer);
  frontend.WatchOutsideChanges(outside);

  bool shown = false;
  bool openAfterRefusal = false;
  QTimer::singleShot(50, [&] {
    QWidget* window = WindowNamed("FondexMainForm");
    ASSERT_NE(window, nullptr);
    shown = window->isVisible() && window->windowTitle() == "Fondex2";
    outside.Announce();
    window->close();
    openAfterRefusal = window->isVisible();
    EXPECT_TRUE(QTest::qWaitFor([&] { return outside.changes == 1 && ticks >= 2; }, 2000));
    mayClose = true;
    window->close();
  });
  EXPECT_EQ(frontend.Run(), 0);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_EQ(outside.changes, 1);
  EXPECT_GE(ticks, 2);
  EXPECT_EQ(WindowNamed("FondexMainForm"), nullptr);  // the views are gone

  // Nothing follows the models any more.
  mainForm.SetCaption("Fin");
  timer.SetInterval(20);
}

// At a session end the close query runs once and nothing waits for the user: a box open at
// that moment closes as by its close button, and a box the query shows goes to stderr.
TEST(FrontendTest, ASessionEndClosesTheOpenBoxAndRunsTheCloseQueryOnce) {
  for (const bool beforeTheLoop : {false, true}) {
    SCOPED_TRACE(beforeTheLoop ? "request before the loop" : "request while a box is open");
    TestFrontend under;
    qt::Frontend& frontend = under.frontend;
    PipeSource requests;
    frontend.EndSessionOn(requests);

    toolkit::MessageBoxRequest box;
    box.title = "Fondex2";
    box.kind = toolkit::MessageKind::kError;
    box.text = "Impossible d'enregistrer.";
    box.buttons = {toolkit::MessageButton::kOK};
    toolkit::Form mainForm("FondexMainForm");
    mainForm.bounds = {0, 0, 465, 253};
    int queries = 0;
    int answerInTheQuery = 0;
    mainForm.OnCloseQuery = [&](bool& canClose) {
      ++queries;
      answerInTheQuery = frontend.App().ShowMessageBox(box);
      canClose = true;
    };
    frontend.SetMainForm(mainForm, [](toolkit::Message&) {});

    int answerOfTheOpenBox = 0;
    if (beforeTheLoop) {
      requests.Announce();
      QTest::qWait(20);
    } else {
      QTimer::singleShot(20, [&] {
        QTimer::singleShot(50, [&] { requests.Announce(); });
        answerOfTheOpenBox = frontend.App().ShowMessageBox(box);
      });
    }
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(frontend.Run(), 0);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(queries, 1);
    EXPECT_EQ(answerInTheQuery, toolkit::kCloseBoxResult);
    EXPECT_EQ(answerOfTheOpenBox, beforeTheLoop ? 0 : toolkit::kCloseBoxResult);
    EXPECT_NE(errors.find("Fondex2 : Impossible d'enregistrer."), std::string::npos) << errors;
    EXPECT_TRUE(frontend.App().SessionEnding());
  }
}

}  // namespace
}  // namespace fondex::test

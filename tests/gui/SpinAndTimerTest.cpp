#include <QElapsedTimer>

#include "GuiTest.h"
#include "qt/SpinButtonView.h"
#include "qt/TimerView.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/Timer.h"

namespace fondex::test {
namespace {

class SpinAndTimerTest : public GuiTest {};

TEST_F(SpinAndTimerTest, SpinButtonRepeatsWhileHeldAndNeverTakesTheFocus) {
  toolkit::Form form("Delai");
  toolkit::SpinButton spin("SpBDelai", &form);
  spin.bounds = {0, 0, 20, 26};
  int up = 0;
  int down = 0;
  spin.OnUpClick = [&] { ++up; };
  spin.OnDownClick = [&] { ++down; };
  QWidget window;
  qt::SpinButtonView view(app, spin, &window);
  window.show();

  QTest::mouseClick(&view.Down(), Qt::LeftButton);
  EXPECT_EQ(down, 1);
  EXPECT_EQ(up, 0);

  QElapsedTimer held;
  QTest::mousePress(&view.Up(), Qt::LeftButton);
  held.start();
  QTest::qWait(250);
  const int beforeTheDelay = up;
  QTest::qWait(650);
  const int whileHeld = up;
  const qint64 heldMs = held.elapsed();
  QTest::mouseRelease(&view.Up(), Qt::LeftButton);
  EXPECT_EQ(beforeTheDelay, 0);  // nothing before the first 400 ms
  // One repeat at 400 ms, then one every 100 ms; a slow machine may lose a few.
  EXPECT_GE(whileHeld, 3);
  EXPECT_LE(whileHeld, 1 + (heldMs - 400) / 100);
  EXPECT_EQ(up, whileHeld + 1);  // and the release's own click

  EXPECT_EQ(view.focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(view.Up().focusPolicy(), Qt::NoFocus);
  spin.SetEnabled(false);
  QTest::mouseClick(&view.Down(), Qt::LeftButton);
  EXPECT_EQ(down, 1);
}

TEST_F(SpinAndTimerTest, TimerTicksWhileRunningAndRestartsOnlyOnARealChange) {
  toolkit::Timer timer;
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetInterval(2000);
  qt::TimerView view(app, timer);
  EXPECT_FALSE(view.Clock().isActive());  // not enabled yet

  timer.SetEnabled(true);
  EXPECT_TRUE(view.Clock().isActive());
  EXPECT_EQ(view.Clock().interval(), 2000);
  QTest::qWait(600);
  timer.SetInterval(2000);  // the same value: the running count goes on
  timer.SetEnabled(true);
  // A restart would show about 2000 ms; a coarse timer may round its deadline by 5 %.
  EXPECT_LE(view.Clock().remainingTime(), 1650);
  timer.SetInterval(30);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 2000));

  timer.SetInterval(0);
  EXPECT_FALSE(view.Clock().isActive());
  const int stoppedAt = ticks;
  QTest::qWait(100);
  EXPECT_EQ(ticks, stoppedAt);
}

TEST_F(SpinAndTimerTest, TimerKeepsTickingInsideAMessageBox) {
  toolkit::Timer timer;
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetInterval(20);
  timer.SetEnabled(true);
  qt::TimerView view(app, timer);
  WhenModal([&](QWidget& box) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 2000));
    box.close();
  });
  toolkit::MessageBoxRequest request;
  request.buttons = {toolkit::MessageButton::kOK};
  host.ShowMessageBox(request);
  EXPECT_GE(ticks, 3);
}

}  // namespace
}  // namespace fondex::test

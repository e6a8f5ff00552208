#include <QMimeData>
#include <QUrl>
#include <string>
#include <vector>

#include "GuiTest.h"
#include "qt/MainWindowView.h"
#include "qt/QtServices.h"
#include "toolkit/Form.h"

namespace fondex::test {
namespace {

class MainWindowTest : public GuiTest {
 protected:
  MainWindowTest() {
    form.bounds = {0, 0, 465, 253};
    form.Show();
  }

  // What the program sees of one drop, read from inside its message handler.
  void OnDrop(toolkit::Message& message) {
    EXPECT_EQ(message.message, toolkit::kWmDropFiles);
    const auto drop = static_cast<platform::DropHandle>(message.wParam);
    for (unsigned i = 0; i < drops.DragQueryFileCount(drop); ++i) {
      dropped.push_back(drops.DragQueryFile(drop, i, 300));
    }
    cutName = drops.DragQueryFile(drop, 0, 8);
    drops.DragFinish(drop);
  }

  // Sends a drag entering the window and, when it is taken, the drop itself.
  bool Drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    if (!enter.isAccepted()) {
      return false;
    }
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &drop);
    return drop.isAccepted();
  }

  toolkit::Form form{"FondexMainForm"};
  qt::QtShellDrop drops;
  std::vector<std::string> dropped;
  std::string cutName;
  qt::MainWindowView view{app, form, drops, names, [this](toolkit::Message& m) { OnDrop(m); }};
};

TEST_F(MainWindowTest, TakesDropsOnlyWhileRegisteredAndHandsOverWindowsNames) {
  const QList<QUrl> urls{QUrl::fromLocalFile("/images/mer.bmp"),
                         QUrl::fromLocalFile("/images/alpes")};
  EXPECT_FALSE(Drop(urls));
  drops.DragAcceptFiles(&app, true);  // another window's registration is not this one's
  EXPECT_FALSE(Drop(urls));

  drops.DragAcceptFiles(&form, true);
  EXPECT_FALSE(Drop({QUrl("http://example.org/mer.bmp")}));
  EXPECT_TRUE(Drop(urls));
  EXPECT_EQ(dropped, (std::vector<std::string>{"C:\\images\\mer.bmp", "C:\\images\\alpes"}));
  EXPECT_EQ(cutName, "C:\\imag");  // a buffer of 8 holds 7 characters
  EXPECT_EQ(drops.OpenDrops(), 0u);

  drops.DragAcceptFiles(&form, false);
  EXPECT_FALSE(Drop(urls));
}

TEST_F(MainWindowTest, MessageHookSeesTheDropFirst) {
  drops.DragAcceptFiles(&form, true);
  bool hooked = false;
  app.OnMessage = [&](toolkit::Message& message, bool& handled) {
    hooked = message.message == toolkit::kWmDropFiles;
    handled = true;
  };
  EXPECT_TRUE(Drop({QUrl::fromLocalFile("/images/mer.bmp")}));
  EXPECT_TRUE(hooked);
  EXPECT_TRUE(dropped.empty());  // handled by the hook: the window never sees it
}

TEST_F(MainWindowTest, MinimizedStateFollowsTheApplicationBothWays) {
  app.Minimize();
  EXPECT_TRUE(view.isMinimized());
  app.Restore();
  EXPECT_FALSE(view.isMinimized());

  view.showMinimized();  // the window system's minimize box
  EXPECT_TRUE(app.Minimized());
  view.showNormal();
  EXPECT_FALSE(app.Minimized());
}

TEST_F(MainWindowTest, CloseIsRefusedWhenTheCloseQueryRefuses) {
  bool allow = false;
  int queries = 0;
  int closed = 0;
  form.OnCloseQuery = [&](bool& canClose) {
    ++queries;
    canClose = allow;
  };
  view.onClosed = [&] { ++closed; };
  view.close();
  EXPECT_TRUE(view.isVisible());
  EXPECT_TRUE(form.Visible());
  allow = true;
  view.close();
  EXPECT_FALSE(view.isVisible());
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(closed, 1);
}

}  // namespace
}  // namespace fondex::test

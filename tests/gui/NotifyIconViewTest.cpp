#include <QAction>

#include "gui/GuiTest.h"
#include "qt/NotifyIconView.h"

namespace fondex::test {
namespace {

class NotifyIconViewTest : public GuiTest {
 protected:
  void SetUp() override {
    icon.SetMenu({{"Changer"}, {.caption = "Geler", .checkable = true}, {}, {"Quitter"}});
  }
  toolkit::NotifyIcon icon;
};

// The menu's lines are the model's, separator included; a line chosen reaches the model with its
// index, and a change of the model shows at once.
TEST_F(NotifyIconViewTest, TheMenuFollowsTheModelAndSendsItsLinesBack) {
  qt::NotifyIconView view(app, icon);
  const QList<QAction*> actions = view.Menu().actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_EQ(actions[0]->text(), "Changer");
  EXPECT_TRUE(actions[2]->isSeparator());
  EXPECT_TRUE(actions[1]->isCheckable());
  EXPECT_FALSE(actions[0]->isCheckable());

  std::vector<std::size_t> chosen;
  icon.OnMenuClick = [&](std::size_t index) { chosen.push_back(index); };
  actions[3]->trigger();
  actions[0]->trigger();
  EXPECT_EQ(chosen, (std::vector<std::size_t>{3, 0}));

  icon.SetItemState(1, true, false);
  EXPECT_TRUE(actions[1]->isChecked());
  EXPECT_FALSE(actions[1]->isEnabled());
  icon.SetTip("Fondex2 : c:\\mer.bmp");
  icon.SetShown(true);
  // The view leaves the question of the area to Qt, and takes it back when it goes.
  ASSERT_TRUE(icon.AreaExists);
}

TEST_F(NotifyIconViewTest, WithoutItsViewTheIconNeverHasAnArea) {
  icon.SetShown(true);
  { qt::NotifyIconView view(app, icon); }
  EXPECT_FALSE(icon.InArea());
}

}  // namespace
}  // namespace fondex::test

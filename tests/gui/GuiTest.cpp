#include "GuiTest.h"

namespace fondex::test {

namespace {

// One QApplication for the whole test program, on Qt's offscreen platform.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "fondex_gui_tests";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { application_.reset(); }

 private:
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] const ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

constexpr int kPollMs = 10;

}  // namespace

void WhenModal(std::function<void(QWidget& window)> action) {
  QTimer::singleShot(kPollMs, [action = std::move(action)]() mutable {
    if (QWidget* window = QApplication::activeModalWidget();
        window != nullptr && window->isVisible()) {
      action(*window);
    } else {
      WhenModal(std::move(action));
    }
  });
}

QWidget& KeyTarget(QWidget& window) {
  QWidget* focused = window.focusWidget();
  return focused != nullptr ? *focused : window;
}

}  // namespace fondex::test

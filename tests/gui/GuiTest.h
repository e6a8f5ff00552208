#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "platform/posix/PosixNativeNames.h"
#include "qt/QtModalHost.h"
#include "support/FakeSystem.h"
#include "toolkit/Application.h"

namespace fondex::test {

// An application on the real Qt modal host, with a help viewer that records its requests.
class GuiTest : public ::testing::Test {
 protected:
  platform::posix::PathMapper paths{"/nonexistent-platform-directory"};
  platform::posix::PosixNativeNames names{paths};
  qt::QtModalHost host{names};
  FakeHelpViewer help;
  toolkit::Application app{host, help};
};

// Runs the action on the modal window once one is open, from inside its nested event loop.
void WhenModal(std::function<void(QWidget& window)> action);

// Where a key typed on a window goes: its focused widget, else the window.
QWidget& KeyTarget(QWidget& window);

}  // namespace fondex::test

#pragma once

#include "platform/Platform.h"
#include "support/FakeCollation.h"
#include "support/FakeDesktop.h"
#include "support/FakeFileSystem.h"
#include "support/FakeProfileFiles.h"
#include "support/FakeSystem.h"
#include "support/ScriptedModalHost.h"

namespace fondex::test {

// One of each fake, and the modal host that goes with them.
struct FakePlatform {
  FakePlatform() = default;
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;

  platform::Platform Platform() {
    return {files, profiles, desktop, clock, screen, help, drops, collation};
  }

  FakeFileSystem files;
  FakeProfileFiles profiles;
  FakeDesktop desktop{profiles};
  FakeClock clock;
  FakeScreen screen;
  FakeHelpViewer help;
  FakeShellDrop drops;
  FakeCollation collation;
  ScriptedModalHost modalHost;
};

}  // namespace fondex::test

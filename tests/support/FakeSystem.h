#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/System.h"

namespace fondex::test {

class FakeClock : public platform::Clock {
 public:
  platform::SystemTime NowUtc() override { return now_; }
  void Set(platform::SystemTime now) { now_ = now; }

 private:
  platform::SystemTime now_{12, 0, 0, 0};
};

class FakeScreen : public platform::Screen {
 public:
  int Width() override { return width_; }
  int Height() override { return height_; }
  void SetSize(int width, int height) {
    width_ = width;
    height_ = height;
  }

 private:
  int width_ = 1024;
  int height_ = 768;
};

struct HelpRequest {
  std::string file;
  int context = 0;
  bool operator==(const HelpRequest&) const = default;
};

class FakeHelpViewer : public platform::HelpViewer {
 public:
  bool ShowHelp(const std::string& helpFile, int context) override {
    requests_.push_back({helpFile, context});
    return true;
  }
  const std::vector<HelpRequest>& Requests() const { return requests_; }

 private:
  std::vector<HelpRequest> requests_;
};

// Drops from the shell: a test registers the names of a drop and hands its handle to the
// program. A finished drop's handle is no longer valid.
class FakeShellDrop : public platform::ShellDrop {
 public:
  struct AcceptCall {
    const void* window = nullptr;
    bool accept = false;
  };

  platform::DropHandle AddDrop(std::vector<std::string> names);

  void DragAcceptFiles(const void* window, bool accept) override;
  unsigned DragQueryFileCount(platform::DropHandle drop) override;
  std::string DragQueryFile(platform::DropHandle drop, unsigned index,
                            std::size_t bufferSize) override;
  void DragFinish(platform::DropHandle drop) override;

  const std::vector<AcceptCall>& AcceptCalls() const { return acceptCalls_; }
  // Whether the window is registered now, after every call so far.
  bool Accepts(const void* window) const;
  // How many times DragFinish was called for the handle.
  int FinishCount(platform::DropHandle drop) const;

 private:
  struct Drop {
    std::vector<std::string> names;
    int finished = 0;
  };

  const std::vector<std::string>* LiveNames(platform::DropHandle drop) const;

  std::map<platform::DropHandle, Drop> drops_;
  platform::DropHandle next_ = 1;
  std::vector<AcceptCall> acceptCalls_;
};

}  // namespace fondex::test

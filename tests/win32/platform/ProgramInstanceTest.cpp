#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "TempFolder.h"
#include "platform/win32/Win32ProgramInstance.h"

namespace fondex::platform::win32 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using win32test::TempFolder;

// Runs the window messages that wait, as the program's message loop would.
void PumpWaitingMessages() {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::DispatchMessageA(&message);
  }
}

TEST(Win32ProgramInstance, OneCopyRunsPerFolderWhicheverWayItIsSpelledAndHearsTheLaterStarts) {
  const TempFolder folder;
  auto first = std::make_unique<Win32ProgramInstance>(folder.Path());
  int arrivals = 0;
  first->OnArrival([&arrivals] { ++arrivals; });
  ASSERT_TRUE(first->Claim());
  EXPECT_TRUE(first->Claim()) << "a second claim of the holder";

  Win32ProgramInstance other(folder.Path() + "\\..");
  EXPECT_TRUE(other.Claim()) << "another folder has its own copy";

  std::string respelled = folder.Path() + "\\";
  ::CharUpperBuffA(respelled.data(), static_cast<DWORD>(respelled.size()));
  Win32ProgramInstance later(respelled);
  EXPECT_FALSE(later.Claim());
  EXPECT_TRUE(later.Send("next"));
  EXPECT_TRUE(later.Send("set\nC:\\\xE9t\xE9.bmp"));
  EXPECT_EQ(arrivals, 0) << "the command waits for the sender's answer";
  PumpWaitingMessages();
  EXPECT_GE(arrivals, 1);
  EXPECT_THAT(first->Receive(), ElementsAre("next", "set\nC:\\\xE9t\xE9.bmp"));
  EXPECT_THAT(first->Receive(), IsEmpty());

  first.reset();
  EXPECT_FALSE(later.Send("show")) << "nobody listens once the copy has ended";
  EXPECT_TRUE(later.Claim()) << "the folder is free again";
}

TEST(Win32ProgramInstance, OtherProgramsCopiedDataIsNotACommand) {
  const TempFolder folder;
  Win32ProgramInstance running(folder.Path());
  ASSERT_TRUE(running.Claim());
  HWND window = ::FindWindowExA(HWND_MESSAGE, nullptr, "FondexLaterStarts", nullptr);
  ASSERT_NE(window, nullptr);
  char text[] = "next";
  COPYDATASTRUCT data{1, sizeof text - 1, text};
  EXPECT_EQ(::SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), FALSE);
  PumpWaitingMessages();
  EXPECT_THAT(running.Receive(), IsEmpty());
}

}  // namespace
}  // namespace fondex::platform::win32

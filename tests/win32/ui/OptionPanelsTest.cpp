// The options dialog's framed areas as the native controls draw them: each area below the
// hidden-files one is drawn as that one is.
#include <gtest/gtest.h>

#include <string>

#include "mainwindow/FondexProgram.h"
#include "support/FakePlatform.h"
#include "win32ui/FormWindow.h"
#include "win32ui/HelpWindow.h"
#include "win32ui/NativeModalHost.h"

namespace fondex::win32ui {
namespace {

RECT InForm(HWND control, HWND form) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::wstring ClassOf(HWND control) {
  wchar_t name[64];
  return std::wstring(name, static_cast<std::size_t>(::GetClassNameW(control, name, 64)));
}

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  auto* handle = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  ::GetObjectW(handle, sizeof font, &font);
  return font;
}

void ExpectSameFont(HWND formats, HWND caches, const char* what) {
  const LOGFONTW a = FontOf(formats);
  const LOGFONTW b = FontOf(caches);
  EXPECT_EQ(a.lfHeight, b.lfHeight) << what;
  EXPECT_EQ(a.lfWeight, b.lfWeight) << what;
  EXPECT_EQ(std::wstring(a.lfFaceName), std::wstring(b.lfFaceName)) << what;
}

TEST(OptionPanels, TheFormatsAreaIsDrawnAsTheHiddenFilesArea) {
  test::FakePlatform fake;
  HelpWindow help;
  NativeModalHost host;
  toolkit::Application app(host, help);
  FondexProgram program(app, fake.Platform());
  program.Start();
  const TOptBox& o = program.OptBox();
  FormWindow window(app, program.OptBox(), nullptr);
  const HWND form = window.Handle();

  const HWND cachesFrame = window.ViewOf(&o.Bevel2);
  const HWND formatsFrame = window.ViewOf(&o.Bevel3);
  EXPECT_EQ(ClassOf(formatsFrame), ClassOf(cachesFrame));
  EXPECT_EQ(::GetWindowLongW(formatsFrame, GWL_STYLE), ::GetWindowLongW(cachesFrame, GWL_STYLE));
  const RECT caches = InForm(cachesFrame, form);
  const RECT formats = InForm(formatsFrame, form);
  EXPECT_EQ(formats.left, caches.left);
  EXPECT_EQ(formats.right, caches.right);
  EXPECT_EQ(formats.bottom - formats.top, caches.bottom - caches.top);
  EXPECT_GT(formats.top, caches.bottom) << "below it";

  const HWND cachesTitle = window.ViewOf(&o.Label2);
  const HWND formatsTitle = window.ViewOf(&o.Label4);
  EXPECT_EQ(::GetWindowLongW(formatsTitle, GWL_STYLE), ::GetWindowLongW(cachesTitle, GWL_STYLE));
  EXPECT_TRUE((::GetWindowLongW(formatsTitle, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER);
  ExpectSameFont(formatsTitle, cachesTitle, "title");
  EXPECT_GE(FontOf(formatsTitle).lfWeight, FW_BOLD);
  const RECT cachesTitleRect = InForm(cachesTitle, form);
  const RECT formatsTitleRect = InForm(formatsTitle, form);
  EXPECT_EQ(formatsTitleRect.left, cachesTitleRect.left);
  EXPECT_EQ(formatsTitleRect.right, cachesTitleRect.right);
  EXPECT_EQ(formatsTitleRect.top - formats.top, cachesTitleRect.top - caches.top);

  const HWND cachesBox = window.ViewOf(&o.ChBCaches);
  const HWND formatsBox = window.ViewOf(&o.ChBAutresFormats);
  EXPECT_EQ(::GetWindowLongW(formatsBox, GWL_STYLE), ::GetWindowLongW(cachesBox, GWL_STYLE));
  ExpectSameFont(formatsBox, cachesBox, "check box");
  const RECT cachesBoxRect = InForm(cachesBox, form);
  const RECT formatsBoxRect = InForm(formatsBox, form);
  EXPECT_EQ(formatsBoxRect.left, cachesBoxRect.left) << "the same indent";
  EXPECT_EQ(formatsBoxRect.top - formats.top, cachesBoxRect.top - caches.top);
  program.Finish();
}

}  // namespace
}  // namespace fondex::win32ui

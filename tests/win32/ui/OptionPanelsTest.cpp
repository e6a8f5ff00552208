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

TEST(OptionPanels, TheAddedAreasAreDrawnAsTheHiddenFilesArea) {
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
  const HWND cachesTitle = window.ViewOf(&o.Label2);
  const HWND cachesBox = window.ViewOf(&o.ChBCaches);
  const RECT caches = InForm(cachesFrame, form);
  const RECT cachesTitleRect = InForm(cachesTitle, form);
  const RECT cachesBoxRect = InForm(cachesBox, form);
  struct Area {
    const toolkit::Bevel& frame;
    const toolkit::Label& title;
    const toolkit::Control& control;
  };
  LONG above = caches.bottom;
  for (const Area& area : {Area{o.Bevel3, o.Label4, o.ChBAutresFormats},
                           Area{o.BevelDisposition, o.LabelDisposition, o.DispositionListeBox},
                           Area{o.BevelEcrans, o.LabelEcrans, o.ChBParEcran}}) {
    SCOPED_TRACE(area.title.Caption());
    const HWND frameWindow = window.ViewOf(&area.frame);
    EXPECT_EQ(ClassOf(frameWindow), ClassOf(cachesFrame));
    EXPECT_EQ(::GetWindowLongW(frameWindow, GWL_STYLE), ::GetWindowLongW(cachesFrame, GWL_STYLE));
    const RECT frame = InForm(frameWindow, form);
    EXPECT_EQ(frame.left, caches.left);
    EXPECT_EQ(frame.right, caches.right);
    EXPECT_GT(frame.top, above) << "below the one before";
    above = frame.bottom;

    const HWND title = window.ViewOf(&area.title);
    EXPECT_EQ(::GetWindowLongW(title, GWL_STYLE), ::GetWindowLongW(cachesTitle, GWL_STYLE));
    EXPECT_TRUE((::GetWindowLongW(title, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER);
    ExpectSameFont(title, cachesTitle, "title");
    EXPECT_GE(FontOf(title).lfWeight, FW_BOLD);
    const RECT titleRect = InForm(title, form);
    EXPECT_EQ(titleRect.left, cachesTitleRect.left);
    EXPECT_EQ(titleRect.right, cachesTitleRect.right);
    EXPECT_EQ(titleRect.top - frame.top, cachesTitleRect.top - caches.top);

    const HWND control = window.ViewOf(&area.control);
    ExpectSameFont(control, cachesBox, "control");
    const RECT controlRect = InForm(control, form);
    EXPECT_EQ(controlRect.left, cachesBoxRect.left) << "the same indent";
    EXPECT_EQ(controlRect.top - frame.top, cachesBoxRect.top - caches.top);
    EXPECT_LT(controlRect.bottom, frame.bottom);
  }
  EXPECT_EQ(::GetWindowLongW(window.ViewOf(&o.ChBAutresFormats), GWL_STYLE),
            ::GetWindowLongW(cachesBox, GWL_STYLE));

  // The layout list shows its six lines without scrolling, the current choice selected.
  const HWND layouts = window.ViewOf(&o.DispositionListeBox);
  EXPECT_EQ(ClassOf(layouts), L"ListBox");
  ASSERT_EQ(::SendMessageW(layouts, LB_GETCOUNT, 0, 0), 6);
  EXPECT_EQ(::SendMessageW(layouts, LB_GETCURSEL, 0, 0), 0);
  RECT client{}, last{};
  ::GetClientRect(layouts, &client);
  ::SendMessageW(layouts, LB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&last));
  EXPECT_LE(last.bottom, client.bottom);
  EXPECT_EQ(::SendMessageW(layouts, LB_GETTOPINDEX, 0, 0), 0);
  program.Finish();
}

}  // namespace
}  // namespace fondex::win32ui

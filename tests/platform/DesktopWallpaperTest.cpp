#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>

#include <cstdio>
#include <functional>

#include "Bitmaps.h"
#include "Scratch.h"
#include "pictures/PictureFiles.h"
#include "platform/posix/PosixPlatform.h"

namespace fondex::platform::posix {
namespace {

class CountingListener : public ProfileChangeListener {
 public:
  void ProfileChanged() override {
    ++count;
    if (onChange) {
      onChange();
    }
  }
  int count = 0;
  std::function<void()> onChange;
};

class DesktopWallpaperTest : public testing::ScratchTest {
 protected:
  DesktopWallpaperTest() {
    Write("mer.bmp", testing::MakeBitmap({}));
    desktop_.AddListener(&listener_);
  }

  std::string StoredWallpaper() {
    return platform_.Profiles().GetString("WIN.INI", "Desktop", "Wallpaper", "<none>", 1024);
  }

  // What an editor does: write a new file, then rename it over the profile.
  void ReplaceProfileOutside(std::string_view text) {
    Write("platform/win.ini.tmp", text);
    std::rename(Posix("platform/win.ini.tmp").c_str(), Posix("platform/WIN.INI").c_str());
  }

  bool EventPending() const {
    pollfd watched{.fd = outside_.Descriptor(), .events = POLLIN, .revents = 0};
    return ::poll(&watched, 1, 0) == 1;
  }

  PosixPlatform platform_;
  PosixDesktopWallpaper& desktop_ = platform_.Desktop();
  ProfileWatcher& outside_ = platform_.OutsideChanges();
  CountingListener listener_;
};

// Other formats are refused as a bitmap that cannot be loaded, until they are accepted; then
// their headers are checked as strictly.
TEST_F(DesktopWallpaperTest, OtherFormatsOnlyWhenAcceptedAndOnlyWhole) {
  const auto grey = [](int, int) { return testing::Rgba{90, 90, 90}; };
  const std::string png = testing::PngFile(8, 8, {}, grey);
  Write("photo.png", png);
  Write("photo.jpg", testing::JpegFile(8, 8, grey));
  Write("photo.webp", testing::WebpFile(8, 8, true, grey));
  Write("cut.png", png.substr(0, png.size() - 1));
  Write("renamed.jpg", testing::MakeBitmap({}));
  for (bool accepted : {false, true}) {
    desktop_.AcceptOtherFormats(accepted);
    for (const char* name : {"photo.png", "photo.jpg", "photo.webp"}) {
      EXPECT_EQ(desktop_.SetDeskWallpaper(Windows(name)), accepted) << name;
    }
    EXPECT_FALSE(desktop_.SetDeskWallpaper(Windows("cut.png")));
    EXPECT_TRUE(desktop_.SetDeskWallpaper(Windows("renamed.jpg")));  // a bitmap by its bytes
    EXPECT_TRUE(desktop_.SetDeskWallpaper(Windows("mer.bmp")));
    EXPECT_EQ(StoredWallpaper(), Windows("mer.bmp"));
  }
}

TEST_F(DesktopWallpaperTest, StoresTheNameAndNotifiesBeforeReturning) {
  std::string storedDuringNotification;
  listener_.onChange = [&] { storedDuringNotification = StoredWallpaper(); };
  const std::string name = Windows("MER.bmp");

  EXPECT_TRUE(desktop_.SetDeskWallpaper(name));
  EXPECT_EQ(listener_.count, 1);
  EXPECT_EQ(storedDuringNotification, name);
  EXPECT_EQ(Read("platform/WIN.INI"), "[Desktop]\r\nWallpaper=" + name + "\r\n");

  ASSERT_TRUE(platform_.Files().SetCurrentDirectory(Windows("")));
  EXPECT_TRUE(desktop_.SetDeskWallpaper("mer.bmp"));
  EXPECT_EQ(StoredWallpaper(), "mer.bmp");

  EXPECT_TRUE(desktop_.SetDeskWallpaper(""));
  EXPECT_EQ(listener_.count, 3);
  EXPECT_EQ(StoredWallpaper(), "");

  desktop_.RemoveListener(&listener_);
  EXPECT_TRUE(desktop_.SetDeskWallpaper(name));
  EXPECT_EQ(listener_.count, 3);
}

TEST_F(DesktopWallpaperTest, RefusesWhatIsNotALoadableBitmap) {
  Write("image.png", "\x89PNG\r\n\x1A\n");
  const std::string bitmap = testing::MakeBitmap({});
  Write("tronque.bmp", bitmap.substr(0, bitmap.size() - 1));
  MakeDirectory("dossier.bmp");
  // A name over 259 characters, for a file that exists.
  std::string longName = Windows("");
  while (longName.size() < 260) {
    longName += "\\.";
  }
  longName += "\\mer.bmp";
  ASSERT_TRUE(platform_.Files().ReadFile(longName).has_value());

  for (const std::string& name : {Windows("image.png"), Windows("tronque.bmp"),
                                  Windows("dossier.bmp"), Windows("absent.bmp"), longName}) {
    EXPECT_FALSE(desktop_.SetDeskWallpaper(name)) << name;
  }
  EXPECT_EQ(listener_.count, 0);
  EXPECT_EQ(StoredWallpaper(), "<none>");
}

TEST_F(DesktopWallpaperTest, UnwritableProfileRefusesTheChange) {
  Write("platform/WIN.INI", "[Desktop]\r\nWallpaper=ancien\r\n");
  ::chmod(Posix("platform/WIN.INI").c_str(), 0444);
  EXPECT_FALSE(desktop_.SetDeskWallpaper(Windows("mer.bmp")));
  EXPECT_FALSE(desktop_.SetDeskWallpaper(""));
  EXPECT_EQ(listener_.count, 0);
  EXPECT_EQ(StoredWallpaper(), "ancien");
}

TEST_F(DesktopWallpaperTest, EachOutsideChangeNotifiesOnce) {
  ASSERT_GE(outside_.Descriptor(), 0);
  ReplaceProfileOutside("; autre programme\r\n[Desktop]\r\nWallpaper=c:\\foret.bmp\r\n");
  EXPECT_TRUE(EventPending());
  outside_.Dispatch();
  EXPECT_EQ(listener_.count, 1);
  EXPECT_FALSE(EventPending());
  outside_.Dispatch();
  EXPECT_EQ(listener_.count, 1);

  // Written in place, in two steps that the watcher sees as one batch.
  Write("platform/WIN.INI", "[Desktop]\r\nWallpaper=c:\\ciel.bmp\r\n");
  Write("platform/WIN.INI", "[Desktop]\r\nWallpaper=c:\\ciel.bmp\r\nTileWallpaper=1\r\n");
  outside_.Dispatch();
  EXPECT_EQ(listener_.count, 2);

  // Changes that leave the wallpaper alone, or concern other files, notify nobody.
  Write("platform/WIN.INI", "[Desktop]\r\nWallpaper=c:\\ciel.bmp\r\nTileWallpaper=0\r\n");
  Write("platform/SYSTEM.INI", "[Desktop]\r\nWallpaper=x\r\n");
  outside_.Dispatch();
  EXPECT_EQ(listener_.count, 2);

  std::remove(Posix("platform/WIN.INI").c_str());
  outside_.Dispatch();
  EXPECT_EQ(listener_.count, 3);
}

TEST_F(DesktopWallpaperTest, OwnChangesNotifyOnlyInsideTheCall) {
  EXPECT_TRUE(desktop_.SetDeskWallpaper(Windows("mer.bmp")));
  EXPECT_EQ(listener_.count, 1);
  EXPECT_TRUE(EventPending());
  outside_.Dispatch();
  EXPECT_EQ(listener_.count, 1);

  // An outside change followed by an own change before the event loop looks: the wallpaper
  // the program set is the one on the desktop, and nobody hears of it twice.
  ReplaceProfileOutside("[Desktop]\r\nWallpaper=c:\\foret.bmp\r\n");
  EXPECT_TRUE(desktop_.SetDeskWallpaper(""));
  outside_.Dispatch();
  EXPECT_EQ(listener_.count, 2);
}

}  // namespace
}  // namespace fondex::platform::posix

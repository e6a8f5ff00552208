// JPEG, PNG and WebP wallpapers, once the user ticks them in the options, on a bare X11 session.

#include "e2e/FondexJourney.h"
#include "pictures/PictureFiles.h"

namespace fondex::e2e {
namespace {

using fondex::platform::posix::testing::Rgba;

constexpr Rgba kBlue{0, 80, 200}, kOrange{230, 120, 20}, kPurple{120, 40, 160}, kTeal{20, 150, 140};

// A folder of one bitmap and a picture of each other format, each of one colour.
class PictureFormatsJourney : public FondexJourney {
 protected:
  void SetUp() override {
    photos_ = ImageFolder("Photos");
    namespace pictures = fondex::platform::posix::testing;
    WriteBitmap(photos_ / "a.bmp", 8, 8, {kBlue.red, kBlue.green, kBlue.blue});
    WriteFile(photos_ / "b.JPG", pictures::JpegFile(16, 16, [](int, int) { return kOrange; }));
    WriteFile(photos_ / "c.png",
              pictures::PngFile(16, 16, {.colourType = 3}, [](int, int) { return kPurple; }));
    WriteFile(photos_ / "d.webp", pictures::WebpFile(16, 16, true, [](int, int) { return kTeal; }));
    WriteFile(AppFile("FONDEX.INI"), "[Options]\r\nHasardTech=Successif\r\n");
    WriteWinIni(WindowsPath(photos_ / "a.bmp"));
  }

  bool CentreNear(Rgba colour) const {
    return RootCentreNear({colour.red, colour.green, colour.blue});
  }

  std::string Stored(const std::string& name) const { return StoredPath(photos_ / name); }

  std::filesystem::path photos_;
};

TEST_F(PictureFormatsJourney, TickedTheChangeButtonWalksThroughJpegPngAndWebp) {
  StartFondex("x11");
  ASSERT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("a.bmp")));
  Click(MainWindow(), main_window::kBBtnOptions);
  const WindowId options = WaitForWindow("Fondex : Options");
  Click(options, Indicator(options_dialog::kChBAutresFormats));
  Click(options, options_dialog::kOKBtn);
  WaitUntilGone(options);

  // The folder, listed afresh, has no file selected: the walk starts again at its first file.
  for (const auto& [name, colour] :
       {std::pair{"a.bmp", kBlue}, {"b.jpg", kOrange}, {"c.png", kPurple}, {"d.webp", kTeal}}) {
    SCOPED_TRACE(name);
    Click(MainWindow(), main_window::kBBtnHasard);
    EXPECT_TRUE(WallpaperBecomes(Stored(name)));
    EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored(name)));
    EXPECT_TRUE(WaitFor([&] { return CentreNear(colour); }));
  }
  SaveScreenshot(SteadyImage(MainWindow()), "four-formats");

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_NE(ReadFile(AppFile("FONDEX.INI")).find("FichiersCaches=Non\r\nAutresFormats=Oui\r\n"),
            std::string::npos);
  EXPECT_EQ(StoredPath(photos_) + "\r\n4\r\n", ReadFile(AppFile("FONDEX.DAT")));
}

TEST_F(PictureFormatsJourney, UntickedTheSameFolderCountsOnlyItsBitmap) {
  StartFondex("x11");
  ASSERT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("a.bmp")));
  Click(MainWindow(), main_window::kBBtnHasard);
  EXPECT_TRUE(WaitFor([&] { return CentreNear(kBlue); }));
  EXPECT_TRUE(WallpaperBecomes(Stored("a.bmp")));

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_EQ(ReadFile(AppFile("FONDEX.INI")).find("AutresFormats"), std::string::npos);
  EXPECT_EQ(StoredPath(photos_) + "\r\n1\r\n", ReadFile(AppFile("FONDEX.DAT")));
}

}  // namespace
}  // namespace fondex::e2e

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "unit/ProgramFixture.h"

namespace fondex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// A folder of every format the option concerns, in both letter cases, beside files of formats
// it does not; a second folder of bitmaps alone.
class PictureFormatsTest : public ProgramTest {
 protected:
  void SetUp() override {
    fake.files.AddDirectory("C:\\MIX");
    for (const char* name : {"a.bmp", "b.JPG", "c.jpeg", "d.png", "e.WebP", "f.gif", "g.jpg.txt"}) {
      fake.files.AddFile(std::string("C:\\MIX\\") + name, "x");
    }
    AddBitmaps("C:\\BMP", {"x.bmp", "y.bmp"});
    fake.files.AddFile(kDirFile, "c:\\bmp\r\nc:\\mix\r\n2\r\n1\r\n");
    program.Start();
  }

  // The option as the dialog's OK applies it.
  void SetOption(bool on) {
    Options().ChBAutresFormats.SetChecked(on);
    Main().ApplyTimerSettings();
  }

  void Successive() {
    Options().SetHasardTech(THasardTech::Successif);
    Options().SetHasardLieu(THasardLieu::RepActif);
  }
};

TEST_F(PictureFormatsTest, TheOptionDecidesWhatIsListedCountedAndOffered) {
  struct Case {
    bool on;
    std::vector<std::string> listed;
    std::vector<std::int32_t> counts;
    const char* filter;
  };
  const std::vector<Case> cases = {
      {true,
       {"a.bmp", "b.JPG", "c.jpeg", "d.png", "e.WebP"},
       {2, 5},
       "Images|*.bmp;*.jpg;*.jpeg;*.png;*.webp|Bitmaps (*.bmp)|*.bmp"},
      {false, {"a.bmp"}, {2, 1}, "Images bitmap (*.BMP)|*.bmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.on ? "on" : "off");
    Main().OpenDirectory(1);
    SetOption(c.on);
    // The shown directory is listed again at once; the others at the recount.
    EXPECT_THAT(Main().FichListeBox.Items(), ElementsAreArray(c.listed));
    Dispatch([&] { Options().CompteBBtnClick(); });
    EXPECT_EQ(Counts(), c.counts);
    EXPECT_EQ(Main().TotalCount, c.counts[0] + c.counts[1]);
    EXPECT_EQ(fake.desktop.AcceptsOtherFormats(), c.on);
    EXPECT_EQ(Main().SelectBMPDialog.filter, c.filter);
  }
}

TEST_F(PictureFormatsTest, TheSuccessiveTechniqueWalksEveryFormatOnlyWhenAskedTo) {
  for (bool on : {false, true}) {
    SCOPED_TRACE(on ? "on" : "off");
    SetOption(on);
    Main().OpenDirectory(1);
    Successive();
    std::vector<std::string> chosen;
    for (int i = 0; i < 6; ++i) {
      Dispatch([&] { Main().BBtnHasardClick(&Main()); });
      chosen.push_back(fake.desktop.Wallpaper());
    }
    const std::vector<std::string> expected =
        on ? std::vector<std::string>{"c:\\mix\\a.bmp", "c:\\mix\\b.jpg",  "c:\\mix\\c.jpeg",
                                      "c:\\mix\\d.png", "c:\\mix\\e.webp", "c:\\mix\\a.bmp"}
           : std::vector<std::string>(6, "c:\\mix\\a.bmp");
    EXPECT_EQ(chosen, expected);
  }
}

TEST_F(PictureFormatsTest, ATypedNameWithoutExtensionStillBecomesABitmap) {
  SetOption(true);
  Main().EditChoisiBMP.SetText("c:\\mix\\d");
  char enter = '\r';
  Dispatch([&] { Main().EditChoisiBMPKeyPress(enter); });
  EXPECT_THAT(BoxTexts(), ElementsAre("Le fichier c:\\mix\\d.bmp est introuvable"));
  Main().EditChoisiBMP.SetText("c:\\mix\\d.png");
  enter = '\r';  // the handler took the key
  Dispatch([&] { Main().EditChoisiBMPKeyPress(enter); });
  EXPECT_EQ(fake.desktop.Wallpaper(), "c:\\mix\\d.png");
}

}  // namespace
}  // namespace fondex::test

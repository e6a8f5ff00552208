// The pictures of docs/ show the forms as they are now. docs/screenshots.txt says, for each
// picture of a form, which form it shows, how many controls the form had and how wide the frame
// around the form's client area is in the picture; each form drawn now must have that many
// controls and the picture's size less its frame.

#include <gtest/gtest.h>

#include <QImageReader>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "qt/FormView.h"
#include "qt/QtServices.h"
#include "support/FakePlatform.h"
#include "support/FormCensus.h"

namespace fondex::test {
namespace {

struct Picture {
  std::string file;
  std::string form;
  int controls = 0;
  QSize frame;
};

std::vector<Picture> PicturesOfDocs() {
  std::ifstream manifest(FONDEX_DOCS_DIR "/screenshots.txt");
  std::vector<Picture> pictures;
  std::string line;
  while (std::getline(manifest, line)) {
    if (line.empty() || line.starts_with('#')) {
      continue;
    }
    std::istringstream fields(line);
    Picture picture;
    int frameWidth = 0;
    int frameHeight = 0;
    fields >> picture.file >> picture.form >> picture.controls >> frameWidth >> frameHeight;
    picture.frame = QSize(frameWidth, frameHeight);
    pictures.push_back(picture);
  }
  return pictures;
}

// The controls of the form that its window draws.
int DrawnControls(const qt::FormView& view) {
  int drawn = 0;
  for (const toolkit::Control* control : ControlsOf(view.Model())) {
    drawn += view.ViewOf(control) != nullptr ? 1 : 0;
  }
  return drawn;
}

std::string Described(QSize size, int controls) {
  return std::to_string(size.width()) + "x" + std::to_string(size.height()) + " with " +
         std::to_string(controls) + " controls";
}

TEST(ScreenshotsTest, EveryPictureOfDocsShowsItsFormAsItIsNow) {
  FakePlatform fake;
  qt::QtShellDrop drops;
  toolkit::Application app{fake.modalHost, fake.help};
  FondexProgram program{app, platform::Platform{fake.files, fake.profiles, fake.desktop, fake.clock,
                                                fake.screen, fake.help, drops, fake.collation}};
  program.Start();
  std::map<std::string, std::unique_ptr<qt::FormView>> views;
  for (toolkit::Form* form : ProgramForms(program)) {
    views[form->Name()] = std::make_unique<qt::FormView>(app, *form);
  }

  const std::vector<Picture> pictures = PicturesOfDocs();
  ASSERT_FALSE(pictures.empty()) << FONDEX_DOCS_DIR "/screenshots.txt: run scripts/screenshots";
  std::set<std::string> shown;
  for (const Picture& picture : pictures) {
    const auto view = views.find(picture.form);
    ASSERT_NE(view, views.end()) << picture.file << " shows no form of the program ("
                                 << picture.form << "): run scripts/screenshots";
    const QSize size =
        QImageReader(FONDEX_DOCS_DIR "/" + QString::fromStdString(picture.file)).size();
    const QSize client = size - picture.frame;
    const QSize drawn = view->second->size();
    const int controls = DrawnControls(*view->second);
    EXPECT_TRUE(size.isValid() && client == drawn && picture.controls == controls)
        << "docs/" << picture.file << " shows " << picture.form << " at "
        << Described(client, picture.controls) << ", the form is now " << Described(drawn, controls)
        << ": run scripts/screenshots";
    shown.insert(picture.form);
  }
  for (const auto& [name, view] : views) {
    EXPECT_TRUE(shown.contains(name)) << "no picture of " << name << ": run scripts/screenshots";
  }
  program.Finish();
}

}  // namespace
}  // namespace fondex::test

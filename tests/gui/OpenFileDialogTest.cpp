#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>

#include "GuiTest.h"
#include "qt/OpenFileDialog.h"
#include "util/Paths.h"

namespace fondex::test {
namespace {

// The Open button's action (QFileDialog keeps accept() protected; QDialog's is public).
void Open(QFileDialog& dialog) {
  static_cast<QDialog&>(dialog).accept();
}

class OpenFileDialogTest : public GuiTest {
 protected:
  OpenFileDialogTest() {
    for (const char* name : {"MER.BMP", "foret.bmp", "notes.txt"}) {
      QFile file(folder.filePath(name));
      EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    }
    request.title = "Sélection d'un répertoire";
    request.fileName = "papier.bmp";
    request.defaultExt = "BMP";
    request.filter = "Images bitmap (*.BMP)|*.bmp|Tous les fichiers (*.*)|*.*";
    request.hideReadOnly = true;
    request.pathMustExist = true;
    request.initialDir = paths.ToWindows(folder.path().toStdString());
  }

  std::string Windows(const QString& posixPath) { return paths.ToWindows(posixPath.toStdString()); }

  QTemporaryDir folder;
  toolkit::OpenDialogRequest request;
};

TEST_F(OpenFileDialogTest, FiltersBecomeQtFiltersWithEveryFileForStarDotStar) {
  EXPECT_EQ(qt::QtNameFilters(request.filter),
            (QStringList{"Images bitmap (*.BMP) (*.bmp)", "Tous les fichiers (*.*) (*)"}));
  EXPECT_EQ(qt::QtNameFilters("Images|*.bmp;*.dib"), QStringList{"Images (*.bmp *.dib)"});
}

TEST_F(OpenFileDialogTest, ProposedNameNeedNotExistAndTheAnswerIsWindowsShaped) {
  int shownFiles = -1;
  WhenModal([&](QWidget& window) {
    auto& dialog = dynamic_cast<QFileDialog&>(window);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Sélection d'un répertoire"));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("fileNameEdit")->text(), "papier.bmp");
    // The bitmap filter shows both bitmaps, whatever the case of their names.
    auto* list = dialog.findChild<QListView*>("listView");
    (void)QTest::qWaitFor([&] { return list->model()->rowCount(list->rootIndex()) >= 2; }, 3000);
    shownFiles = list->model()->rowCount(list->rootIndex());
    Open(dialog);
  });
  const std::optional<std::string> chosen = app.RunOpenDialog(request);
  EXPECT_EQ(shownFiles, 2);
  EXPECT_EQ(chosen, Windows(folder.filePath("papier.bmp")));
  EXPECT_EQ(chosen.value_or("").substr(0, 3), "C:\\");
}

TEST_F(OpenFileDialogTest, CancelGivesNothingAndAMissingPathIsRefused) {
  WhenModal([](QWidget& window) { dynamic_cast<QDialog&>(window).reject(); });
  EXPECT_EQ(app.RunOpenDialog(request), std::nullopt);

  bool warned = false;
  bool openAfterWarning = false;
  WhenModal([&](QWidget& window) {
    auto& dialog = dynamic_cast<QFileDialog&>(window);
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText("absent/image.bmp");
    WhenModal([&](QWidget& warning) {
      warned = qobject_cast<QMessageBox*>(&warning) != nullptr;
      warning.close();
    });
    Open(dialog);
    openAfterWarning = dialog.isVisible();
    dialog.reject();
  });
  EXPECT_EQ(app.RunOpenDialog(request), std::nullopt);
  EXPECT_TRUE(warned);
  EXPECT_TRUE(openAfterWarning);
}

TEST_F(OpenFileDialogTest, AnExistingFileCanBeRequired) {
  request.fileMustExist = true;
  request.fileName.clear();
  QFileDialog::FileMode mode = QFileDialog::AnyFile;
  WhenModal([&](QWidget& window) {
    auto& dialog = dynamic_cast<QFileDialog&>(window);
    mode = dialog.fileMode();
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText("MER.BMP");
    Open(dialog);
  });
  EXPECT_EQ(app.RunOpenDialog(request), Windows(folder.filePath("MER.BMP")));
  EXPECT_EQ(mode, QFileDialog::ExistingFile);
}

// The last choice comes back as a Windows-shaped full path, or as a proposed name and a folder:
// the dialog opens in that folder with the name ready, so that Open at once picks it again.
TEST_F(OpenFileDialogTest, OpensOnTheLastChoiceWithTheSystemsNames) {
  const QString bitmap = folder.filePath("MER.BMP");
  struct Row {
    std::string fileName, initialDir;
    std::string shownName;
    QString picked;
  };
  const Row rows[] = {
      {Windows(bitmap), "", "MER.BMP", bitmap},
      {util::LowerAscii(Windows(bitmap)), "", "MER.BMP", bitmap},
      {"papier.bmp", Windows(folder.path()) + "\\", "papier.bmp", folder.filePath("papier.bmp")},
  };
  for (const Row& row : rows) {
    request.fileName = row.fileName;
    request.initialDir = row.initialDir;
    std::string shownName;
    std::string shownFolder;
    WhenModal([&](QWidget& window) {
      auto& dialog = dynamic_cast<QFileDialog&>(window);
      shownName = dialog.findChild<QLineEdit*>("fileNameEdit")->text().toStdString();
      shownFolder = dialog.directory().absolutePath().toStdString();
      Open(dialog);
    });
    EXPECT_EQ(app.RunOpenDialog(request), Windows(row.picked)) << row.fileName;
    EXPECT_EQ(shownName, row.shownName) << row.fileName;
    EXPECT_EQ(shownFolder, QDir(folder.path()).absolutePath().toStdString()) << row.fileName;
  }
}

}  // namespace
}  // namespace fondex::test

#include "qt/OpenFileDialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include "qt/Text.h"

namespace fondex::qt {

namespace {

QString QtPatterns(const QString& patterns) {
  QStringList result;
  for (const QString& pattern : patterns.split(u';', Qt::SkipEmptyParts)) {
    result << (pattern.trimmed() == QStringLiteral("*.*") ? QStringLiteral("*")
                                                          : pattern.trimmed());
  }
  return result.join(u' ');
}

QString SystemPath(const platform::posix::PathMapper& paths, const std::string& windowsPath) {
  const std::optional<std::string> posix = paths.ToPosix(windowsPath);
  return posix ? QFile::decodeName(QByteArray::fromStdString(*posix)) : QString();
}

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
  const QStringList parts = ToQt(filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << QStringLiteral("%1 (%2)").arg(parts[i], QtPatterns(parts[i + 1]));
  }
  return filters;
}

OpenFileDialog::OpenFileDialog(const toolkit::OpenDialogRequest& request,
                               const platform::posix::PathMapper& paths)
    : paths_(paths), pathMustExist_(request.pathMustExist) {
  setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  setFilter(filter() & ~QDir::CaseSensitive);
  setWindowTitle(ToQt(request.title));
  const QString initial =
      request.initialDir.empty() ? QString() : SystemPath(paths, request.initialDir);
  setDirectory(initial.isEmpty() ? QDir::currentPath() : initial);
  setNameFilters(QtNameFilters(request.filter));
  setDefaultSuffix(ToQt(request.defaultExt));
  if (!request.fileName.empty()) {
    selectFile(ToQt(request.fileName));
  }
}

std::optional<std::string> OpenFileDialog::Run() {
  if (exec() != QDialog::Accepted || selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return paths_.ToWindows(QFile::encodeName(selectedFiles().constFirst()).toStdString());
}

void OpenFileDialog::accept() {
  const QStringList chosen = selectedFiles();
  if (pathMustExist_ && !chosen.isEmpty()) {
    const QFileInfo file(chosen.constFirst());
    if (!file.isDir() && !file.dir().exists()) {
      const std::string directory = paths_.ToWindows(QFile::encodeName(file.path()).toStdString());
      QMessageBox::warning(
          this, windowTitle(),
          QStringLiteral("Le chemin %1 n'existe pas.\nV\u00e9rifiez le nom du chemin.")
              .arg(ToQt(directory)));
      return;
    }
  }
  QFileDialog::accept();
}

}  // namespace fondex::qt

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

QString NativePath(const platform::NativeNames& names, const std::string& programPath) {
  const std::optional<std::string> native = names.ToNative(programPath);
  return native ? QFile::decodeName(QByteArray::fromStdString(*native)) : QString();
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
                               const platform::NativeNames& names)
    : names_(names), pathMustExist_(request.pathMustExist) {
  setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  setFilter(filter() & ~QDir::CaseSensitive);
  setWindowTitle(ToQt(request.title));
  setNameFilters(QtNameFilters(request.filter));
  setDefaultSuffix(ToQt(request.defaultExt));
  ShowFirst(request);
}

// A full path of the program (the last choice) opens the dialog in its folder with its name
// chosen, so that Enter picks it again; a bare name is proposed in the initial folder.
void OpenFileDialog::ShowFirst(const toolkit::OpenDialogRequest& request) {
  const QString chosen = NativePath(names_, request.fileName);
  if (!chosen.isEmpty()) {
    setDirectory(QFileInfo(chosen).absolutePath());
    selectFile(QFileInfo(chosen).fileName());
    return;
  }
  const QString initial =
      request.initialDir.empty() ? QString() : NativePath(names_, request.initialDir);
  setDirectory(initial.isEmpty() ? QDir::currentPath() : initial);
  if (!request.fileName.empty()) {
    selectFile(ToQt(request.fileName));
  }
}

std::optional<std::string> OpenFileDialog::Run() {
  if (exec() != QDialog::Accepted || selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return names_.ToProgram(QFile::encodeName(selectedFiles().constFirst()).toStdString());
}

void OpenFileDialog::accept() {
  const QStringList chosen = selectedFiles();
  if (pathMustExist_ && !chosen.isEmpty()) {
    const QFileInfo file(chosen.constFirst());
    if (!file.isDir() && !file.dir().exists()) {
      const std::string directory = names_.ToProgram(QFile::encodeName(file.path()).toStdString());
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

#include "qt/HelpViewer.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>

#include "qt/Text.h"

namespace fondex::qt {

namespace {

constexpr QSize kWindowSize(480, 360);

}  // namespace

std::optional<HelpSection> FindHelpSection(const QString& helpText, int context) {
  static const QRegularExpression header(QStringLiteral("^\\[(\\d+)\\][ \\t]*(.*)$"));
  std::optional<HelpSection> section;
  QStringList body;
  for (const QString& line : helpText.split(u'\n')) {
    const QRegularExpressionMatch match = header.match(line.trimmed());
    if (match.hasMatch()) {
      if (section) {
        break;
      }
      if (match.captured(1).toInt() == context) {
        section = HelpSection{match.captured(2).trimmed(), {}};
      }
    } else if (section) {
      body << line;
    }
  }
  if (section) {
    section->text = body.join(u'\n').trimmed();
  }
  return section;
}

QtHelpViewer::~QtHelpViewer() {
  delete window_.data();
}

bool QtHelpViewer::ShowHelp(const std::string& helpFile, int context) {
  const std::optional<std::string> path = names_.ToNative(helpFile);
  QFile file(path ? QFile::decodeName(QByteArray::fromStdString(*path)) : QString());
  if (!path || !file.open(QIODevice::ReadOnly)) {
    Show(QStringLiteral("Aide"),
         QStringLiteral("Le fichier d'aide %1 est introuvable.").arg(ToQt(helpFile)));
    return false;
  }
  const std::optional<HelpSection> section =
      FindHelpSection(QString::fromUtf8(file.readAll()), context);
  if (!section) {
    Show(QStringLiteral("Aide"),
         QStringLiteral("Le fichier d'aide %1 n'a pas de rubrique pour le contexte %2.")
             .arg(ToQt(helpFile))
             .arg(context));
    return false;
  }
  Show(section->title.isEmpty() ? QStringLiteral("Aide") : section->title, section->text);
  return true;
}

void QtHelpViewer::Show(const QString& title, const QString& text) {
  // A window of its own is blocked by an open modal window; a window of the modal one is not.
  QWidget* owner = QApplication::activeModalWidget();
  if (window_ == nullptr) {
    window_ = new QTextBrowser;
    window_->resize(kWindowSize);
  }
  if (window_->parentWidget() != owner) {
    window_->setParent(owner, Qt::Window);
  }
  window_->setWindowTitle(title);
  window_->setPlainText(text);
  window_->show();
  window_->raise();
  window_->activateWindow();
}

}  // namespace fondex::qt

#include "qt/TypedNames.h"

#include <QDir>
#include <QFile>
#include <QUrl>

namespace fondex::qt {

namespace {

std::string Bytes(const QString& name) {
  return QFile::encodeName(name).toStdString();
}

// The bytes of the address's path: an escape may stand for a byte of any name, UTF-8 or not.
std::optional<std::string> LocalPathOf(const QString& address) {
  const QUrl url(address);
  const QString host = url.host();
  if (!url.isValid() || !url.isLocalFile() ||
      !(host.isEmpty() || host.compare("localhost", Qt::CaseInsensitive) == 0)) {
    return std::nullopt;
  }
  const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
  if (!path.startsWith('/')) {
    return std::nullopt;
  }
  return path.toStdString();
}

}  // namespace

std::optional<std::string> NativeNameTyped(const QString& text) {
  if (text.startsWith('/')) {
    return Bytes(text);
  }
  if (text.startsWith("~/")) {
    return Bytes(QDir::homePath() + text.mid(1));
  }
  if (text.startsWith("file:", Qt::CaseInsensitive)) {
    return LocalPathOf(text);
  }
  return std::nullopt;
}

}  // namespace fondex::qt

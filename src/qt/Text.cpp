#include "qt/Text.h"

namespace fondex::qt {

QString ToQt(const std::string& text) {
  // Each byte that is no part of a UTF-8 sequence becomes the replacement character alone.
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQt(const QString& text) {
  return text.toStdString();
}

}  // namespace fondex::qt

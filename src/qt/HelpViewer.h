#pragma once

#include <QPointer>
#include <QString>
#include <QTextBrowser>
#include <optional>

#include "platform/NativeNames.h"
#include "platform/System.h"

namespace fondex::qt {

// The help file is UTF-8 text cut into sections: a line "[n] Title" opens the section of help
// context n, and the lines after it, up to the next such line, are its text.
struct HelpSection {
  QString title;
  QString text;
};
std::optional<HelpSection> FindHelpSection(const QString& helpText, int context);

// A help window that shows one section of the help file; a missing file or section is said in
// the window. The window stays usable while a modal window of the program is open.
class QtHelpViewer : public platform::HelpViewer {
 public:
  explicit QtHelpViewer(const platform::NativeNames& names) : names_(names) {}
  ~QtHelpViewer() override;
  QtHelpViewer(const QtHelpViewer&) = delete;
  QtHelpViewer& operator=(const QtHelpViewer&) = delete;

  // True when the context's section was found and shown.
  bool ShowHelp(const std::string& helpFile, int context) override;

  // The help window; nullptr until help was first shown.
  QTextBrowser* Window() const { return window_; }

 private:
  void Show(const QString& title, const QString& text);

  const platform::NativeNames& names_;
  QPointer<QTextBrowser> window_;
};

}  // namespace fondex::qt

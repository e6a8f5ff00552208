#include "qt/Frontend.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSocketNotifier>

#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

#include "qt/FormView.h"
#include "qt/Glyphs.h"
#include "qt/MainWindowView.h"
#include "qt/TimerView.h"
#include "toolkit/Error.h"

namespace fondex::qt {

namespace {

std::unique_ptr<QApplication> ApplicationUnlessRunning(int& argc, char** argv) {
  if (QCoreApplication::instance() != nullptr) {
    return nullptr;
  }
  return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

Frontend::Frontend(int& argc, char** argv, const platform::NativeNames& names)
    : ownApplication_(ApplicationUnlessRunning(argc, argv)),
      names_(names),
      help_(names),
      host_(names),
      app_(host_, help_) {
  // The file dialogs and Qt's own messages speak French.
  if (qtTranslations_.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(&qtTranslations_);
  }
  QApplication::setWindowIcon(GlyphIcon("programme"));
  // The program ends when its main window closes, whatever other window is open.
  QApplication::setQuitOnLastWindowClosed(false);
  host_.SetHelp(
      [this](int context) { app_.Dispatch([this, context] { app_.ShowHelp(context); }); });
}

Frontend::~Frontend() {
  ReleaseViews();
  QCoreApplication::removeTranslator(&qtTranslations_);
}

void Frontend::SetMainForm(toolkit::Form& form,
                           std::function<void(toolkit::Message&)> windowHandler) {
  auto view =
      std::make_unique<MainWindowView>(app_, form, drops_, names_, std::move(windowHandler));
  view->onClosed = [] { QCoreApplication::quit(); };
  host_.AddView(*view);
  views_.push_back(std::move(view));
  mainForm_ = &form;
#if QT_CONFIG(sessionmanager)
  // The session asks before it ends: the same question as the close box's.
  QObject::connect(
      qApp, &QGuiApplication::commitDataRequest, views_.back().get(),
      [this](QSessionManager& manager) {
        if (!MainFormMayClose()) {
          manager.cancel();
        }
      },
      Qt::DirectConnection);
#endif
}

void Frontend::AddForm(toolkit::Form& form) {
  auto view = std::make_unique<FormView>(app_, form);
  host_.AddView(*view);
  views_.push_back(std::move(view));
}

void Frontend::AddTimer(toolkit::Timer& timer) {
  timers_.push_back(std::make_unique<TimerView>(app_, timer));
}

void Frontend::WatchOutsideChanges(platform::OutsideChangeSource& source) {
  if (source.Descriptor() < 0) {
    return;
  }
  outsideChanges_ = std::make_unique<QSocketNotifier>(source.Descriptor(), QSocketNotifier::Read);
  QObject::connect(outsideChanges_.get(), &QSocketNotifier::activated, outsideChanges_.get(),
                   [this, &source] { app_.Dispatch([&source] { source.Dispatch(); }); });
}

bool Frontend::MainFormMayClose() {
  bool mayClose = false;
  app_.Dispatch([this, &mayClose] { mayClose = mainForm_->CloseQuery(); });
  return mayClose;
}

int Frontend::Run() {
  if (mainForm_ == nullptr) {
    throw Error("Pépin : pas de fenêtre principale");
  }
  app_.Dispatch([this] { mainForm_->Show(); });
  const int code = QApplication::exec();
  ReleaseViews();
  return code;
}

void Frontend::ReleaseViews() {
  outsideChanges_.reset();
  timers_.clear();
  for (const auto& view : views_) {
    host_.RemoveView(*view);
  }
  views_.clear();
  mainForm_ = nullptr;
}

}  // namespace fondex::qt

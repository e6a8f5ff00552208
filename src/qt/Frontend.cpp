#include "qt/Frontend.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSocketNotifier>
#include <QTimer>

#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

#include "qt/FormView.h"
#include "qt/Glyphs.h"
#include "qt/MainWindowView.h"
#include "qt/NotifyIconView.h"
#include "qt/TimerView.h"
#include "toolkit/Error.h"

namespace fondex::qt {

namespace {

// In a Wayland session the window goes through the session's X server when there is one: only
// there can it take the place FONDEX.INI keeps for it (a Wayland window cannot choose its
// place). A platform the user asks for is taken as asked.
void PreferX11Window() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
}

std::unique_ptr<QApplication> ApplicationUnlessRunning(int& argc, char** argv) {
  if (QCoreApplication::instance() != nullptr) {
    return nullptr;
  }
  PreferX11Window();
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
  view->onClosed = [this] {
    mainFormClosed_ = true;
    QCoreApplication::quit();
  };
  host_.AddView(*view);
  views_.push_back(std::move(view));
  mainForm_ = &form;
#if QT_CONFIG(sessionmanager)
  // The session asks before it ends: the same question as the close box's.
  QObject::connect(
      qApp, &QGuiApplication::commitDataRequest, views_.back().get(),
      [this](QSessionManager& manager) {
        // Nothing may wait for the user while the session asks; it may still go on afterwards.
        app_.SetSessionEnding(true);
        closeQueryAnswered_ = MainFormMayClose();
        app_.SetSessionEnding(false);
        if (!closeQueryAnswered_) {
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

void Frontend::AddNotifyIcon(toolkit::NotifyIcon& icon) {
  notifyIcon_ = std::make_unique<NotifyIconView>(app_, icon);
}

void Frontend::WatchOutsideChanges(platform::OutsideChangeSource& source) {
  outsideChanges_ = Watch(source.Descriptor(), [&source] { source.Dispatch(); });
}

void Frontend::ListenToLaterStarts(platform::ProgramInstance& instance,
                                   std::function<void(const std::string&)> handler) {
  laterStarts_ = Watch(instance.Descriptor(), [this, &instance, handler = std::move(handler)] {
    for (const std::string& message : instance.Receive()) {
      app_.Dispatch([&handler, &message] { handler(message); });
    }
  });
}

void Frontend::AfterStart(std::function<void()> event) {
  QTimer::singleShot(0, qApp, [this, event = std::move(event)] { app_.Dispatch(event); });
}

std::unique_ptr<QSocketNotifier> Frontend::Watch(int descriptor, std::function<void()> onReadable) {
  if (descriptor < 0) {
    return nullptr;
  }
  auto notifier = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                   [this, onReadable = std::move(onReadable)] { app_.Dispatch(onReadable); });
  return notifier;
}

void Frontend::TurnWhileWaiting() {
  std::vector<QSocketNotifier*> setAside;
  for (QSocketNotifier* notifier : {outsideChanges_.get(), laterStarts_.get(), sessionEnd_.get()}) {
    if (notifier != nullptr && notifier->isEnabled()) {
      notifier->setEnabled(false);
      setAside.push_back(notifier);
    }
  }
  waiting_.Turn();
  for (QSocketNotifier* notifier : setAside) {
    notifier->setEnabled(true);
  }
}

void Frontend::EndSessionOn(platform::SessionEndRequests& requests) {
  sessionEnd_ = std::make_unique<QSocketNotifier>(requests.Descriptor(), QSocketNotifier::Read);
  QObject::connect(sessionEnd_.get(), &QSocketNotifier::activated, sessionEnd_.get(),
                   [this, &requests] {
                     requests.Acknowledge();
                     EndSession();
                   });
}

void Frontend::EndSession() {
  sessionEndRequested_ = true;
  app_.SetSessionEnding(true);
  // Every event loop ends, the nested ones of open boxes and dialogs first.
  QCoreApplication::exit(0);
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
  // A request that came before the loop (while a box of the start was open) ends it at once.
  const int code = sessionEndRequested_ ? 0 : QApplication::exec();
  // The loop ended with the main window open or hidden: the session ends. The close query runs as
  // at a log-off, unless the session manager has had it answered already.
  if (!mainFormClosed_) {
    app_.SetSessionEnding(true);
    if (!closeQueryAnswered_) {
      MainFormMayClose();
    }
  }
  ReleaseViews();
  return code;
}

void Frontend::ReleaseViews() {
  outsideChanges_.reset();
  laterStarts_.reset();
  timers_.clear();
  notifyIcon_.reset();
  for (const auto& view : views_) {
    host_.RemoveView(*view);
  }
  views_.clear();
  mainForm_ = nullptr;
}

}  // namespace fondex::qt

#include "qt/FormView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QScreen>
#include <QWindow>

#include "qt/ControlView.h"
#include "qt/ControlViews.h"
#include "qt/Placement.h"
#include "qt/Text.h"
#include "qt/X11Activation.h"
#include "toolkit/FormKeys.h"

namespace fondex::qt {

namespace {

// Qt's Wayland plugin hands the compositor the token it finds in XDG_ACTIVATION_TOKEN when a
// window asks for the keyboard, as desktop libraries do, and takes it out of the environment;
// where it is not used it must not reach the programs started later either. On X11 the
// launcher's startup ID goes after Qt's own request, which carries Qt's last event time rather
// than the launch's.
void Activate(QWidget& window, const std::string& token) {
  const bool wayland = !token.empty() && QGuiApplication::platformName().startsWith("wayland");
  if (wayland) {
    qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(token));
  }
  window.activateWindow();
  if (wayland) {
    qunsetenv("XDG_ACTIVATION_TOKEN");
  } else if (!token.empty()) {
    ActivateWithStartupId(window, token);
  }
}

}  // namespace

namespace {

Qt::WindowFlags FlagsOf(const toolkit::Form& form) {
  const bool dialog = form.borderStyle == toolkit::BorderStyle::kDialog;
  Qt::WindowFlags flags = (dialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
  // A dialog frame has neither a minimize nor a maximize box.
  if (!dialog && form.minimizeBox) {
    flags |= Qt::WindowMinimizeButtonHint;
  }
  if (!dialog && form.maximizeBox) {
    flags |= Qt::WindowMaximizeButtonHint;
  }
  return flags;
}

}  // namespace

FormView::FormView(toolkit::Application& app, toolkit::Form& form)
    : QWidget(nullptr, FlagsOf(form)),
      app_(app),
      form_(form),
      changed_(form.Changed, [this] { Refresh(); }),
      broughtToFront_(form.BroughtToFront, [this] { BringToFront(); }),
      // After the event that asked: the close query is an event of its own.
      closeRequested_(form.CloseRequested, [this] {
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
      }) {
  setObjectName(QString::fromStdString(form.Name()));
  setFixedSize(form.bounds.width, form.bounds.height);
  setFont(FontOf(form));
  if (form.borderStyle == toolkit::BorderStyle::kDialog) {
    setWindowModality(Qt::ApplicationModal);
  }
  controlOf_[this] = &form_;
  // The screen's name as the window system gives it: X11's RandR monitor, Wayland's output.
  form_.screenProbe = [this] {
    const QScreen* shown = screen();
    return shown == nullptr ? std::string() : shown->name().toStdString();
  };
  installEventFilter(this);
  BuildViews(form_, this);
  SetFocusPolicies();
  SetTabOrder();
  focusConnection_ = connect(qApp, &QApplication::focusChanged, this,
                             [this](QWidget* /*old*/, QWidget* now) { FollowFocus(now); });
  Refresh();
}

FormView::~FormView() {
  // The control views die in QWidget's destructor, when this object is half gone.
  disconnect(focusConnection_);
  form_.screenProbe = nullptr;
}

QWidget* FormView::ViewOf(const toolkit::Control* control) const {
  const auto found = viewOf_.find(control);
  return found == viewOf_.end() ? nullptr : found->second;
}

void FormView::BuildViews(toolkit::Control& parent, QWidget* parentWidget) {
  for (toolkit::Control* control : parent.Children()) {
    QWidget* view = CreateControlView(app_, *control, parentWidget);
    controls_.push_back(control);
    controlOf_[view] = control;
    viewOf_[control] = view;
    view->installEventFilter(this);
    BuildViews(*control, view);
  }
}

void FormView::SetFocusPolicies() {
  setFocusPolicy(Qt::NoFocus);
  for (toolkit::Control* control : controls_) {
    if (toolkit::TakesFocus(control->Kind())) {
      viewOf_[control]->setFocusPolicy(control->tabOrder >= 0 ? Qt::StrongFocus : Qt::ClickFocus);
    } else {
      viewOf_[control]->setFocusPolicy(Qt::NoFocus);
    }
  }
}

void FormView::SetTabOrder() {
  const std::vector<const toolkit::Control*> chain = toolkit::TabChain(form_);
  for (std::size_t i = 1; i < chain.size(); ++i) {
    QWidget::setTabOrder(ViewOf(chain[i - 1]), ViewOf(chain[i]));
  }
}

void FormView::Refresh() {
  setWindowTitle(ToQt(form_.Caption()));
  setEnabled(form_.Enabled());
  if (form_.PositionSet() && !writingModel_ && pos() != QPoint(form_.Left(), form_.Top())) {
    move(form_.Left(), form_.Top());
  }
  if (form_.Visible() && !isVisible()) {
    Place();
    if (!screenFollowed_) {
      FollowScreen();
    }
    show();
  } else if (!form_.Visible() && isVisible()) {
    hide();
  }
  if (!isVisible() && modalOnlyWhileRun_) {
    setWindowModality(Qt::NonModal);
    modalOnlyWhileRun_ = false;
  }
  ShowActiveControl();
}

// The first showing centres a form that asks for it; afterwards it stays where it was left.
void FormView::Place() {
  if (placed_) {
    return;
  }
  placed_ = true;
  if (form_.position == toolkit::FormPosition::kScreenCenter) {
    CentreOnScreen(*this);
  }
}

// The form hears of its screen before the window first shows, where its position puts it, so
// that it opens as it should and nothing it asks of the desktop then delays a first click; then
// at each move to another screen, in an event of its own.
void FormView::FollowScreen() {
  screenFollowed_ = true;
  if (!form_.OnScreenChange) {
    return;
  }
  TellScreen();
  winId();
  connect(windowHandle(), &QWindow::screenChanged, this, &FormView::TellScreen,
          Qt::QueuedConnection);
}

// The native window may be made on the primary screen and told of its own once mapped: only a
// screen other than the one last told is news.
void FormView::TellScreen() {
  std::string screen = form_.ScreenName();
  if (screen != screenTold_) {
    screenTold_ = std::move(screen);
    app_.Dispatch(form_.OnScreenChange);
  }
}

void FormView::ShowActiveControl() {
  QWidget* active = ViewOf(form_.ActiveControl());
  if (active != nullptr && QApplication::focusWidget() != active && !writingModel_) {
    active->setFocus(Qt::OtherFocusReason);
  }
}

void FormView::FollowFocus(QWidget* focused) {
  const auto found = controlOf_.find(focused);
  if (found == controlOf_.end() || found->second == &form_ || writingModel_) {
    return;
  }
  writingModel_ = true;
  app_.Dispatch([this, control = found->second] { form_.SetActiveControl(control); });
  writingModel_ = false;
}

void FormView::moveEvent(QMoveEvent* /*event*/) {
  if (isVisible()) {
    WritePosition();
  }
}

// The position the user gives the window, and the frame the window system adds, go back to
// the form, which saves them.
void FormView::WritePosition() {
  const QRect frame = frameGeometry();
  if (frame.width() > width()) {
    form_.frameWidth = frame.width() - width();
    form_.frameHeight = frame.height() - height();
  }
  writingModel_ = true;
  app_.Dispatch([this, frame] {
    form_.SetLeft(frame.left());
    form_.SetTop(frame.top());
  });
  writingModel_ = false;
}

void FormView::ExecModal() {
  if (windowModality() != Qt::ApplicationModal) {
    // Qt takes a new modality only from a hidden window.
    hide();
    setWindowModality(Qt::ApplicationModal);
    modalOnlyWhileRun_ = true;
  }
  QEventLoop loop;
  const Binding ended(form_.ModalResultChanged, [this, &loop] {
    if (form_.ModalResult() != toolkit::mr::kNone) {
      loop.quit();
    }
  });
  Place();
  show();
  BringToFront();
  ShowActiveControl();
  modalLoop_ = &loop;
  if (form_.ModalResult() == toolkit::mr::kNone) {
    loop.exec(QEventLoop::DialogExec);
  }
  modalLoop_ = nullptr;
}

// A modal window open over this one stays above it, and keeps the keyboard: the launcher's
// token, when a later start brought one, goes with the window that takes it.
void FormView::BringToFront() {
  raise();
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || modal == this) {
    Activate(*this, form_.ActivationToken());
    return;
  }
  activateWindow();
  modal->raise();
  Activate(*modal, form_.ActivationToken());
}

void FormView::closeEvent(QCloseEvent* event) {
  // What the window shows is the model's business: it hides the window itself.
  event->ignore();
  if (modalLoop_ != nullptr) {
    app_.Dispatch([this] { form_.SetModalResult(toolkit::kCloseBoxResult); });
    return;
  }
  bool canClose = false;
  app_.Dispatch([this, &canClose] { canClose = form_.CloseQuery(); });
  if (!canClose) {
    return;
  }
  app_.Dispatch([this] { form_.Hide(); });
  if (onClosed) {
    onClosed();
  }
}

}  // namespace fondex::qt

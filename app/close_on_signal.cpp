#include "app/close_on_signal.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include "ui/runtime_dialogs.h"

namespace zlc::app {
namespace {

// The handler only writes a byte; the window hears it in its event loop.
int g_signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  const int saved = errno;
  const char byte = 1;
  (void)!::write(g_signalPipe[0], &byte, 1);
  errno = saved;
}

// Dialogs and menus over the window go first, one after the other, each
// when the loop it ran in has ended; then the window itself.
void CloseFromTheTop(QPointer<QWidget> window) {
  if (!window) return;
  QWidget* top = QApplication::activePopupWidget();
  if (!top) top = QApplication::activeModalWidget();
  if (top && top != window) {
    if (auto* dialog = qobject_cast<QDialog*>(top)) {
      dialog->reject();
    } else {
      top->close();
    }
    QTimer::singleShot(0, window, [window] { CloseFromTheTop(window); });
    return;
  }
  window->close();
}

}  // namespace

void CloseOnTerminationSignals(QWidget* mainWindow) {
  if (g_signalPipe[0] >= 0) return;
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, mainWindow);
  QObject::connect(notifier, &QSocketNotifier::activated, mainWindow, [mainWindow] {
    char bytes[16];
    while (::read(g_signalPipe[1], bytes, sizeof bytes) > 0) {
    }
    // What closing has to say (a zlc.cfg that cannot be written) must not
    // keep the program waiting for a click that will not come.
    ui::SendMessagesToStandardError();
    CloseFromTheTop(mainWindow);
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGHUP, &action, nullptr);
}

}  // namespace zlc::app

#include "ui/Application.h"

#include "ui/Seam.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <exception>
#include <fcntl.h>
#include <unistd.h>

namespace ui {

namespace {
QPointer<QWidget> &MainWindow() {
    static QPointer<QWidget> window;
    return window;
}
// A signal handler may do next to nothing: it writes the signal to a pipe, which the
// user-interface thread watches.
int SignalPipe[2] = {-1, -1};

void OnTerminationSignal(int signal) {
    const int saved = errno;
    const char byte = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(SignalPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        QString text = QString::fromLocal8Bit(e.what());
        while (text.endsWith(QLatin1Char('.')))
            text.chop(1);
        ShowTopLevelError(text);
    } catch (...) {
        ShowTopLevelError(QStringLiteral("An unexpected error occurred"));
    }
    return false;
}

void Application::SetMainWindow(QWidget *window) {
    MainWindow() = window;
}

void Application::QuitOnTerminationSignals() {
    if (SignalPipe[0] < 0) {
        if (::pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
            return; // the program runs on, ended by these signals as any program is
        auto *notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, qApp);
        connect(notifier, &QSocketNotifier::activated, qApp, [] {
            char byte;
            while (::read(SignalPipe[0], &byte, 1) > 0) {
            }
            QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
        });
    }
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

bool Application::event(QEvent *event) {
    if (event->type() == QEvent::Quit && MainWindow() && MainWindow()->isVisible() &&
        !MainWindow()->close()) {
        event->ignore();
        return true;
    }
    return QApplication::event(event);
}

} // namespace ui

#include "ui/Application.h"

#include "ui/Seam.h"

#include <QPointer>
#include <QWidget>

#include <exception>

namespace ui {

namespace {
QPointer<QWidget> &MainWindow() {
    static QPointer<QWidget> window;
    return window;
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

bool Application::event(QEvent *event) {
    if (event->type() == QEvent::Quit && MainWindow() && MainWindow()->isVisible() &&
        !MainWindow()->close()) {
        event->ignore();
        return true;
    }
    return QApplication::event(event);
}

} // namespace ui

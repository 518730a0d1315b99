#include "ui/Application.h"

#include "ui/Seam.h"

#include <exception>

namespace ui {

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

} // namespace ui

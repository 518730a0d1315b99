#pragma once
// The application object: any error that no window handles reaches the user in one
// error box, and the program goes on.

#include <QApplication>

namespace ui {

class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace ui

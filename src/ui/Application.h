#pragma once
// The application object: any error that no window handles reaches the user in one
// error box, and the program goes on. A request to end the program goes to its main window.

#include <QApplication>

namespace ui {

class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // The window whose closing ends the program.
    static void SetMainWindow(QWidget *window);

    // SIGTERM (the desktop session ending, a system shutting down), SIGINT (Ctrl+C in the
    // terminal the program was started from) and SIGHUP (that terminal closed) ask the
    // program to quit as the desktop session does, so the catalogue is saved. Each works
    // once: a second one ends the program at once.
    static void QuitOnTerminationSignals();

protected:
    // A request to quit (from the desktop session or the platform) closes the main window,
    // which saves the catalogue or refuses while another window has taken over it; then the
    // program ends. Qt by itself would close every window, in no set order, until one
    // refuses: the floor plan editor, which refuses nothing, could close under the disabled
    // main window and leave its opener running.
    bool event(QEvent *event) override;
};

} // namespace ui

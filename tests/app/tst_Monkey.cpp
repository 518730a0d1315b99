// A seeded random walk of clicks, drags, typing and keys across the program's windows, with
// every question answered at random, ending with File > Save: nothing crashes, and the saved
// file holds the catalogue as it was in memory and loads again without a question about
// damage. TM_MONKEY_EVENTS sets the walk's length (2,000 by default), TM_MONKEY_SEED its seed
// (printed, so a failing walk can be walked again).

#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WidgetDriver.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "app/ProgramFiles.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenu>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>

#include <map>

namespace {

// Answers every question at random; print and font dialogs are confirmed now and then.
class MonkeyResponder : public TestResponder {
public:
    explicit MonkeyResponder(QRandomGenerator &random) : random_(random) {}
    ui::MsgResult Message(ui::MsgKind kind, const QString &caption, const QString &text,
                          ui::MsgButtons buttons) override {
        messages.append({kind, caption, text, buttons});
        if (buttons == ui::MsgButtons::Ok)
            return ui::MsgResult::Ok;
        return random_.bounded(2) ? ui::MsgResult::Yes : ui::MsgResult::No;
    }
    bool PrintDialog(QPrinter &printer) override {
        confirmPrint = random_.bounded(4) == 0;
        return TestResponder::PrintDialog(printer);
    }
    bool PrinterSetup(QPrinter &printer) override {
        confirmPrinterSetup = random_.bounded(2) == 0;
        return TestResponder::PrinterSetup(printer);
    }
    bool FontDialog(ReportFont &font) override {
        confirmFont = random_.bounded(2) == 0;
        chosenFont = font;
        chosenFont.Size = 6 + int(random_.bounded(20));
        return TestResponder::FontDialog(font);
    }

private:
    QRandomGenerator &random_;
};

// Letters, digits, signs the number boxes read, and characters the file cannot hold.
const QString Typed = QStringLiteral("aZq 09.,-$%/\u00e9\u00df\u20ac\u0142*");

const Qt::Key Keys[] = {Qt::Key_Return, Qt::Key_Escape,   Qt::Key_Tab,    Qt::Key_Backtab,
                        Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Home,   Qt::Key_End,
                        Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Delete, Qt::Key_Backspace,
                        Qt::Key_Space,  Qt::Key_Left,     Qt::Key_Right,  Qt::Key_F1,
                        Qt::Key_F2,     Qt::Key_Insert};

class Monkey {
public:
    Monkey(quint32 seed, int events) : random(seed), events_(events) {}

    QRandomGenerator random;
    std::map<QString, int> visits; // events per window
    int done = 0;
    bool finished = false;
    QString failure;
    QStringList trace; // the last events, for a failure's message

    void Step() {
        if (finished)
            return;
        // The next step first: an action that opens a modal window runs its own event loop,
        // and the walk goes on inside it.
        QTimer::singleShot(0, [this] { Step(); });
        if (!MainForm->isVisible()) {
            failure = QStringLiteral("the main window closed");
            finished = true;
            return;
        }
        if (QWidget *popup = QApplication::activePopupWidget()) {
            // A menu: one of its commands, or away with it.
            const auto actions = Commands(popup);
            if (done < events_ && !actions.isEmpty() && random.bounded(2))
                Run(actions[int(random.bounded(actions.size()))], popup);
            popup->close();
            return;
        }
        QWidget *window = Window();
        if (done >= events_) {
            Unwind(window);
            return;
        }
        ++done;
        ++visits[window->objectName().isEmpty()
                     ? QString::fromLatin1(window->metaObject()->className())
                     : window->objectName()];
        if (!Ours(window)) {
            // A window of the toolkit's own (a print preview, say): closed again, since it
            // would lead to the platform's dialogs.
            if (auto *dialog = qobject_cast<QDialog *>(window))
                dialog->reject();
            else
                window->close();
            return;
        }
        Act(window);
    }

private:
    int events_;

    static bool Ours(QWidget *window) {
        return ProgramWindows().contains(window) ||
               !QByteArray(window->metaObject()->className()).startsWith('Q');
    }

    // The window in front: a modal one, else the active window, else the main window.
    QWidget *Window() {
        if (QWidget *modal = QApplication::activeModalWidget())
            return modal;
        QList<QWidget *> shown;
        for (QWidget *w : ProgramWindows())
            if (w->isVisible() && w->isEnabled())
                shown << w;
        if (QWidget *active = QApplication::activeWindow(); active && shown.contains(active))
            return random.bounded(4) ? active : shown[int(random.bounded(shown.size()))];
        return shown.isEmpty() ? MainForm : shown[int(random.bounded(shown.size()))];
    }

    // After the last event every window but the main one closes, the top-most first: modal
    // ones, then a window no other has taken over (one that has refuses to close until the
    // window on top of it is gone). A window that will not close ends the walk as a failure.
    void Unwind(QWidget *window) {
        Q_UNUSED(window);
        QWidget *closing = QApplication::activeModalWidget();
        if (!closing) {
            const QList<QWidget *> &windows = ProgramWindows();
            for (auto it = windows.rbegin(); it != windows.rend() && !closing; ++it)
                if (*it != MainForm && (*it)->isVisible() && (*it)->isEnabled())
                    closing = *it;
        }
        if (!closing) {
            finished = true;
            return;
        }
        if (closing == lastClosing_ && ++closeAttempts_ > 100) {
            failure = closing->objectName() + QStringLiteral(" does not close");
            finished = true;
            return;
        }
        if (closing != lastClosing_)
            closeAttempts_ = 0;
        lastClosing_ = closing;
        auto *dialog = qobject_cast<QDialog *>(closing);
        if (dialog && closing == QApplication::activeModalWidget())
            dialog->reject();
        else
            closing->close();
    }
    QPointer<QWidget> lastClosing_;
    int closeAttempts_ = 0;

    void Note(QWidget *window, const QString &what) {
        trace << window->objectName() + ": " + what;
        if (trace.size() > 30)
            trace.removeFirst();
    }
    void Run(QAction *action, QWidget *window) {
        Note(window, "command " + action->objectName() + " " + action->text());
        action->trigger();
    }

    static QList<QAction *> Commands(QWidget *window) {
        QList<QAction *> out;
        for (QAction *a : window->findChildren<QAction *>())
            if (a->isEnabled() && a->isVisible() && !a->isSeparator() && !a->menu() &&
                !Ends(a->objectName(), window))
                out << a;
        return out;
    }

    // The commands that end the program: the walk keeps the main window open.
    // What would end the program: the main window's Exit, also from its menu (whose popup
    // is a window of its own), and its close button.
    static bool Ends(const QString &name, QWidget *window) {
        return name == QLatin1String("Exit1") ||
               (window == MainForm && name == QLatin1String("CloseBtn"));
    }

    template <class T> QList<T *> Controls(QWidget *window) {
        QList<T *> out;
        for (T *w : window->findChildren<T *>())
            if (w->isVisible() && w->isEnabled() && !Ends(w->objectName(), window))
                out << w;
        return out;
    }

    template <class T> T *Pick(const QList<T *> &list) {
        return list.isEmpty() ? nullptr : list[int(random.bounded(list.size()))];
    }

    QPoint Somewhere(QWidget *w) {
        return QPoint(int(random.bounded(qMax(1, w->width()))),
                      int(random.bounded(qMax(1, w->height()))));
    }

    // A key for the control with the focus, never one that would end the program.
    void PressKey(QWidget *window) {
        QWidget *target = QApplication::focusWidget();
        if (!target || target->window() != window)
            target = window;
        Qt::Key key = Keys[random.bounded(int(std::size(Keys)))];
        if (Ends(target->objectName(), window))
            key = Qt::Key_Tab;
        Note(window, "key " + QKeySequence(key).toString() + " on " + target->objectName());
        QTest::keyClick(target, key);
    }

    void Act(QWidget *window) {
        if (!window->isActiveWindow())
            window->activateWindow();
        switch (random.bounded(100) / 10) {
        case 0:
        case 1:
        case 2:
            if (auto *b = Pick(Controls<QAbstractButton>(window)))
                return Note(window, "click " + b->objectName() + " " + b->text()),
                       QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
            break;
        case 3:
            if (auto *a = Pick(Commands(window)))
                return Run(a, window);
            break;
        case 4:
        case 5:
            if (auto *view = Pick(Controls<QAbstractItemView>(window))) {
                QAbstractItemModel *model = view->model();
                if (model && model->rowCount(view->rootIndex()) > 0) {
                    const QModelIndex index =
                        model->index(int(random.bounded(model->rowCount(view->rootIndex()))), 0,
                                     view->rootIndex());
                    view->scrollTo(index);
                    const QPoint at = view->visualRect(index).center();
                    if (random.bounded(5) == 0)
                        return QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
                    Note(window,
                         "row " + QString::number(index.row()) + " of " + view->objectName());
                    return QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
                }
                return QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                         Somewhere(view->viewport()));
            }
            break;
        case 6:
            if (QWidget *box = random.bounded(2)
                                   ? static_cast<QWidget *>(Pick(Controls<QLineEdit>(window)))
                                   : Pick(Controls<QAbstractSpinBox>(window))) {
                box->setFocus();
                QString text;
                for (int i = int(random.bounded(6)); i >= 0; --i)
                    text += Typed[int(random.bounded(Typed.size()))];
                if (random.bounded(3) == 0)
                    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                return Note(window, "type \"" + text + "\" in " + box->objectName()),
                       TypeText(box, text);
            }
            if (auto *combo = Pick(Controls<QComboBox>(window)); combo && combo->count() > 0)
                return combo->setCurrentIndex(int(random.bounded(combo->count())));
            break;
        case 7:
        case 8:
            return PressKey(window);
        case 9:
            if (auto *w = Pick(Controls<QWidget>(window))) {
                // A press, a drag and a release: the floor plan draws with these.
                const QPoint from = Somewhere(w), to = Somewhere(w);
                const auto button = random.bounded(6) == 0 ? Qt::RightButton : Qt::LeftButton;
                const QPointer<QWidget> alive(w);
                Note(window, "drag on " + w->objectName());
                QTest::mousePress(w, button, {}, from);
                if (alive)
                    QTest::mouseMove(w, to);
                if (alive)
                    QTest::mouseRelease(w, button, {}, to);
                return;
            }
            break;
        }
        PressKey(window); // nothing of that kind in the window: a key instead
    }
};

int Setting(const char *name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetUpWindowTests(); }

    void randomWalkEndsWithASaveThatLoads() {
        const auto seed = quint32(Setting("TM_MONKEY_SEED", 20240611));
        const int events = Setting("TM_MONKEY_EVENTS", 2000);
        qInfo("seed %u, %d events", seed, events);

        TestProgram program;
        QFile::copy(QStringLiteral(TM_TEST_DATA "/seeds/datafile/household.dat"),
                    program.file(QStringLiteral("Shopping.dat")));
        Monkey monkey(seed, events);
        MonkeyResponder responder(monkey.random);
        responder.pdfFile = program.file(QStringLiteral("printed.pdf"));
        QVERIFY(ShowActive(MainForm));
        QVERIFY(responder.messages.isEmpty()); // the file loaded without a question

        QElapsedTimer clock;
        clock.start();
        QTimer::singleShot(0, [&] { monkey.Step(); });
        const qint64 limit = 120'000 + qint64(events) * 100;
        QTRY_VERIFY_WITH_TIMEOUT(monkey.finished || clock.elapsed() > limit, int(limit) + 10'000);
        QVERIFY2(monkey.finished, "the walk did not finish in time");
        if (!monkey.failure.isEmpty())
            for (const QString &event : monkey.trace)
                qInfo("%s", qPrintable(event)); // the walk's last events
        QVERIFY2(monkey.failure.isEmpty(), qPrintable(monkey.failure));
        QString seen;
        for (const auto &[window, count] : monkey.visits)
            seen += QStringLiteral(" %1 %2").arg(window).arg(count);
        qInfo("%d events in %lld ms, %lld messages; events per window:%s", monkey.done,
              clock.elapsed(), qint64(responder.messages.size()), qPrintable(seen));

        responder.messages.clear();
        MainForm->Save1->trigger();
        QCOMPARE(responder.texts(), QStringList{"File saved"});
        std::string inMemory;
        QVERIFY(SerialiseCatalogue(inMemory));
        const QByteArray saved = ReadAll(DataFileName);
        QCOMPARE(saved, QByteArray::fromStdString(inMemory));

        // The file loads as it was saved, without a question.
        ClearCatalogue();
        RecordingUser user;
        QCOMPARE(LoadDataFile(DataFileName.toStdString(), user), LoadOutcome::GoOn);
        QCOMPARE(user.questions, QStringList{});
        std::string reloaded;
        QVERIFY(SerialiseCatalogue(reloaded));
        QCOMPARE(QByteArray::fromStdString(reloaded), saved);
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_Monkey.moc"

#pragma once
// Driving the editors' lists and edit boxes as a user does.

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QStringList>
#include <QTest>

namespace editortest {

inline QStringList Entries(const QListWidget *list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

inline int RowOf(const QListWidget *list, const QString &text) {
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->text() == text)
            return row;
    return -1;
}

inline void ClickRow(QListWidget *list, int row, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(list->viewport(), button, {}, list->visualItemRect(list->item(row)).center());
}

inline void ClickEntry(QListWidget *list, const QString &text,
                       Qt::MouseButton button = Qt::LeftButton) {
    ClickRow(list, RowOf(list, text), button);
}

// Replaces the text of an edit box by typing, as the user would.
inline void Retype(QLineEdit *edit, const QString &text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Presses Alt+key. A button's shortcut clicks it a moment later (with the press shown),
// so this waits for the click.
inline void AltKey(QWidget *window, Qt::Key key) {
    QTest::keyClick(window, key, Qt::AltModifier);
    QTest::qWait(250);
}

// Shows a window and makes it the active one, so focus and shortcuts behave as on screen.
inline bool ShowActive(QWidget *window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// The widgets Tab visits from `first`, in order, until it comes back round.
inline QStringList TabChain(QWidget *first) {
    QStringList names;
    first->setFocus();
    QWidget *w = first;
    do {
        names << w->objectName();
        QTest::keyClick(w, Qt::Key_Tab);
        w = QApplication::focusWidget();
    } while (w && w != first && names.size() < 20);
    return names;
}

// The tab order of a window's focusable controls, enabled or not, starting at `first`.
inline QStringList FocusOrder(QWidget *first) {
    QStringList names;
    QWidget *w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty() &&
            !w->objectName().startsWith(QLatin1String("qt_")))
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != first && names.size() < 40);
    return names;
}

} // namespace editortest

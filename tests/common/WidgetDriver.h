#pragma once
// Driving windows as a user does: lists, edit boxes, shortcuts, modal windows, and pictures
// of what is shown.

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QRectF>
#include <QStringList>
#include <QTest>

#include <functional>

class QDialog;

// The program's window font and English (United States) regional settings.
void SetUpWindowTests();

QStringList Entries(const QAbstractItemView *list);
int RowOf(const QAbstractItemView *list, const QString &text);
// Clicks a row (an entry) of a list; false when the list has no such row.
[[nodiscard]] bool ClickRow(QAbstractItemView *list, int row,
                            Qt::MouseButton button = Qt::LeftButton);
[[nodiscard]] bool ClickEntry(QAbstractItemView *list, const QString &text,
                              Qt::MouseButton button = Qt::LeftButton);

// Replaces the text of an edit box by typing.
void Retype(QLineEdit *edit, const QString &text);
// Types text as a keyboard delivers it, one character per key press, also characters that
// have no key of their own.
void TypeText(QWidget *widget, const QString &text);

// Presses Alt+key. A button's shortcut clicks it a moment later (with the press shown), so
// this waits until no button of the window is held down any more. False when one still is.
[[nodiscard]] bool AltKey(QWidget *window, Qt::Key key);

// Shows a window and makes it the active one, so focus and shortcuts behave as on screen.
bool ShowActive(QWidget *window);

// The widgets Tab visits from `first`, in order, until it comes back round.
QStringList TabChain(QWidget *first);
// The tab order of a window's focusable controls, enabled or not, starting at `first`.
QStringList FocusOrder(QWidget *first);

// Calls `open`, which shows `dialog` modally, and runs `act` on the active dialog from a
// zero-delay timer. Whatever `act` leaves open is rejected, so a failed check never leaves
// the test waiting. True when `act` ran with `dialog` as the modal window.
bool RunModal(QDialog *dialog, const std::function<void()> &open, const std::function<void()> &act);

// A text a widget drew, and the box it took: its advance across, its line's height down.
struct DrawnText {
    QString text;
    QRectF rect;
};
// Every text that `widget` draws when it paints itself, in its own coordinates.
QList<DrawnText> DrawnTexts(QWidget *widget);

// The folder named by TM_SHOTS, where pictures of windows go; empty when it is not set.
QString ShotsFolder();
// Saves a picture of `widget` (enlarged `scale` times) as <name>.png when TM_SHOTS is set.
// False when the picture could not be saved.
[[nodiscard]] bool SaveShot(QWidget *widget, const QString &name, int scale = 1);

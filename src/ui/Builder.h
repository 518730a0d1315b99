#pragma once
// Making a window's controls and menus, so that its constructor reads as the list of its
// controls: name, caption, then what its design gives it (hint, size or place, limits).
//
//     ui::Builder b(this);
//     Edit = b.Edit("CatEdit", 20).Width(169);
//     CatListBox = b.List<TShopCat>("CatListBox").Size(169, 186);
//     AddBtn = b.Button("AddBtn", "&Add").Hint("Add new category").Default();
//     b.TabOrder(); // Edit, list, Add: the order they were made in
//
// Every control gets its name as objectName (tests and pictures find it by that name).

#include "ui/ListBox.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QToolButton>

#include <type_traits>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QMenuBar;
class QRadioButton;

namespace ui {

// Makes F1 in the button's window press the button.
void PressOnHelpKey(QPushButton *button);

// A control (or command) just made; converts to the control itself.
template <class W> class Made {
public:
    explicit Made(W *made) : w_(made) {}
    operator W *() const { return w_; }
    W *operator->() const { return w_; }

    // The tool tip.
    Made &Hint(const QString &hint) requires std::is_base_of_v<QWidget, W> {
        w_->setToolTip(hint);
        return *this;
    }
    Made &Size(int width, int height) requires std::is_base_of_v<QWidget, W> {
        w_->setFixedSize(width, height);
        return *this;
    }
    Made &Width(int width) requires std::is_base_of_v<QWidget, W> {
        w_->setFixedWidth(width);
        return *this;
    }
    // Sized by its layout, not by the control's standard size, and at least `minWidth`
    // wide: for windows laid out by layouts.
    Made &LaidOut(int minWidth = 0) requires std::is_base_of_v<QWidget, W> {
        w_->setMinimumSize(minWidth, 0);
        w_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        return *this;
    }
    // Place and size in the parent, for windows laid out by coordinates.
    Made &At(int x, int y, int width, int height) requires std::is_base_of_v<QWidget, W> {
        w_->setGeometry(x, y, width, height);
        return *this;
    }
    Made &Disabled() {
        w_->setEnabled(false);
        return *this;
    }
    // The button Enter presses.
    Made &Default() requires std::is_base_of_v<QPushButton, W> {
        w_->setDefault(true);
        return *this;
    }
    // The control the label's ampersand leads to.
    Made &Buddy(QWidget *buddy) requires std::is_base_of_v<QLabel, W> {
        w_->setBuddy(buddy);
        return *this;
    }
    // F1 anywhere in the button's window presses it: the window's own help topic.
    Made &HelpKey() requires std::is_base_of_v<QPushButton, W> {
        PressOnHelpKey(w_);
        return *this;
    }
    // A menu command with a check mark.
    Made &Checkable() requires std::is_base_of_v<QAction, W> {
        w_->setCheckable(true);
        return *this;
    }

private:
    W *w_;
};

// The main window's picture buttons: Enter presses the focused one, as Space does.
class PictureButton : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

class Builder {
public:
    // Controls are made on `window` until On() names another parent.
    explicit Builder(QWidget *window) : parent_(window) {}

    // The following controls are made on `parent` (a page, a group box, a panel); the tab
    // order goes on through them.
    Builder &On(QWidget *parent) {
        parent_ = parent;
        return *this;
    }

    // A push button of the windows' standard size, 75 x 25.
    Made<QPushButton> Button(const QString &name, const QString &caption);
    // An edit box for at most `maxLength` characters that Windows-1252 can hold.
    Made<QLineEdit> Edit(const QString &name, int maxLength);
    template <class T> Made<ListBox<T>> List(const QString &name, bool sorted = true) {
        return Take(new ListBox<T>(parent_, sorted), name);
    }
    Made<QLabel> Label(const QString &name, const QString &caption);
    Made<QCheckBox> Check(const QString &name, const QString &caption);
    Made<QRadioButton> Radio(const QString &name, const QString &caption);
    Made<QGroupBox> Group(const QString &name, const QString &caption);
    // A picture button (PictureButton) showing `picture` from the resources at 64 x 54;
    // the hint is also its accessible name.
    Made<QToolButton> Picture(const QString &name, const QString &picture, const QString &hint);
    // Any other widget, made on the current parent.
    template <class W> Made<W> Add(const QString &name) { return Take(new W(parent_), name); }
    // A widget made elsewhere (a typed list made by a template), put on the current parent.
    template <class W> Made<W> Add(W *control, const QString &name) {
        control->setParent(parent_);
        return Take(control, name);
    }

    // Sets the tab order: the controls that take focus by Tab, in the order they were made.
    void TabOrder() const;

private:
    template <class W> Made<W> Take(W *control, const QString &name) {
        control->setObjectName(name);
        made_.push_back(control);
        return Made<W>(control);
    }

    QWidget *parent_;
    std::vector<QWidget *> made_;
};

// Menus on a window's menu bar. Every command is also added to the window, so its shortcut
// works while the menu is closed.
class MenuBuilder {
public:
    MenuBuilder(QWidget *window, QMenuBar *bar, const QString &barName);

    // A menu on the bar, or in `parent` (a submenu).
    QMenu *Menu(const QString &name, const QString &caption, QMenu *parent = nullptr);
    Made<QAction> Item(QMenu *menu, const QString &name, const QString &caption,
                       const QKeySequence &shortcut = {});
    // A command on the bar itself.
    Made<QAction> Item(const QString &name, const QString &caption,
                       const QKeySequence &shortcut = {});
    QAction *Separator(QMenu *menu, const QString &name = {});

private:
    Made<QAction> Command(QAction *action, const QString &name, const QKeySequence &shortcut);

    QWidget *window_;
    QMenuBar *bar_;
};

} // namespace ui

#include "ui/Builder.h"

#include "ui/Ansi.h"
#include "ui/Pictures.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QShortcut>

namespace ui {

void PressOnHelpKey(QPushButton *button) {
    auto *key = new QShortcut(QKeySequence(Qt::Key_F1), button->window());
    QObject::connect(key, &QShortcut::activated, button, &QPushButton::click);
}

void PictureButton::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (event->isAutoRepeat())
            return;
        click();
        return;
    }
    QToolButton::keyPressEvent(event);
}

Made<QPushButton> Builder::Button(const QString &name, const QString &caption) {
    auto made = Take(new QPushButton(caption, parent_), name);
    made->setFixedSize(75, 25);
    return made;
}

Made<QLineEdit> Builder::Edit(const QString &name, int maxLength) {
    auto made = Take(new QLineEdit(parent_), name);
    MakeAnsiEdit(made, maxLength);
    return made;
}

Made<QLabel> Builder::Label(const QString &name, const QString &caption) {
    return Take(new QLabel(caption, parent_), name);
}

Made<QCheckBox> Builder::Check(const QString &name, const QString &caption) {
    return Take(new QCheckBox(caption, parent_), name);
}

Made<QRadioButton> Builder::Radio(const QString &name, const QString &caption) {
    return Take(new QRadioButton(caption, parent_), name);
}

Made<QGroupBox> Builder::Group(const QString &name, const QString &caption) {
    return Take(new QGroupBox(caption, parent_), name);
}

Made<QToolButton> Builder::Picture(const QString &name, const QString &picture,
                                   const QString &hint) {
    const QSize size(64, 54);
    QToolButton *b = Take(new PictureButton(parent_), name);
    b->setIcon(ButtonIcon(picture, size));
    b->setIconSize(size);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoRaise(false);
    return Made<QToolButton>(b);
}

void Builder::TabOrder() const {
    QWidget *previous = nullptr;
    for (QWidget *w : made_) {
        if (!(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

MenuBuilder::MenuBuilder(QWidget *window, QMenuBar *bar, const QString &barName)
    : window_(window), bar_(bar) {
    bar_->setObjectName(barName);
}

QMenu *MenuBuilder::Menu(const QString &name, const QString &caption, QMenu *parent) {
    QMenu *menu = parent ? parent->addMenu(caption) : bar_->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

Made<QAction> MenuBuilder::Command(QAction *action, const QString &name,
                                   const QKeySequence &shortcut) {
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    window_->addAction(action);
    return Made<QAction>(action);
}

Made<QAction> MenuBuilder::Item(QMenu *menu, const QString &name, const QString &caption,
                                const QKeySequence &shortcut) {
    return Command(menu->addAction(caption), name, shortcut);
}

Made<QAction> MenuBuilder::Item(const QString &name, const QString &caption,
                                const QKeySequence &shortcut) {
    return Command(bar_->addAction(caption), name, shortcut);
}

QAction *MenuBuilder::Separator(QMenu *menu, const QString &name) {
    QAction *separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

} // namespace ui

#pragma once
// What every program window does alike, for a QDialog or a QMainWindow:
//
// - Each showing by the program (show(), exec()) runs the window's FormShow once and centres
//   the window on its screen, at the size FormShow gave it. The window system showing it again
//   (un-minimised, uncovered) is no new showing.
// - A window that takes over another (Opener) disables it at each showing and gives it back
//   when it is hidden by the program, however it closes.
// - When the program hides it, the window lets go of what it needs only while open
//   (FormHidden), so a closed window holds no copy of a catalogue list.
// - A window that has been taken over refuses to close: the window system still offers its
//   close box, and closing it would pull the catalogue from under the window on top.

#include "ui/Placement.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QPointer>
#include <QShowEvent>
#include <QWidget>

namespace ui {

// Gives the memory that closed windows let go of back to the system, so a window that
// listed the whole catalogue does not leave the program's size at its peak.
void ReturnFreedMemory();

template <class Base> class FormBase : public Base {
public:
    using Base::Base;

    // Names the window this one takes over while it is open (the program's wiring does).
    void SetOpener(QWidget *opener) { opener_ = opener; }

protected:
    // The window's show logic, once per showing by the program.
    virtual void FormShow() {}
    // The window this one disables while it is open: the one named by SetOpener, none by
    // default. Asked at each showing.
    virtual QWidget *Opener() const { return opener_; }
    // Whether each showing centres the window on its screen; a window that keeps the place
    // it was given (or moved to) says no.
    virtual bool Centred() const { return true; }
    // Runs when the program hides the window, however it was closed: the place to let go of
    // what only the open window needs.
    virtual void FormHidden() {}

    void showEvent(QShowEvent *event) override {
        Base::showEvent(event);
        if (event->spontaneous())
            return;
        if (QWidget *opener = Opener()) {
            opener->setEnabled(false);
            takenOver_ = opener;
        }
        // Centred first, so that boxes the show logic opens stand over a placed window, and
        // again when the show logic sized the window to its content.
        const QSize before = this->size();
        if (Centred())
            CenterOnScreen(this);
        FormShow();
        if (Centred() && this->size() != before)
            CenterOnScreen(this);
    }

    void hideEvent(QHideEvent *event) override {
        Base::hideEvent(event);
        if (event->spontaneous())
            return;
        FormHidden();
        ReturnFreedMemory();
        if (!takenOver_)
            return;
        takenOver_->setEnabled(true);
        takenOver_ = nullptr;
    }

    void closeEvent(QCloseEvent *event) override {
        if (!this->isEnabled()) {
            event->ignore();
            return;
        }
        Base::closeEvent(event);
    }

private:
    QPointer<QWidget> opener_;
    QPointer<QWidget> takenOver_;
};

} // namespace ui

#pragma once
// The About box: the program's icon, name and version, and an OK button.

#include "ui/FormBase.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TAboutForm : public ui::FormBase<QDialog> {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *parent = nullptr);

    QFrame *Panel1 = nullptr;
    QLabel *ProgramIcon = nullptr;
    QLabel *ProductName = nullptr;
    QLabel *Comments = nullptr;
    QLabel *Version = nullptr;
    QPushButton *OKButton = nullptr;

protected:
    // The dialog places itself at each showing, in the middle of the screen, where it has
    // always stood; the base does not move it again.
    bool Centred() const override { return false; }
};

// "Version 1.10 (WIN95)": the data file version in fixed notation with two decimals.
QString VersionText();

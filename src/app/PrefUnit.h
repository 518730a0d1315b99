#pragma once
// The Preferences dialog: the eight preferences a user sets by hand, on three pages
// chosen by a tab strip under them. Each showing loads the controls from the preference
// variables; OK stores them back.

#include "ui/FormBase.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

namespace ui {
class Builder;
}

class TPrefForm : public ui::FormBase<QDialog> {
    Q_OBJECT
public:
    explicit TPrefForm(QWidget *parent = nullptr);

    QStackedWidget *Notebook1 = nullptr;
    QTabBar *TabSet1 = nullptr;

    // Page "Confirms"
    QCheckBox *AskDeleteCatCB = nullptr;
    QCheckBox *AskDeleteShopCB = nullptr;
    QCheckBox *AskClearQtysCB = nullptr;

    // Page "Reports"
    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QRadioButton *IDR_SortShopCB = nullptr;
    QRadioButton *IDR_SortCatCB = nullptr;
    QRadioButton *IDR_SortProdCB = nullptr;
    QCheckBox *IDR_ErrorsCB = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QLabel *Label2 = nullptr;
    QRadioButton *FL_SortCatCB = nullptr;
    QRadioButton *FL_SortProdCB = nullptr;
    QCheckBox *FL_CatCB = nullptr;

    // Page "Appearance"
    QCheckBox *MainBitMapCB = nullptr;

    QPushButton *OkBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *HelpBtn = nullptr;

    // The controls from the preference variables...
    void Load();
    // ...and back.
    void Store();

Q_SIGNALS:
    // OK has stored the preferences.
    void Changed();

public Q_SLOTS:
    // Shows the dialog modally; OK stores what it shows.
    void Run();
    void TabSet1Change(int index);
    void HelpBtnClick();

protected:
    void FormShow() override;

private:
    // Adds a page to the notebook; the following controls are made on it.
    QWidget *Page(ui::Builder &b, const QString &name, const QString &caption);

    QButtonGroup *idrSortGroup_ = nullptr;
    QButtonGroup *flSortGroup_ = nullptr;
};

#pragma once
// The shop copy dialog: makes a new shop from an existing one, with its floor plan and
// all its items (quantity 0). Shown modally by the main window.

#include "ui/FormBase.h"
#include "ui/ListBox.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TShopShop;

class TCopyShop : public ui::FormBase<QDialog> {
    Q_OBJECT
public:
    explicit TCopyShop(QWidget *parent = nullptr);

    QLabel *Label2 = nullptr;
    QLineEdit *ShopEdit = nullptr;
    QLabel *Label1 = nullptr;
    ui::ListBox<TShopShop> *ShopListBox = nullptr;
    QPushButton *OkBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *HelpBtn = nullptr;

public Q_SLOTS:
    void ShopEditChange();
    void ShopListBoxClick();
    void OkBtnClick();
    void HelpBtnClick();

protected:
    void FormShow() override;
    // Empties the list of shops: it is filled afresh at the next showing.
    void FormHidden() override;
};

#pragma once
// The shop copy dialog: makes a new shop from an existing one, with its floor plan and
// all its items (quantity 0). Shown modally by the main window.

#include "ui/FormBase.h"
#include "ui/SortedListBox.h"

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class TShopShop;

// Appends a shop named `name` with copies of `source`'s aisles (same rectangles and
// categories, same order) and outline lines, and a copy of each of its items at the new
// shop with quantity 0. Returns the new shop, or none (nothing changed) when Shops or
// Items would grow past what the data file can count.
TShopShop *CopyShopWithItems(const TShopShop &source, std::string name);

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
};

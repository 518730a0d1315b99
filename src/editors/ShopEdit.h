#pragma once
// The shop editor: adds, renames and deletes shops, and opens a shop's floor plan.
// Shown modeless by the main window, which stays disabled while the editor is open.

#include "editors/NameListEditor.h"

class QLineEdit;
class QPushButton;
class TShopShop;

namespace ui {
class SortedListBox;
}

class TShopEditForm : public TNameListForm {
    Q_OBJECT
public:
    explicit TShopEditForm(QWidget *parent = nullptr);

    QLineEdit *NameEdit = nullptr;
    ui::SortedListBox *ShopListBox = nullptr;
    QPushButton *FloorBtn = nullptr;

    TShopShop *SelectedShop() const;

public Q_SLOTS:
    void FloorBtnClick();
    void ShopListBoxDblClick();

protected:
    void ModeChanged(bool editMode) override;
    void FormShow() override;
    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;

private:
    void FormClose();
    // Opens the floor plan editor for the selected shop.
    void OpenFloorPlan();
};

#pragma once
// The shop editor: adds, renames and deletes shops, and opens a shop's floor plan.
// Shown modeless by the main window, which stays disabled while the editor is open.

#include "catalogue/ShopData.h"
#include "editors/NameListEditor.h"

class QLineEdit;
class QPushButton;

class TShopEditForm : public TNameListEditor<TShopShop> {
    Q_OBJECT
public:
    explicit TShopEditForm(QWidget *parent = nullptr);

    QLineEdit *NameEdit = nullptr;
    ui::ListBox<TShopShop> *ShopListBox = nullptr;
    QPushButton *FloorBtn = nullptr;

    TShopShop *SelectedShop() const;

public Q_SLOTS:
    void FloorBtnClick();
    void ShopListBoxDblClick();

protected:
    void ModeChanged(bool editMode) override;
    // Only this editor (and the windows it opens) takes input while it is open.
    QWidget *Opener() const override;

private:
    // Opens the floor plan editor for the selected shop.
    void OpenFloorPlan();
};

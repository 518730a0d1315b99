#pragma once
// The shop editor: adds, renames and deletes shops, and asks for a shop's floor plan.
// Shown modeless over the main window, which stays disabled while the editor is open.

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

Q_SIGNALS:
    // The user asked for the floor plan of `shop`.
    void FloorPlanRequested(TShopShop *shop);

public Q_SLOTS:
    void FloorBtnClick();
    void ShopListBoxDblClick();

protected:
    void ModeChanged(bool editMode) override;

private:
    // Asks for the floor plan of the selected shop.
    void OpenFloorPlan();
};

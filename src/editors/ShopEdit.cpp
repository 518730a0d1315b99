#include "editors/ShopEdit.h"

#include "catalogue/ShopData.h"
#include "settings/Preferences.h"
#include "ui/Builder.h"
#include "ui/ListBox.h"

#include <QPushButton>

namespace {

NameListSetup ShopSetup() {
    NameListSetup s;
    s.caption = QStringLiteral("Shops");
    s.editName = QStringLiteral("NameEdit");
    s.listName = QStringLiteral("ShopListBox");
    s.maxLength = 30;
    s.addHint = QStringLiteral("Add new shop");
    s.updateHint = QStringLiteral("Change shop name");
    s.deleteHint = QStringLiteral("Delete shop");
    s.helpContext = HelpContext::ShopEditor;
    s.confirmDelete = &DeleteShop;
    s.confirmText = QStringLiteral("Are you sure you want to delete this shop? All items from this "
                                   "shop will also be deleted.");
    s.listWidth = 209;
    s.listHeight = 216;
    return s;
}

} // namespace

TShopEditForm::TShopEditForm(QWidget *parent)
    // Deleting a shop removes its items, keeping the others in order.
    : TNameListEditor(ShopSetup(), Shops, &RemoveShop, parent) {
    setObjectName(QStringLiteral("ShopEditForm"));
    NameEdit = Edit;
    ShopListBox = static_cast<ui::ListBox<TShopShop> *>(ListBox);

    ui::Builder b(this);
    FloorBtn = b.Button("FloorBtn", "&Floor plan").Hint("Edit floor plan").Disabled();
    AddExtraButton(FloorBtn);

    connect(FloorBtn, &QPushButton::clicked, this, &TShopEditForm::FloorBtnClick);
    connect(ShopListBox, &QAbstractItemView::doubleClicked, this,
            &TShopEditForm::ShopListBoxDblClick);
}

TShopShop *TShopEditForm::SelectedShop() const {
    return ShopListBox->Selected();
}

void TShopEditForm::ModeChanged(bool editMode) {
    FloorBtn->setEnabled(editMode);
}

void TShopEditForm::FloorBtnClick() {
    OpenFloorPlan();
}

void TShopEditForm::ShopListBoxDblClick() {
    OpenFloorPlan();
}

void TShopEditForm::OpenFloorPlan() {
    TShopShop *shop = SelectedShop();
    if (!shop)
        return;
    // Modeless; the floor plan editor disables this window until it closes.
    Q_EMIT FloorPlanRequested(shop);
}

#include "editors/ShopEdit.h"

#include "app/Forms.h"
#include "app/MainUnit.h"
#include "catalogue/ShopData.h"
#include "floorplan/FloorPla.h"
#include "settings/Preferences.h"
#include "ui/SortedListBox.h"

#include <QCloseEvent>
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
    : TNameListForm(ShopSetup(),
                    // Deleting a shop removes its items, keeping the others in order.
                    std::make_unique<NamedRecordList<TShopShop>>(Shops, &RemoveShop), parent) {
    setObjectName(QStringLiteral("ShopEditForm"));
    NameEdit = Edit;
    ShopListBox = ListBox;

    FloorBtn = new QPushButton(QStringLiteral("&Floor plan"), this);
    FloorBtn->setObjectName(QStringLiteral("FloorBtn"));
    FloorBtn->setToolTip(QStringLiteral("Edit floor plan"));
    FloorBtn->setFixedSize(AddBtn->size());
    FloorBtn->setEnabled(false);
    AddExtraButton(FloorBtn);

    connect(FloorBtn, &QPushButton::clicked, this, &TShopEditForm::FloorBtnClick);
    connect(ShopListBox, &QListWidget::itemDoubleClicked, this,
            &TShopEditForm::ShopListBoxDblClick);
}

TShopShop *TShopEditForm::SelectedShop() const {
    return ShopListBox->Selected<TShopShop>();
}

void TShopEditForm::FormShow() {
    // Only this editor (and the windows it opens) takes input while it is open.
    if (MainForm)
        MainForm->setEnabled(false);
    TNameListForm::FormShow();
}

void TShopEditForm::FormClose() {
    if (MainForm)
        MainForm->setEnabled(true);
}

void TShopEditForm::closeEvent(QCloseEvent *event) {
    // While the floor plan editor holds this window disabled the window manager still offers
    // its close box; closing then would give the main window back under the open plan, from
    // which the shop being drawn, or a category on its aisles, could be deleted.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    TNameListForm::closeEvent(event);
}

void TShopEditForm::done(int result) {
    FormClose();
    TNameListForm::done(result);
}

void TShopEditForm::ModeChanged(bool editMode) {
    FloorBtn->setEnabled(editMode && FloorPlanEditForm);
}

void TShopEditForm::FloorBtnClick() {
    OpenFloorPlan();
}

void TShopEditForm::ShopListBoxDblClick() {
    OpenFloorPlan();
}

void TShopEditForm::OpenFloorPlan() {
    TShopShop *shop = SelectedShop();
    if (!shop || !FloorPlanEditForm)
        return;
    // Modeless; the floor plan editor disables this window until it closes.
    FloorPlanEditForm->PlanShop = shop;
    FloorPlanEditForm->show();
}

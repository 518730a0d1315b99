#include "editors/CatEditU.h"

#include "catalogue/ShopData.h"
#include "settings/Preferences.h"

namespace {

NameListSetup CategorySetup() {
    NameListSetup s;
    s.caption = QStringLiteral("Product categories");
    s.editName = QStringLiteral("CatEdit");
    s.listName = QStringLiteral("CatListBox");
    s.maxLength = 20;
    s.addHint = QStringLiteral("Add new category");
    s.updateHint = QStringLiteral("Change category name");
    s.deleteHint = QStringLiteral("Delete category");
    s.helpContext = HelpContext::CategoryEditor;
    s.confirmDelete = &DeleteCat;
    s.confirmText = QStringLiteral("Are you sure you want to delete this category?");
    s.listWidth = 169;
    s.listHeight = 186;
    return s;
}

} // namespace

TCatEditForm::TCatEditForm(QWidget *parent)
    // Deleting clears the category from every product type and aisle.
    : TNameListEditor(CategorySetup(), Categories, &RemoveCategory, parent) {
    setObjectName(QStringLiteral("CatEditForm"));
    CatEdit = Edit;
    CatListBox = static_cast<ui::ListBox<TShopCat> *>(ListBox);
}

#pragma once
// The category editor: adds, renames and deletes the aisle categories. Shown modally by
// the main window.

#include "catalogue/ShopData.h"
#include "editors/NameListEditor.h"

class QLineEdit;

class TCatEditForm : public TNameListEditor<TShopCat> {
    Q_OBJECT
public:
    explicit TCatEditForm(QWidget *parent = nullptr);

    QLineEdit *CatEdit = nullptr;
    ui::ListBox<TShopCat> *CatListBox = nullptr;
};

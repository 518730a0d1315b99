#pragma once
// The floating category list: a small stay-on-top window beside the floor plan editor
// through which the user labels the selected aisle with a category.

#include "ui/ListBox.h"

#include <QWidget>

class TShopAisle;
class TShopCat;

class TCatListForm : public QWidget {
    Q_OBJECT
public:
    explicit TCatListForm(QWidget *parent = nullptr);

    ui::ListBox<TShopCat> *CatListBox = nullptr;
    // The aisle whose category the list shows and sets, or none.
    TShopAisle *CatAisle = nullptr;

    // Refills the list with every category: at once when the list is shown, else at its next
    // showing (a list of the catalogue's size takes time to sort).
    void UpdateCategories();
    // Remembers the aisle and selects its category (nothing for none or no category).
    void UpdateList(TShopAisle *aisle);
    // Empties the list, which is filled again when it is next shown: the floor plan editor
    // has closed.
    void Release();

public Q_SLOTS:
    // Labels the aisle with the chosen category, after an undo snapshot.
    void CatListBoxClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    void FillCategories();

    // The list does not hold the catalogue's categories; it is filled before it is shown.
    bool stale_ = true;
};

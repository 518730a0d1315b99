#pragma once
// The floating category list: a small stay-on-top window beside the floor plan editor
// through which the user labels the selected aisle with a category. The editor drives it
// through its public slots, and hears of a change from its signals.

#include "ui/FormBase.h"
#include "ui/ListBox.h"

#include <QWidget>

class TShopAisle;
class TShopCat;

class TCatListForm : public ui::FormBase<QWidget> {
    Q_OBJECT
public:
    explicit TCatListForm(QWidget *parent = nullptr);

    ui::ListBox<TShopCat> *CatListBox = nullptr;
    // The aisle whose category the list shows and sets, or none.
    TShopAisle *CatAisle = nullptr;

    // Moves the window near the top-right corner of where `editor` stands now.
    void PlaceBeside(const QWidget *editor);

Q_SIGNALS:
    // The chosen category is about to be set on the aisle (the editor's undo snapshot)...
    void CategoryChanging(const TShopAisle *aisle);
    // ...and has been set.
    void CategoryChanged(const TShopAisle *aisle);
    // The user closed the list.
    void Closed();

public Q_SLOTS:
    // Refills the list with every category: at once when the list is shown, else at its next
    // showing (a list of the catalogue's size takes time to sort).
    void UpdateCategories();
    // Remembers the aisle and selects its category (nothing for none or no category).
    void UpdateList(TShopAisle *aisle);
    // Empties the list, which is filled again when it is next shown: the floor plan editor
    // has closed.
    void Release();
    // Whether the user may choose a category: an aisle is selected in the editor.
    void EnableChoice(bool enabled);
    // Labels the aisle with the chosen category, after an undo snapshot.
    void CatListBoxClick();

protected:
    // Fills a list still to be filled.
    void FormShow() override;
    // The list stays where it was put, beside the editor or where the user moved it.
    bool Centred() const override { return false; }
    void closeEvent(QCloseEvent *event) override;

private:
    void FormClose();
    void FillCategories();

    // The list does not hold the catalogue's categories; it is filled before it is shown.
    bool stale_ = true;
};

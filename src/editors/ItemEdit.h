#pragma once
// The item editor: enters, changes and deletes items, picking a category, a product type
// (or making a new one with its unit) and a shop, all as fast from the keyboard as with
// the mouse. The item list below sorts by product type, brand or shop. Shown modally by
// the main window; every change goes straight into the catalogue.

#include "catalogue/ShopData.h"
#include "ui/FormBase.h"
#include "ui/ListBox.h"

#include <QDialog>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct ItemChange;
struct ItemEntry;

class TItemEditForm : public ui::FormBase<QDialog> {
    Q_OBJECT
public:
    explicit TItemEditForm(QWidget *parent = nullptr);

    QLineEdit *CatEdit = nullptr;
    QLineEdit *ProdEdit = nullptr;
    QLineEdit *UnitEdit = nullptr;
    QLineEdit *BrandEdit = nullptr;
    QLineEdit *SizeEdit = nullptr;
    QLabel *UOMLabel = nullptr;
    QLineEdit *PriceEdit = nullptr;
    QLineEdit *ShopEdit = nullptr;
    ui::ListBox<TShopCat> *CatListBox = nullptr;
    ui::ListBox<TShopProd> *ProdListBox = nullptr;
    ui::ListBox<TShopShop> *ShopListBox = nullptr;
    ui::ListBox<TShopItem> *ItemsListBox = nullptr;
    QGroupBox *SortGroup = nullptr;
    QRadioButton *SortProdRadio = nullptr;
    QRadioButton *SortBrandRadio = nullptr;
    QRadioButton *SortShopRadio = nullptr;
    QPushButton *AddBtn = nullptr;
    QPushButton *UpdateBtn = nullptr;
    QPushButton *DeleteBtn = nullptr;
    QPushButton *HelpBtn = nullptr;
    QPushButton *CloseBtn = nullptr;

    // The labels of the boxes and lists, each with its shortcut letter.
    QLabel *CatLabel = nullptr;
    QLabel *ProdLabel = nullptr;
    QLabel *UnitLabel = nullptr;
    QLabel *BrandLabel = nullptr;
    QLabel *SizeLabel = nullptr;
    QLabel *PriceLabel = nullptr;
    QLabel *ShopLabel = nullptr;
    QLabel *ItemsLabel = nullptr;
    QFrame *Rule = nullptr; // between the entry controls and the item list

    // While true, a change of ProdEdit's text is not a newly typed product type name.
    bool IgnoreProdChange = false;
    // What the last successful InputValid accepted.
    float ValidSize = 0;
    float ValidPrice = 0;

    void UpdateProdList();
    bool InputValid();

public Q_SLOTS:
    void CatEditChange();
    void CatListBoxClick();
    void ProdEditChange();
    void ProdListBoxClick();
    void UnitEditChange();
    void ShopEditChange();
    void ShopListBoxClick();
    void ItemsListBoxClick();
    void ItemsListBoxMouseUp(Qt::MouseButton button);
    void SortProdRadioClick();
    void SortBrandRadioClick();
    void SortShopRadioClick();
    void AddBtnClick();
    void UpdateBtnClick();
    void DeleteBtnClick();
    void HelpBtnClick();

protected:
    void FormShow() override;
    void FormHidden() override;

private:
    // Sets a box's text by program. Its change handler runs when the text changes;
    // clearing runs it even when the box was already empty.
    void SetBox(QLineEdit *box, const QString &text);
    void ClearBox(QLineEdit *box);
    // The length a box takes from the keyboard.
    int LimitOf(const QLineEdit *box) const;
    void RunChange(QLineEdit *box);
    // Clears brand, size and price.
    void ClearEntryBoxes();
    void SortBy(int layout);
    void FillItemsList();
    void SelectAddMode();
    ItemEntry Entry() const;
    // Shows a refusal, or puts a newly made product type into the product list.
    bool TakeChange(const ItemChange &change);
};

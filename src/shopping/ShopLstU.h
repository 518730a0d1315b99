#pragma once
// The shopping list and price update window. In shopping list mode the user selects shops
// and types the quantity wanted of each of their items, seeing the total of the whole list;
// in price update mode the prices of one shop's items. Shown modally in either mode by Run.

#include "ui/FormBase.h"
#include "ui/ListBox.h"

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TShopItem;
class TShopShop;

class TShopListForm : public ui::FormBase<QDialog> {
    Q_OBJECT
public:
    explicit TShopListForm(QWidget *parent = nullptr);

    bool PriceMode = false;
    float TotalCost = 0;   // the whole shopping list, every shop
    int32_t ItemCount = 0; // items on it

    QLabel *ShopsLabel = nullptr;
    ui::ListBox<TShopShop> *ShopListBox = nullptr;
    ui::ListBox<TShopItem> *ItemsListBox = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *QtyEdit = nullptr;
    QLabel *UOMLabel = nullptr;
    QPushButton *OkBtn = nullptr;
    QLabel *TotalLabel = nullptr;
    QLabel *ItemsLabel = nullptr;
    QPushButton *ClearBtn = nullptr;
    QPushButton *AnalyseBtn = nullptr;
    QPushButton *CloseBtn = nullptr;
    QPushButton *HelpBtn = nullptr;
    QCheckBox *CatSortCB = nullptr;
    QCheckBox *ListOnlyCB = nullptr;

    // Rebuilds the item list and the totals from the catalogue and the selected shops.
    void UpdateItemsList();

Q_SIGNALS:
    // The user asked for the analysis of the shopping list; it has run when this returns.
    void AnalysisRequested();

public Q_SLOTS:
    // Shows the window modally, in price update mode or as the shopping list.
    void Run(bool priceMode);
    void ShopListBoxClick();
    void ItemsListBoxClick();
    void OkBtnClick();
    void ClearBtnClick();
    void AnalyseBtnClick();
    void ListOnlyCBClick();
    void CatSortCBClick();
    void HelpBtnClick();

protected:
    void FormShow() override;
    void FormHidden() override;

private:
    void ItemsListBoxDrawItem(QPainter &canvas, const QRect &rect, const TShopItem &item) const;
    // The value a row shows before the item: its price, or its quantity when above 0.
    std::string ValueText(const TShopItem &item) const;
    // Measures the values and names of the rows about to be listed, in one pass.
    void MeasureColumns(const std::vector<TShopItem *> &rows);
    // Where the names start, and how wide the rows are, from the widths measured.
    void PlaceColumns();
    // Totals of the whole list into TotalCost and ItemCount, and onto the labels.
    void ShowTotals();
    // Shows the value of the row just made current in the edit, ready to be typed over.
    void LoadEntry(const TShopItem &item);
    // Refuses the edit's text: the message, then the text selected for typing again.
    void RefuseEntry(const QString &message);

    std::vector<TShopShop *> listedShops_; // the shops whose items are listed
    int valueWidth_ = 0;                   // the widest value listed
    int nameWidth_ = 0;                    // the widest name listed
    int nameX_ = 0;                        // where the names start in a row
};

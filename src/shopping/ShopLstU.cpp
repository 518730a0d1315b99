#include "shopping/ShopLstU.h"

#include "catalogue/NumberEntry.h"

#include "catalogue/ShopData.h"
#include "settings/Preferences.h"
#include "shopping/ShoppingList.h"
#include "ui/Ansi.h"
#include "ui/Builder.h"
#include "ui/Seam.h"
#include "ui/TextWidths.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr int kClientWidth = 560;
constexpr int kClientHeight = 361;
// Qt's own limit; the entry has none of its own.
constexpr int kEntryLength = 32767;
// Where a row's value starts.
constexpr int kValueLeft = 2;
} // namespace

TShopListForm::TShopListForm(QWidget *parent)
    : FormBase(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("ShopListForm"));
    setWindowTitle(QStringLiteral("Shopping list"));

    ui::Builder b(this);
    ShopsLabel = b.Label("ShopsLabel", "&Select shop(s)").At(8, 8, 145, 16);
    ShopListBox = b.List<TShopShop>("ShopListBox").At(8, 26, 145, 182);
    ItemsListBox = b.List<TShopItem>("ItemsListBox", false).At(161, 8, 391, 246);
    Label1 = b.Label("Label1", "&Quantity required").At(8, 268, 145, 17);
    QtyEdit = b.Edit("QtyEdit", kEntryLength).At(161, 264, 73, 24);
    UOMLabel = b.Label("UOMLabel", {}).At(242, 268, 227, 17);
    OkBtn = b.Button("OkBtn", "&Update").Hint("Change quantity").Default().At(477, 263, 75, 25);
    TotalLabel = b.Label("TotalLabel", {}).At(161, 300, 200, 17);
    ItemsLabel = b.Label("ItemsLabel", {}).At(369, 300, 100, 17);
    ClearBtn = b.Button("ClearBtn", "Clea&r").Hint("Set all quantities to zero").At(8, 328, 75, 25);
    AnalyseBtn =
        b.Button("AnalyseBtn", "&Analyse").Hint("Show possible savings").At(89, 328, 75, 25);
    CloseBtn = b.Button("CloseBtn", "&Close").At(477, 328, 75, 25);
    HelpBtn = b.Button("HelpBtn", "&Help").At(396, 328, 75, 25).HelpKey();
    CatSortCB = b.Check("CatSortCB", "S&ort by category").At(8, 216, 145, 17);
    ListOnlyCB = b.Check("ListOnlyCB", "Shopping &list only").At(8, 237, 145, 17);
    b.TabOrder();

    ShopsLabel->setBuddy(ShopListBox);
    Label1->setBuddy(QtyEdit);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    UOMLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ClearBtn->hide();
    CatSortCB->setChecked(true);
    ListOnlyCB->setChecked(true);
    ItemsListBox->SetDrawRow([this](QPainter &canvas, const QRect &rect, const TShopItem &item) {
        ItemsListBoxDrawItem(canvas, rect, item);
    });
    setFixedSize(kClientWidth, kClientHeight);

    connect(ShopListBox, &ui::ListBoxBase::UserSelect, this, &TShopListForm::ShopListBoxClick);
    // A click on the current row too, which reloads its value into the entry.
    connect(ItemsListBox, &ui::ListBoxBase::UserSelect, this, &TShopListForm::ItemsListBoxClick);
    connect(OkBtn, &QPushButton::clicked, this, &TShopListForm::OkBtnClick);
    connect(ClearBtn, &QPushButton::clicked, this, &TShopListForm::ClearBtnClick);
    connect(AnalyseBtn, &QPushButton::clicked, this, &TShopListForm::AnalyseBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::close);
    connect(HelpBtn, &QPushButton::clicked, this, &TShopListForm::HelpBtnClick);
    // Only the user's clicks: the show logic sets the boxes without writing the preferences.
    connect(CatSortCB, &QCheckBox::clicked, this, &TShopListForm::CatSortCBClick);
    connect(ListOnlyCB, &QCheckBox::clicked, this, &TShopListForm::ListOnlyCBClick);
}

void TShopListForm::Run(bool priceMode) {
    PriceMode = priceMode;
    exec();
}

void TShopListForm::FormShow() {
    const bool oneShop = Shops.Count() == 1;
    // The ampersand stays: the label leads to the list from the keyboard in both modes.
    ShopsLabel->setText(PriceMode || oneShop ? QStringLiteral("&Select shop")
                                             : QStringLiteral("&Select shop(s)"));
    if (PriceMode) {
        setWindowTitle(QStringLiteral("Update prices"));
        Label1->setText(
            QStringLiteral("&Price (%1)").arg(ui::FromAnsi(CurrentRegional().CurrencySymbol)));
        ShopListBox->setSelectionMode(QAbstractItemView::SingleSelection);
        OkBtn->setToolTip(QStringLiteral("Change price"));
    } else {
        setWindowTitle(QStringLiteral("Shopping list"));
        Label1->setText(QStringLiteral("&Quantity required"));
        ShopListBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
        OkBtn->setToolTip(QStringLiteral("Change quantity"));
    }
    ClearBtn->setVisible(!PriceMode);
    AnalyseBtn->setVisible(!PriceMode);
    ListOnlyCB->setVisible(PriceMode);
    TotalLabel->setVisible(!PriceMode);
    ItemsLabel->setVisible(!PriceMode);

    ListOnlyCB->setChecked(List_Only);
    CatSortCB->setChecked(SL_CatSort);

    OkBtn->setEnabled(false);
    QtyEdit->clear();
    UOMLabel->clear();
    ItemsListBox->Clear();
    ShopListBox->Fill(Shops, ui::NameText());
    if (oneShop)
        ShopListBox->SelectRow(0);
    ShopListBox->setFocus();
    UpdateItemsList();
}

// A closed window keeps no copy of the catalogue's lists.
void TShopListForm::FormHidden() {
    ShopListBox->Clear();
    ItemsListBox->Clear();
    listedShops_.clear();
}

void TShopListForm::UpdateItemsList() {
    listedShops_ = ShopListBox->SelectedRecords();
    ListFilter filter;
    filter.shops.assign(listedShops_.begin(), listedShops_.end());
    filter.onlyOnList = PriceMode && ListOnlyCB->isChecked();
    filter.byCategory = CatSortCB->isChecked();
    std::vector<TShopItem *> rows = ListedItems(Items, filter);
    MeasureColumns(rows);
    ItemsListBox->Fill(std::move(rows));
    QtyEdit->clear();
    UOMLabel->clear();
    OkBtn->setEnabled(false);
    ShowTotals();
}

void TShopListForm::ShowTotals() {
    const ListTotals totals = ShoppingListTotals(Items);
    TotalCost = totals.TotalCost;
    ItemCount = totals.ItemCount;
    TotalLabel->setText(ui::FromAnsi(TotalCostText(TotalCost)));
    ItemsLabel->setText(ui::FromAnsi(ItemCountText(ItemCount)));
}

void TShopListForm::ShopListBoxClick() {
    // A click that leaves the listed shops selected changes nothing.
    if (ShopListBox->SelectedRecords() != listedShops_)
        UpdateItemsList();
}

void TShopListForm::ItemsListBoxClick() {
    if (const TShopItem *item = ItemsListBox->Selected())
        LoadEntry(*item);
}

void TShopListForm::LoadEntry(const TShopItem &item) {
    OkBtn->setEnabled(true);
    QtyEdit->setText(PriceMode ? ui::FromAnsi(PriceEntryText(item.Price))
                               : QString::number(item.Quantity));
    UOMLabel->setText(ui::FromAnsi(ItemSizeText(item)));
    QtyEdit->selectAll();
    QtyEdit->setFocus();
}

void TShopListForm::RefuseEntry(const QString &message) {
    ui::MessageBox(ui::MsgKind::Error, message);
    QtyEdit->selectAll();
    QtyEdit->setFocus();
}

void TShopListForm::OkBtnClick() {
    const int row = ItemsListBox->SelectedRow();
    TShopItem *item = ItemsListBox->At(row);
    if (!item)
        return;
    const std::string text = ui::ToAnsi(QtyEdit->text());
    if (PriceMode) {
        const auto price = ParsePrice(text);
        if (!price) {
            RefuseEntry(QStringLiteral("Price entry invalid"));
            return;
        }
        item->Price = *price;
    } else {
        const auto quantity = ParseQuantity(text);
        if (!quantity) {
            RefuseEntry(QStringLiteral("Quantity entry invalid"));
            return;
        }
        item->Quantity = *quantity;
    }
    // Counted again over the whole catalogue, so the labels always show what a rebuild
    // would: only quantities above 0 count.
    ShowTotals();
    ItemsListBox->UpdateRow(row);
    // A value wider than any listed moves every row's name right at once.
    const int width = ui::TextWidths(ItemsListBox->font()).Of(ValueText(*item));
    if (width > valueWidth_) {
        valueWidth_ = width;
        PlaceColumns();
        ItemsListBox->viewport()->update();
    }

    // On to the next row, round to the first after the last; the list keeps its rows.
    const int next = row + 1 < ItemsListBox->Count() ? row + 1 : 0;
    ItemsListBox->SelectRow(next);
    ItemsListBoxClick();
}

void TShopListForm::ClearBtnClick() {
    if (ClearQtys && !ui::Confirm(QStringLiteral(
                         "Are you sure you want to set quantities in every shop to zero?")))
        return;
    for (const auto &item : Items)
        item->Quantity = 0;
    UpdateItemsList();
}

std::string TShopListForm::ValueText(const TShopItem &item) const {
    if (PriceMode)
        return PriceEntryText(item.Price);
    return item.Quantity > 0 ? std::to_string(item.Quantity) : std::string();
}

void TShopListForm::MeasureColumns(const std::vector<TShopItem *> &rows) {
    ui::TextWidths widths(ItemsListBox->font());
    valueWidth_ = nameWidth_ = 0;
    for (const TShopItem *item : rows) {
        valueWidth_ = std::max(valueWidth_, widths.Of(ValueText(*item)));
        nameWidth_ = std::max(nameWidth_, widths.Of(ItemRowText(*item)));
    }
    PlaceColumns();
}

void TShopListForm::PlaceColumns() {
    // The names start where the window was designed to start them, after three digits (or
    // a price of three) and a W's width of room; a wider value keeps that room after it.
    const QFontMetrics metrics(ItemsListBox->font());
    const int designed =
        metrics.horizontalAdvance(PriceMode ? QStringLiteral("000.00W") : QStringLiteral("000W"));
    nameX_ = std::max(designed, valueWidth_ + metrics.horizontalAdvance(QLatin1Char('W')));
    ItemsListBox->SetRowWidth(nameX_ + nameWidth_);
}

void TShopListForm::ItemsListBoxDrawItem(QPainter &canvas, const QRect &rect,
                                         const TShopItem &item) const {
    const int baseline = rect.top() + QFontMetrics(canvas.font()).ascent();
    canvas.drawText(rect.left() + kValueLeft, baseline, ui::FromAnsi(ValueText(item)));
    canvas.drawText(rect.left() + nameX_, baseline, ui::FromAnsi(ItemRowText(item)));
}

// As from the main window: modal, from the first item. The analysis can move quantities
// between items, so the list is rebuilt afterwards.
void TShopListForm::AnalyseBtnClick() {
    Q_EMIT AnalysisRequested();
    UpdateItemsList();
}

void TShopListForm::ListOnlyCBClick() {
    List_Only = ListOnlyCB->isChecked();
    UpdateItemsList();
}

void TShopListForm::CatSortCBClick() {
    SL_CatSort = CatSortCB->isChecked();
    UpdateItemsList();
}

void TShopListForm::HelpBtnClick() {
    ui::ShowHelpTopic(PriceMode ? HelpContext::PriceUpdate : HelpContext::ShoppingList);
}

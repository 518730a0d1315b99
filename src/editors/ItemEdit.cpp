#include "editors/ItemEdit.h"

#include "catalogue/ItemChanges.h"
#include "catalogue/NumberEntry.h"
#include "catalogue/NumberFormat.h"
#include "catalogue/ShopData.h"
#include "help/HelpContext.h"
#include "settings/Preferences.h"
#include "ui/Ansi.h"
#include "ui/Builder.h"
#include "ui/ListBox.h"
#include "ui/Seam.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <memory>
#include <ranges>

namespace {

constexpr int kWidth = 708;
constexpr int kHeight = 382;
// The lengths the boxes take from the keyboard; the others take a line edit's own maximum.
constexpr int kProdLimit = 20;
constexpr int kUnitLimit = 5;
constexpr int kBrandLimit = 30;
constexpr int kNoLimit = 32767;

QString ItemText(const TShopItem &item) {
    return ui::FromAnsi(item.MakeString(Item_Sort));
}

// Selects a record's entry by program (none when it is not listed), scrolled into view. The
// lists report only the user's choices, so the window's click handler does not run.
template <class T> void Choose(ui::ListBox<T> *list, const T *record) {
    list->SelectRow(record ? list->RowOf(record) : -1);
}

} // namespace

TItemEditForm::TItemEditForm(QWidget *parent)
    : FormBase(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("ItemEditForm"));
    setWindowTitle(QStringLiteral("Items"));
    setFixedSize(kWidth, kHeight);

    // Four columns above the rule: category, product type, the item's own details, shop;
    // the buttons to their right. The item list and its sort order below the rule. Each
    // label stands just above its box; the tab order is the order made.
    ui::Builder b(this);
    CatEdit = b.Edit("CatEdit", kNoLimit).At(8, 24, 145, 21);
    CatLabel = b.Label("CatLabel", "&Category").Buddy(CatEdit).At(8, 8, 145, 15);
    ProdEdit = b.Edit("ProdEdit", kProdLimit).At(161, 24, 145, 21);
    ProdLabel = b.Label("ProdLabel", "Product &type").Buddy(ProdEdit).At(161, 8, 145, 15);
    UnitEdit = b.Edit("UnitEdit", kUnitLimit).Hint("eg. g, pkt, btl").At(314, 24, 64, 21);
    UnitLabel = b.Label("UnitLabel", "Unit of &measure").Buddy(UnitEdit).At(314, 8, 150, 15);
    BrandEdit = b.Edit("BrandEdit", kBrandLimit).At(314, 66, 150, 21);
    BrandLabel = b.Label("BrandLabel", "B&rand").Buddy(BrandEdit).At(314, 50, 150, 15);
    SizeEdit = b.Edit("SizeEdit", kNoLimit).At(314, 108, 70, 21);
    SizeLabel = b.Label("SizeLabel", "Si&ze").Buddy(SizeEdit).At(314, 92, 70, 15);
    UOMLabel = b.Label("UOMLabel", {}).At(388, 108, 76, 21);
    PriceEdit = b.Edit("PriceEdit", kNoLimit).At(314, 150, 70, 21);
    PriceLabel = b.Label("PriceLabel", "Pric&e").Buddy(PriceEdit).At(314, 134, 70, 15);
    ShopEdit = b.Edit("ShopEdit", kNoLimit).At(472, 24, 145, 21);
    ShopLabel = b.Label("ShopLabel", "S&hop").Buddy(ShopEdit).At(472, 8, 145, 15);
    CatListBox = b.List<TShopCat>("CatListBox").At(8, 48, 145, 134);
    ProdListBox = b.List<TShopProd>("ProdListBox").At(161, 48, 145, 134);
    ShopListBox = b.List<TShopShop>("ShopListBox").At(472, 48, 145, 134);
    Rule = b.Add<QFrame>("Rule").At(8, 190, kWidth - 16, 2);
    Rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    ItemsListBox = b.List<TShopItem>("ItemsListBox").At(8, 214, 540, 160);
    ItemsLabel = b.Label("ItemsLabel", "&Items").Buddy(ItemsListBox).At(8, 198, 540, 15);

    SortGroup = b.Group("SortGroup", "Sort item list by:").At(556, 208, 144, 88);
    b.On(SortGroup);
    SortProdRadio = b.Radio("SortProdRadio", "&Product").At(12, 20, 120, 19);
    SortBrandRadio = b.Radio("SortBrandRadio", "&Brand").At(12, 41, 120, 19);
    SortShopRadio = b.Radio("SortShopRadio", "&Shop").At(12, 62, 120, 19);
    SortProdRadio->setChecked(true);
    // Only the button and its caption take a click, so each is as wide as its caption.
    for (QRadioButton *radio : {SortProdRadio, SortBrandRadio, SortShopRadio})
        radio->resize(radio->sizeHint().width(), radio->height());

    b.On(this);
    AddBtn =
        b.Button("AddBtn", "&Add").Hint("Add new item").Default().Disabled().At(625, 24, 75, 25);
    UpdateBtn =
        b.Button("UpdateBtn", "&Update").Hint("Change item details").Disabled().At(625, 55, 75, 25);
    DeleteBtn = b.Button("DeleteBtn", "&Delete").Hint("Delete item").Disabled().At(625, 86, 75, 25);
    HelpBtn = b.Button("HelpBtn", "&Help").At(625, 318, 75, 25).HelpKey();
    CloseBtn = b.Button("CloseBtn", "&Close").At(625, 349, 75, 25);
    b.TabOrder();

    connect(CatEdit, &QLineEdit::textChanged, this, &TItemEditForm::CatEditChange);
    connect(ProdEdit, &QLineEdit::textChanged, this, &TItemEditForm::ProdEditChange);
    connect(UnitEdit, &QLineEdit::textChanged, this, &TItemEditForm::UnitEditChange);
    connect(ShopEdit, &QLineEdit::textChanged, this, &TItemEditForm::ShopEditChange);
    // The lists' clicks are the user's alone: this window selects entries itself too.
    connect(CatListBox, &ui::ListBoxBase::UserSelect, this, &TItemEditForm::CatListBoxClick);
    connect(ProdListBox, &ui::ListBoxBase::UserSelect, this, &TItemEditForm::ProdListBoxClick);
    connect(ShopListBox, &ui::ListBoxBase::UserSelect, this, &TItemEditForm::ShopListBoxClick);
    connect(ItemsListBox, &ui::ListBoxBase::UserSelect, this, &TItemEditForm::ItemsListBoxClick);
    connect(ItemsListBox, &ui::ListBoxBase::MouseUp, this, &TItemEditForm::ItemsListBoxMouseUp);
    connect(SortProdRadio, &QRadioButton::clicked, this, &TItemEditForm::SortProdRadioClick);
    connect(SortBrandRadio, &QRadioButton::clicked, this, &TItemEditForm::SortBrandRadioClick);
    connect(SortShopRadio, &QRadioButton::clicked, this, &TItemEditForm::SortShopRadioClick);
    connect(AddBtn, &QPushButton::clicked, this, &TItemEditForm::AddBtnClick);
    connect(UpdateBtn, &QPushButton::clicked, this, &TItemEditForm::UpdateBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TItemEditForm::DeleteBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TItemEditForm::HelpBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::close);
}

int TItemEditForm::LimitOf(const QLineEdit *box) const {
    if (box == ProdEdit)
        return kProdLimit;
    if (box == UnitEdit)
        return kUnitLimit;
    if (box == BrandEdit)
        return kBrandLimit;
    return kNoLimit;
}

// ---------------------------------------------------------------------------------------------
// Setting boxes by program

void TItemEditForm::SetBox(QLineEdit *box, const QString &text) {
    if (text.isEmpty()) {
        ClearBox(box);
        return;
    }
    // A text from the catalogue may be longer than the box lets the user type (a file made
    // elsewhere); the box shows it whole, so storing it back loses nothing.
    const int limit = LimitOf(box);
    if (text.size() > limit)
        box->setMaxLength(static_cast<int>(text.size()));
    box->setText(text);
    if (text.size() <= limit)
        box->setMaxLength(limit);
}

void TItemEditForm::ClearBox(QLineEdit *box) {
    if (box->text().isEmpty())
        RunChange(box); // no change signal, but the handler runs all the same
    else
        box->clear();
    box->setMaxLength(LimitOf(box));
}

void TItemEditForm::RunChange(QLineEdit *box) {
    if (box == CatEdit)
        CatEditChange();
    else if (box == ProdEdit)
        ProdEditChange();
    else if (box == UnitEdit)
        UnitEditChange();
    else if (box == ShopEdit)
        ShopEditChange();
}

void TItemEditForm::ClearEntryBoxes() {
    ClearBox(BrandEdit);
    ClearBox(SizeEdit);
    ClearBox(PriceEdit);
}

// Add mode: no item selected, Add the default button.
void TItemEditForm::SelectAddMode() {
    UpdateBtn->setEnabled(false);
    DeleteBtn->setEnabled(false);
    UpdateBtn->setDefault(false);
    AddBtn->setDefault(true);
}

void TItemEditForm::FillItemsList() {
    ItemsListBox->Fill(Items, ItemText);
}

// ---------------------------------------------------------------------------------------------
// Showing

void TItemEditForm::FormShow() {
    // A stored order with no button of its own turns all three off.
    for (QRadioButton *radio : {SortProdRadio, SortBrandRadio, SortShopRadio})
        radio->setAutoExclusive(false);
    SortProdRadio->setChecked(Item_Sort == 0);
    SortBrandRadio->setChecked(Item_Sort == 1);
    SortShopRadio->setChecked(Item_Sort == 2);
    for (QRadioButton *radio : {SortProdRadio, SortBrandRadio, SortShopRadio})
        radio->setAutoExclusive(true);

    ClearBox(CatEdit);
    CatListBox->Fill(Categories, ui::NameText());
    ClearBox(ProdEdit);
    ProdListBox->Clear();
    ClearBox(ShopEdit);
    ShopListBox->Fill(Shops, ui::NameText());
    FillItemsList();
    ClearEntryBoxes();
    ClearBox(UnitEdit);
    UOMLabel->clear();
    AddBtn->setEnabled(false);
    SelectAddMode();
    // Each showing starts an entry where an entry starts.
    CatEdit->setFocus();
}

// A closed editor keeps no copy of the catalogue's lists.
void TItemEditForm::FormHidden() {
    CatListBox->Clear();
    ProdListBox->Clear();
    ShopListBox->Clear();
    ItemsListBox->Clear();
}

// ---------------------------------------------------------------------------------------------
// Handlers

void TItemEditForm::UpdateProdList() {
    ClearBox(ProdEdit);
    ProdListBox->Clear();
    AddBtn->setEnabled(false);
    const auto *category = CatListBox->Selected();
    if (ProductTypes.Empty() || !category)
        return;
    const auto inCategory = [category](const std::unique_ptr<TShopProd> &product) {
        return product->Category == category;
    };
    ProdListBox->Fill(ProductTypes | std::views::filter(inCategory), ui::NameText());
}

void TItemEditForm::CatEditChange() {
    CatListBox->SelectNearest(CatEdit->text());
    UpdateProdList();
}

void TItemEditForm::CatListBoxClick() {
    auto *category = CatListBox->Selected();
    if (!category)
        return;
    SetBox(CatEdit, ui::FromAnsi(category->Name));
    // The typed text finds the first of two categories of the same name; the one clicked
    // is the one meant.
    Choose(CatListBox, category);
    UpdateProdList();
}

void TItemEditForm::ProdEditChange() {
    if (IgnoreProdChange)
        return;
    ProdListBox->ClearSelection(); // the typed text names a new product type
    ClearBox(UnitEdit);
    UOMLabel->clear();
    if (CatListBox->HasSelection() && !ProdEdit->text().isEmpty())
        AddBtn->setEnabled(true);
}

void TItemEditForm::ProdListBoxClick() {
    auto *product = ProdListBox->Selected();
    if (!product)
        return;
    AddBtn->setEnabled(true);
    IgnoreProdChange = true;
    ClearBox(ProdEdit);
    IgnoreProdChange = false;
    const QString units = ui::FromAnsi(product->Units);
    SetBox(UnitEdit, units);
    UOMLabel->setText(units);
}

void TItemEditForm::UnitEditChange() {
    UOMLabel->setText(UnitEdit->text());
}

void TItemEditForm::ShopEditChange() {
    ShopListBox->SelectNearest(ShopEdit->text());
}

void TItemEditForm::ShopListBoxClick() {
    auto *shop = ShopListBox->Selected();
    if (!shop)
        return;
    SetBox(ShopEdit, ui::FromAnsi(shop->Name));
    Choose(ShopListBox, shop); // the one clicked, as for categories
}

void TItemEditForm::ItemsListBoxClick() {
    const auto *item = ItemsListBox->Selected();
    if (!item)
        return;
    // The box's text first, then the record: typing finds the first of equal names.
    if (TShopCat *category = item->Product ? item->Product->Category : nullptr) {
        SetBox(CatEdit, ui::FromAnsi(category->Name));
        Choose(CatListBox, category);
    } else {
        ClearBox(CatEdit);
    }
    UpdateProdList();
    if (item->Product) {
        Choose(ProdListBox, item->Product);
        const QString units = ui::FromAnsi(item->Product->Units);
        SetBox(UnitEdit, units);
        UOMLabel->setText(units);
    } else {
        ClearBox(ProdEdit);
        ProdListBox->ClearSelection();
        ClearBox(UnitEdit);
        UOMLabel->clear();
    }
    SetBox(BrandEdit, ui::FromAnsi(item->Brand));
    SetBox(SizeEdit, ui::FromAnsi(SizeEntryText(item->Size)));
    SetBox(PriceEdit, ui::FromAnsi(FormatFixed(SingleToDouble(item->Price), 2)));
    if (item->Shop) {
        SetBox(ShopEdit, ui::FromAnsi(item->Shop->Name));
        Choose(ShopListBox, item->Shop);
    } else {
        ClearBox(ShopEdit);
    }
    DeleteBtn->setEnabled(true);
    AddBtn->setEnabled(true);
    UpdateBtn->setEnabled(true);
    AddBtn->setDefault(false);
    UpdateBtn->setDefault(true);
}

void TItemEditForm::ItemsListBoxMouseUp(Qt::MouseButton button) {
    if (button != Qt::RightButton || !ItemsListBox->HasSelection())
        return;
    ItemsListBox->ClearSelection();
    ClearEntryBoxes();
    BrandEdit->setFocus();
    SelectAddMode(); // category, product type, unit, shop and Add stay as they are
}

void TItemEditForm::SortProdRadioClick() {
    SortBy(0);
}

void TItemEditForm::SortBrandRadioClick() {
    SortBy(1);
}

void TItemEditForm::SortShopRadioClick() {
    SortBy(2);
}

void TItemEditForm::SortBy(int layout) {
    Item_Sort = static_cast<uint8_t>(layout);
    ItemsListBoxMouseUp(Qt::RightButton);
    FillItemsList();
}

bool TItemEditForm::InputValid() {
    const auto refuse = [](QLineEdit *box, const char *text) {
        ui::MessageBox(ui::MsgKind::Error, QString::fromLatin1(text));
        box->selectAll();
        box->setFocus();
        return false;
    };
    const auto size = ParseSize(ui::ToAnsi(SizeEdit->text()));
    if (!size)
        return refuse(SizeEdit, "Size entry invalid");
    ValidSize = *size;
    const auto price = ParsePrice(ui::ToAnsi(PriceEdit->text()));
    if (!price)
        return refuse(PriceEdit, "Price entry invalid");
    ValidPrice = *price;
    if (!ShopListBox->HasSelection()) {
        ui::MessageBox(ui::MsgKind::Error, QStringLiteral("Must select a shop"));
        ShopListBox->setFocus();
        return false;
    }
    return true;
}

ItemEntry TItemEditForm::Entry() const {
    ItemEntry entry;
    entry.product = ProdListBox->Selected();
    entry.productName = ui::ToAnsi(ProdEdit->text());
    entry.units = ui::ToAnsi(UnitEdit->text());
    entry.category = CatListBox->Selected();
    entry.brand = ui::ToAnsi(BrandEdit->text());
    entry.size = ValidSize;
    entry.price = ValidPrice;
    entry.shop = ShopListBox->Selected();
    return entry;
}

bool TItemEditForm::TakeChange(const ItemChange &change) {
    if (change.refused != ItemRefusal::None) {
        ui::MessageBox(ui::MsgKind::Error, ui::FromAnsi(RefusalText(change.refused)));
        if (change.refused == ItemRefusal::NoCategory)
            CatEdit->setFocus();
        return false;
    }
    if (change.newProduct) {
        // Selected in its list, so the next Add uses it; the unit stays in its box.
        ProdListBox->AddEntry(ui::FromAnsi(change.product->Name), change.product);
        Choose(ProdListBox, change.product);
        IgnoreProdChange = true;
        ClearBox(ProdEdit);
        IgnoreProdChange = false;
    }
    return true;
}

void TItemEditForm::AddBtnClick() {
    if (!InputValid())
        return;
    const ItemChange change = AddItem(Entry());
    if (!TakeChange(change))
        return;
    // In its sorted place; a selected entry stays selected.
    ItemsListBox->AddEntry(ItemText(*change.item), change.item);
    ClearEntryBoxes();
    BrandEdit->setFocus();
}

void TItemEditForm::UpdateBtnClick() {
    auto *item = ItemsListBox->Selected();
    if (!item || !InputValid())
        return;
    if (!TakeChange(UpdateItem(*item, Entry())))
        return;
    // The entry keeps its place until the list is next filled, and stays selected.
    ItemsListBox->SetEntryText(ItemsListBox->RowOf(item), ItemText(*item));
}

void TItemEditForm::DeleteBtnClick() {
    TShopItem *item = ItemsListBox->Selected();
    if (!item)
        return;
    if (!Items.Empty()) {
        ItemsListBox->RemoveRow(ItemsListBox->RowOf(item));
        ItemsListBox->ClearSelection();
        DeleteItem(item);
    }
    ClearEntryBoxes();
    BrandEdit->setFocus();
    SelectAddMode();
}

void TItemEditForm::HelpBtnClick() {
    ui::ShowHelpTopic(HelpContext::ItemEditor);
}

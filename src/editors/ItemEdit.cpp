#include "editors/ItemEdit.h"

#include "catalogue/ItemChanges.h"
#include "catalogue/NumberEntry.h"
#include "catalogue/NumberFormat.h"
#include "catalogue/ShopData.h"
#include "settings/Preferences.h"
#include "ui/Ansi.h"
#include "ui/Placement.h"
#include "ui/Seam.h"
#include "ui/SortedListBox.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = 708;
constexpr int kHeight = 382;
constexpr int kHelpContext = 7;
constexpr int kNoLimit = 32767; // a line edit's own maximum

// The length limit of each edit box, by object name.
int LimitOf(const QLineEdit *box) {
    const QString name = box->objectName();
    if (name == QLatin1String("ProdEdit"))
        return 20;
    if (name == QLatin1String("UnitEdit"))
        return 5;
    if (name == QLatin1String("BrandEdit"))
        return 30;
    return kNoLimit;
}

template <class T> T *Make(QWidget *parent, const char *name, QRect geometry) {
    auto *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(geometry);
    return w;
}

// An edit box for Windows-1252 text with the box's length limit.
QLineEdit *MakeEdit(QWidget *parent, const char *name, QRect geometry) {
    auto *edit = Make<QLineEdit>(parent, name, geometry);
    ui::MakeAnsiEdit(edit, LimitOf(edit));
    return edit;
}

// A label whose shortcut letter moves the focus to `buddy`, just above it.
QLabel *MakeLabel(QWidget *parent, const char *name, const char *caption, QWidget *buddy) {
    const QRect b = buddy->geometry();
    auto *label = Make<QLabel>(parent, name, QRect(b.left(), b.top() - 16, b.width(), 15));
    label->setText(QString::fromLatin1(caption));
    label->setBuddy(buddy);
    return label;
}

QPushButton *MakeButton(QWidget *parent, const char *name, const char *caption, int x, int y,
                        const char *hint = "") {
    auto *b = Make<QPushButton>(parent, name, QRect(x, y, 75, 25));
    b->setText(QString::fromLatin1(caption));
    b->setToolTip(QString::fromLatin1(hint));
    return b;
}

ui::SortedListBox *MakeList(QWidget *parent, const char *name, QRect geometry) {
    auto *list = new ui::SortedListBox(parent, true);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(geometry);
    return list;
}

// Every record of a global list with its name, for a list box.
template <class T> std::vector<std::pair<QString, void *>> NameEntries(const TRecordList<T> &list) {
    std::vector<std::pair<QString, void *>> entries;
    entries.reserve(static_cast<std::size_t>(list.Count()));
    for (const auto &record : list)
        entries.emplace_back(ui::FromAnsi(record->Name), record.get());
    return entries;
}

QString ItemText(const TShopItem *item) {
    return ui::FromAnsi(item->MakeString(Item_Sort));
}

} // namespace

TItemEditForm::TItemEditForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("ItemEditForm"));
    setWindowTitle(QStringLiteral("Items"));
    setFixedSize(kWidth, kHeight);
    CreateControls();
}

void TItemEditForm::CreateControls() {
    // Four columns above the rule: category, product type, the item's own details, shop;
    // the buttons to their right. The item list and its sort order below the rule.
    CatEdit = MakeEdit(this, "CatEdit", QRect(8, 24, 145, 21));
    ProdEdit = MakeEdit(this, "ProdEdit", QRect(161, 24, 145, 21));
    UnitEdit = MakeEdit(this, "UnitEdit", QRect(314, 24, 64, 21));
    UnitEdit->setToolTip(QStringLiteral("eg. g, pkt, btl"));
    BrandEdit = MakeEdit(this, "BrandEdit", QRect(314, 66, 150, 21));
    SizeEdit = MakeEdit(this, "SizeEdit", QRect(314, 108, 70, 21));
    UOMLabel = Make<QLabel>(this, "UOMLabel", QRect(388, 108, 76, 21));
    PriceEdit = MakeEdit(this, "PriceEdit", QRect(314, 150, 70, 21));
    ShopEdit = MakeEdit(this, "ShopEdit", QRect(472, 24, 145, 21));
    CatListBox = MakeList(this, "CatListBox", QRect(8, 48, 145, 134));
    ProdListBox = MakeList(this, "ProdListBox", QRect(161, 48, 145, 134));
    ShopListBox = MakeList(this, "ShopListBox", QRect(472, 48, 145, 134));
    ItemsListBox = MakeList(this, "ItemsListBox", QRect(8, 214, 540, 160));

    CatLabel = MakeLabel(this, "CatLabel", "&Category", CatEdit);
    ProdLabel = MakeLabel(this, "ProdLabel", "Product &type", ProdEdit);
    UnitLabel = MakeLabel(this, "UnitLabel", "Unit of &measure", UnitEdit);
    UnitLabel->resize(150, 15);
    BrandLabel = MakeLabel(this, "BrandLabel", "B&rand", BrandEdit);
    SizeLabel = MakeLabel(this, "SizeLabel", "Si&ze", SizeEdit);
    PriceLabel = MakeLabel(this, "PriceLabel", "Pric&e", PriceEdit);
    ShopLabel = MakeLabel(this, "ShopLabel", "S&hop", ShopEdit);
    ItemsLabel = MakeLabel(this, "ItemsLabel", "&Items", ItemsListBox);

    Rule = Make<QFrame>(this, "Rule", QRect(8, 190, kWidth - 16, 2));
    Rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    SortGroup = Make<QGroupBox>(this, "SortGroup", QRect(556, 208, 144, 88));
    SortGroup->setTitle(QStringLiteral("Sort item list by:"));
    SortProdRadio = Make<QRadioButton>(SortGroup, "SortProdRadio", QRect(12, 20, 120, 19));
    SortProdRadio->setText(QStringLiteral("&Product"));
    SortProdRadio->setChecked(true);
    SortBrandRadio = Make<QRadioButton>(SortGroup, "SortBrandRadio", QRect(12, 41, 120, 19));
    SortBrandRadio->setText(QStringLiteral("&Brand"));
    SortShopRadio = Make<QRadioButton>(SortGroup, "SortShopRadio", QRect(12, 62, 120, 19));
    SortShopRadio->setText(QStringLiteral("&Shop"));
    // Only the button and its caption take a click, so each is as wide as its caption.
    for (QRadioButton *radio : {SortProdRadio, SortBrandRadio, SortShopRadio})
        radio->resize(radio->sizeHint().width(), radio->height());

    AddBtn = MakeButton(this, "AddBtn", "&Add", 625, 24, "Add new item");
    UpdateBtn = MakeButton(this, "UpdateBtn", "&Update", 625, 55, "Change item details");
    DeleteBtn = MakeButton(this, "DeleteBtn", "&Delete", 625, 86, "Delete item");
    HelpBtn = MakeButton(this, "HelpBtn", "&Help", 625, 318);
    CloseBtn = MakeButton(this, "CloseBtn", "&Close", 625, 349);
    AddBtn->setDefault(true);
    AddBtn->setEnabled(false);
    UpdateBtn->setEnabled(false);
    DeleteBtn->setEnabled(false);

    QWidget *const order[] = {CatEdit,        ProdEdit,      UnitEdit,     BrandEdit,
                              SizeEdit,       PriceEdit,     ShopEdit,     CatListBox,
                              ProdListBox,    ShopListBox,   ItemsListBox, SortProdRadio,
                              SortBrandRadio, SortShopRadio, AddBtn,       UpdateBtn,
                              DeleteBtn,      HelpBtn,       CloseBtn};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(CatEdit, &QLineEdit::textChanged, this, &TItemEditForm::CatEditChange);
    connect(ProdEdit, &QLineEdit::textChanged, this, &TItemEditForm::ProdEditChange);
    connect(UnitEdit, &QLineEdit::textChanged, this, &TItemEditForm::UnitEditChange);
    connect(ShopEdit, &QLineEdit::textChanged, this, &TItemEditForm::ShopEditChange);
    connect(CatListBox, &ui::SortedListBox::UserSelect, this, &TItemEditForm::CatListBoxClick);
    connect(ProdListBox, &ui::SortedListBox::UserSelect, this, &TItemEditForm::ProdListBoxClick);
    connect(ShopListBox, &ui::SortedListBox::UserSelect, this, &TItemEditForm::ShopListBoxClick);
    connect(ItemsListBox, &ui::SortedListBox::UserSelect, this, &TItemEditForm::ItemsListBoxClick);
    connect(ItemsListBox, &ui::SortedListBox::MouseUp, this, &TItemEditForm::ItemsListBoxMouseUp);
    connect(SortProdRadio, &QRadioButton::clicked, this, &TItemEditForm::SortProdRadioClick);
    connect(SortBrandRadio, &QRadioButton::clicked, this, &TItemEditForm::SortBrandRadioClick);
    connect(SortShopRadio, &QRadioButton::clicked, this, &TItemEditForm::SortShopRadioClick);
    connect(AddBtn, &QPushButton::clicked, this, &TItemEditForm::AddBtnClick);
    connect(UpdateBtn, &QPushButton::clicked, this, &TItemEditForm::UpdateBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TItemEditForm::DeleteBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TItemEditForm::HelpBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::close);
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

void TItemEditForm::SelectIncrementally(ui::SortedListBox *list, const QString &text) {
    if (text.isEmpty() || list->count() == 0) {
        list->SelectRow(-1);
        return;
    }
    list->SelectRow(std::min(list->FindNotLess(text), list->count() - 1));
}

// Add mode: no item selected, Add the default button.
void TItemEditForm::SelectAddMode() {
    UpdateBtn->setEnabled(false);
    DeleteBtn->setEnabled(false);
    UpdateBtn->setDefault(false);
    AddBtn->setDefault(true);
}

void TItemEditForm::FillItemsList() {
    std::vector<std::pair<QString, void *>> entries;
    entries.reserve(static_cast<std::size_t>(Items.Count()));
    for (const auto &item : Items)
        entries.emplace_back(ItemText(item.get()), item.get());
    ItemsListBox->Fill(std::move(entries));
}

// ---------------------------------------------------------------------------------------------
// Showing

void TItemEditForm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // restored by the window system: no new showing
    ui::CenterOnScreen(this);
    FormShow();
}

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
    CatListBox->Fill(NameEntries(Categories));
    ClearBox(ProdEdit);
    ProdListBox->clear();
    ClearBox(ShopEdit);
    ShopListBox->Fill(NameEntries(Shops));
    FillItemsList();
    ClearEntryBoxes();
    ClearBox(UnitEdit);
    UOMLabel->clear();
    AddBtn->setEnabled(false);
    SelectAddMode();
    // Each showing starts an entry where an entry starts.
    CatEdit->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Handlers

void TItemEditForm::UpdateProdList() {
    ClearBox(ProdEdit);
    ProdListBox->clear();
    AddBtn->setEnabled(false);
    const auto *category = CatListBox->Selected<TShopCat>();
    if (ProductTypes.Empty() || !category)
        return;
    std::vector<std::pair<QString, void *>> entries;
    for (const auto &product : ProductTypes)
        if (product->Category == category)
            entries.emplace_back(ui::FromAnsi(product->Name), product.get());
    ProdListBox->Fill(std::move(entries));
}

void TItemEditForm::CatEditChange() {
    SelectIncrementally(CatListBox, CatEdit->text());
    UpdateProdList();
}

void TItemEditForm::CatListBoxClick() {
    auto *category = CatListBox->Selected<TShopCat>();
    if (!category)
        return;
    SetBox(CatEdit, ui::FromAnsi(category->Name));
    // The typed text finds the first of two categories of the same name; the one clicked
    // is the one meant.
    CatListBox->SelectRow(CatListBox->RowOf(category));
    UpdateProdList();
}

void TItemEditForm::ProdEditChange() {
    if (IgnoreProdChange)
        return;
    ProdListBox->ClearSelection(); // the typed text names a new product type
    ClearBox(UnitEdit);
    UOMLabel->clear();
    if (CatListBox->SelectedRecord() && !ProdEdit->text().isEmpty())
        AddBtn->setEnabled(true);
}

void TItemEditForm::ProdListBoxClick() {
    auto *product = ProdListBox->Selected<TShopProd>();
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
    SelectIncrementally(ShopListBox, ShopEdit->text());
}

void TItemEditForm::ShopListBoxClick() {
    auto *shop = ShopListBox->Selected<TShopShop>();
    if (!shop)
        return;
    SetBox(ShopEdit, ui::FromAnsi(shop->Name));
    ShopListBox->SelectRow(ShopListBox->RowOf(shop)); // the one clicked, as for categories
}

void TItemEditForm::ItemsListBoxClick() {
    const auto *item = ItemsListBox->Selected<TShopItem>();
    if (!item)
        return;
    // The box's text first, then the record: typing finds the first of equal names.
    if (TShopCat *category = item->Product ? item->Product->Category : nullptr) {
        SetBox(CatEdit, ui::FromAnsi(category->Name));
        CatListBox->SelectRow(CatListBox->RowOf(category));
    } else {
        ClearBox(CatEdit);
    }
    UpdateProdList();
    if (item->Product) {
        ProdListBox->SelectRow(ProdListBox->RowOf(item->Product));
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
    SetBox(SizeEdit, ui::FromAnsi(FormatGeneral(SingleToDouble(item->Size))));
    SetBox(PriceEdit, ui::FromAnsi(FormatFixed(SingleToDouble(item->Price), 2)));
    if (item->Shop) {
        SetBox(ShopEdit, ui::FromAnsi(item->Shop->Name));
        ShopListBox->SelectRow(ShopListBox->RowOf(item->Shop));
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
    if (button != Qt::RightButton || !ItemsListBox->SelectedRecord())
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
    if (!ShopListBox->SelectedRecord()) {
        ui::MessageBox(ui::MsgKind::Error, QStringLiteral("Must select a shop"));
        ShopListBox->setFocus();
        return false;
    }
    return true;
}

ItemEntry TItemEditForm::Entry() const {
    ItemEntry entry;
    entry.product = ProdListBox->Selected<TShopProd>();
    entry.productName = ui::ToAnsi(ProdEdit->text());
    entry.units = ui::ToAnsi(UnitEdit->text());
    entry.category = CatListBox->Selected<TShopCat>();
    entry.brand = ui::ToAnsi(BrandEdit->text());
    entry.size = ValidSize;
    entry.price = ValidPrice;
    entry.shop = ShopListBox->Selected<TShopShop>();
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
        const int row = ProdListBox->AddEntry(ui::FromAnsi(change.product->Name), change.product);
        ProdListBox->SelectRow(row);
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
    ItemsListBox->AddEntry(ItemText(change.item), change.item);
    ClearEntryBoxes();
    BrandEdit->setFocus();
}

void TItemEditForm::UpdateBtnClick() {
    auto *item = ItemsListBox->Selected<TShopItem>();
    if (!item || !InputValid())
        return;
    const int row = ItemsListBox->SelectedRow();
    if (!TakeChange(UpdateItem(*item, Entry())))
        return;
    // The entry keeps its place until the list is next filled.
    ItemsListBox->SetEntryText(row, ItemText(item));
    ItemsListBox->SelectRow(row);
}

void TItemEditForm::DeleteBtnClick() {
    const int row = ItemsListBox->SelectedRow();
    if (row < 0)
        return;
    if (!Items.Empty()) {
        auto *item = ItemsListBox->At<TShopItem>(row);
        ItemsListBox->RemoveRow(row);
        ItemsListBox->ClearSelection();
        DeleteItem(item);
    }
    ClearEntryBoxes();
    BrandEdit->setFocus();
    SelectAddMode();
}

void TItemEditForm::HelpBtnClick() {
    ui::Help(ui::HelpCommand::Context, kHelpContext);
}

// The item editor driven as a user does: choosing a category, product type and shop by
// typing or clicking, entering sizes and prices, making product types, the buttons' states,
// the sort order of the item list, and what reaches the catalogue and its file.

#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WidgetDriver.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "editors/ItemEdit.h"
#include "settings/Preferences.h"
#include "ui/ListBox.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

const QString kBread = QStringLiteral("Bread, Baker 1loaf $2.50 at Market");
const QString kCream = QStringLiteral("Cream, Zed 300ml $0.99 at Corner");
const QString kMilk = QStringLiteral("Milk, Acme 2l $1.50 at Corner");

// Bakery, Dairy, Meat, Milk; Bread (loaf, Bakery), Milk (l, Dairy), Cream (ml, Dairy);
// Market, Corner; an item of each product type.
void BuildCatalogue() {
    for (const char *name : {"Dairy", "Bakery", "Meat", "Milk"})
        Categories.Add(std::make_unique<TShopCat>(name));
    ProductTypes.Add(std::make_unique<TShopProd>("Bread", "loaf", Categories[1]));
    ProductTypes.Add(std::make_unique<TShopProd>("Milk", "l", Categories[0]));
    ProductTypes.Add(std::make_unique<TShopProd>("Cream", "ml", Categories[0]));
    Shops.Add(std::make_unique<TShopShop>("Market"));
    Shops.Add(std::make_unique<TShopShop>("Corner"));
    Items.Add(std::make_unique<TShopItem>(ProductTypes[0], "Baker", 1, 2.5f, Shops[0]));
    Items.Add(std::make_unique<TShopItem>(ProductTypes[1], "Acme", 2, 1.5f, Shops[1]));
    Items.Add(std::make_unique<TShopItem>(ProductTypes[2], "Zed", 300, 0.99f, Shops[1]));
}

QString Selected(const ui::ListBoxBase *list) {
    return list->Text(list->SelectedRow());
}

int SelectedRow(const ui::ListBoxBase *list) {
    return list->SelectedRow();
}

QString Focus() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

QString Texts(std::initializer_list<const QWidget *> widgets) {
    QStringList texts;
    for (const QWidget *w : widgets)
        texts << w->property("text").toString();
    return texts.join('|');
}

} // namespace

class TestItemEdit : public QObject {
    Q_OBJECT
    TestProgram *program = nullptr;
    TItemEditForm *form = nullptr;
    TestResponder &responder() { return program->responder; }

    [[nodiscard]] bool open() { return ShowActive(form); }
    // Category, product type and shop clicked; brand, size and price typed.
    [[nodiscard]] bool enter(const QString &size, const QString &price) {
        if (!ClickEntry(form->CatListBox, QStringLiteral("Dairy")) ||
            !ClickEntry(form->ProdListBox, QStringLiteral("Milk")) ||
            !ClickEntry(form->ShopListBox, QStringLiteral("Corner")))
            return false;
        Retype(form->BrandEdit, QStringLiteral("Own"));
        Retype(form->SizeEdit, size);
        Retype(form->PriceEdit, price);
        return true;
    }
    // Add, Update and Delete enabled (1) or not (0), and the default button.
    QString buttons() const {
        return QString("%1%2%3 %4")
            .arg(form->AddBtn->isEnabled())
            .arg(form->UpdateBtn->isEnabled())
            .arg(form->DeleteBtn->isEnabled())
            .arg(form->UpdateBtn->isDefault() ? "Update"
                 : form->AddBtn->isDefault()  ? "Add"
                                              : "");
    }

private Q_SLOTS:
    void initTestCase() { SetUpWindowTests(); }
    void init() {
        program = new TestProgram();
        form = ItemEditForm;
        BuildCatalogue();
    }
    void cleanup() { delete program; }

    void windowAsGiven() {
        QVERIFY(open());
        QVERIFY(SaveShot(form, "items-empty"));
        QCOMPARE(FocusOrder(form->CatEdit),
                 QStringList({"CatEdit", "ProdEdit", "UnitEdit", "BrandEdit", "SizeEdit",
                              "PriceEdit", "ShopEdit", "CatListBox", "ProdListBox", "ShopListBox",
                              "ItemsListBox", "SortProdRadio", "SortBrandRadio", "SortShopRadio",
                              "AddBtn", "UpdateBtn", "DeleteBtn", "HelpBtn", "CloseBtn"}));
        QCOMPARE(Focus(), QStringLiteral("CatEdit"));
        QCOMPARE(buttons(), QStringLiteral("000 Add"));
        QCOMPARE(Entries(form->CatListBox), QStringList({"Bakery", "Dairy", "Meat", "Milk"}));
        QCOMPARE(Entries(form->ShopListBox), QStringList({"Corner", "Market"}));
        QCOMPARE(form->ProdListBox->Count(), 0);

        // Each label's letter moves the focus to its box or list. Category and Shop share
        // their letters with Close and Help: the first press goes to the box.
        const std::pair<Qt::Key, QWidget *> shortcuts[] = {
            {Qt::Key_C, form->CatEdit},  {Qt::Key_T, form->ProdEdit},
            {Qt::Key_M, form->UnitEdit}, {Qt::Key_R, form->BrandEdit},
            {Qt::Key_Z, form->SizeEdit}, {Qt::Key_E, form->PriceEdit},
            {Qt::Key_H, form->ShopEdit}, {Qt::Key_I, form->ItemsListBox}};
        for (const auto &[key, box] : shortcuts) {
            form->AddBtn->setFocus();
            QVERIFY(AltKey(form, key));
            QCOMPARE(QApplication::focusWidget(), box);
        }
        QTest::mouseClick(form->HelpBtn, Qt::LeftButton);
        QCOMPARE(responder().helpCalls.size(), 1);
        QCOMPARE(responder().helpCalls[0].context, 7u);
    }

    // Typing selects the first entry not less than the text, in list order; the text
    // itself is never completed until the entry is clicked.
    void incrementalSelection_data() {
        QTest::addColumn<bool>("shop");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("products");
        const auto row = [](const char *keys, bool shop, const char *selected,
                            QStringList products = {}) {
            QTest::addRow("%s %s", shop ? "shop" : "category", keys)
                << shop << keys << selected << products;
        };
        row("mi", false, "Milk");
        row("DA", false, "Dairy", {"Cream", "Milk"});
        row("zz", false, "Milk");
        row("da\b\b", false, ""); // emptied: no category, no product types
        row("co", true, "Corner");
        row("zz", true, "Market");
    }
    void incrementalSelection() {
        QFETCH(bool, shop);
        QFETCH(QString, keys);
        QFETCH(QString, selected);
        QFETCH(QStringList, products);
        QVERIFY(open());
        QLineEdit *box = shop ? form->ShopEdit : form->CatEdit;
        QTest::keyClicks(box, keys);
        ui::ListBoxBase *list = shop ? static_cast<ui::ListBoxBase *>(form->ShopListBox)
                                     : static_cast<ui::ListBoxBase *>(form->CatListBox);
        QCOMPARE(Selected(list), selected);
        QCOMPARE(box->text(), keys.contains('\b') ? QString() : keys);
        QCOMPARE(Entries(form->ProdListBox), products);
        // A click on the entry found, already selected, is still the user's choice.
        if (!selected.isEmpty()) {
            QVERIFY(ClickEntry(list, selected));
            QCOMPARE(box->text(), selected);
        }
    }

    // A bad size or price stops Add and Update alike with its message, the focus in its box
    // and the text selected; an empty price stores 0.
    void sizesAndPrices_data() {
        QTest::addColumn<bool>("update");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("message");
        for (bool update : {false, true}) {
            const auto row = [update](const char *size, const char *price, const char *message) {
                QTest::addRow("%s size '%s' price '%s'", update ? "Update" : "Add", size, price)
                    << update << size << price << message;
            };
            row("1.5", "2", "Size entry invalid");
            row("", "2", "Size entry invalid");
            row("-1", "2", "Size entry invalid");
            row("-1", "-0.5", "Size entry invalid"); // the size is checked first
            row("0", "2", "");
            row("16777216", "2", "");
            row("3", "", "");
            row("3", "-0.5", "Price entry invalid");
            row("3", "1e39", "Price entry invalid");
        }
    }
    void sizesAndPrices() {
        QFETCH(bool, update);
        QFETCH(QString, size);
        QFETCH(QString, price);
        QFETCH(QString, message);
        QVERIFY(open());
        TShopItem *milk = Items[1];
        if (update)
            QVERIFY(ClickEntry(form->ItemsListBox, kMilk));
        QVERIFY(enter(size, price));
        QTest::keyClick(form->PriceEdit, Qt::Key_Return); // the default button

        if (message.isEmpty()) {
            TShopItem *stored = update ? milk : Items[Items.Count() - 1];
            QVERIFY(responder().messages.isEmpty());
            QCOMPARE(Items.Count(), update ? 3 : 4);
            QCOMPARE(stored->Size, size.toFloat());
            QCOMPARE(stored->Price, price.toFloat());
            QCOMPARE(stored->Brand, std::string("Own"));
            // Shown again as they were taken, so an Update that leaves them alone keeps them.
            QVERIFY(ClickRow(form->ItemsListBox, form->ItemsListBox->RowOf(stored)));
            QCOMPARE(form->SizeEdit->text(), size);
            QTest::keyClick(form->BrandEdit, Qt::Key_Return);
            QVERIFY(responder().messages.isEmpty());
            QCOMPARE(stored->Size, size.toFloat());
            return;
        }
        QCOMPARE(responder().texts(), QStringList{message});
        QCOMPARE(responder().messages[0].caption, QStringLiteral("Error"));
        auto *box = message.startsWith("Size") ? form->SizeEdit : form->PriceEdit;
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->selectedText(), box->text());
        QCOMPARE(Items.Count(), 3);
        QCOMPARE(milk->Brand + std::to_string(milk->Size), std::string("Acme2.000000"));
    }

    // A typed name makes a new product type, even of a name in use; it is then selected
    // with its unit kept, so the next Add uses it.
    void newProductType() {
        QVERIFY(open());
        QVERIFY(ClickEntry(form->CatListBox, QStringLiteral("Dairy")));
        QVERIFY(ClickEntry(form->ProdListBox, QStringLiteral("Milk")));
        QVERIFY(ClickEntry(form->ShopListBox, QStringLiteral("Market")));
        QTest::keyClicks(form->BrandEdit, QStringLiteral("Acme"));
        QTest::keyClicks(form->SizeEdit, QStringLiteral("2"));
        QVERIFY(SaveShot(form, "items-entry"));
        QTest::keyClicks(form->ProdEdit, QStringLiteral("Milk"));
        QCOMPARE(Selected(form->ProdListBox) + form->UnitEdit->text(), QString());
        QCOMPARE(buttons(), QStringLiteral("100 Add"));
        QTest::keyClicks(form->UnitEdit, QStringLiteral("pt"));
        for (const char *brand : {"Acme", "Best"}) {
            Retype(form->BrandEdit, brand);
            Retype(form->SizeEdit, QStringLiteral("2"));
            QTest::mouseClick(form->AddBtn, Qt::LeftButton);
            QCOMPARE(ProductTypes.Count(), 4);
            TShopProd *made = ProductTypes[3];
            QCOMPARE(made->Name + made->Units, std::string("Milkpt"));
            QCOMPARE(made->Category, Categories[0]);
            QCOMPARE(Items[Items.Count() - 1]->Product, made);
            QCOMPARE(form->ProdListBox->Selected(), made);
            QCOMPARE(Texts({form->ProdEdit, form->UnitEdit, form->UOMLabel, form->SizeEdit}),
                     QStringLiteral("|pt|pt|"));
            QCOMPARE(Focus(), QStringLiteral("BrandEdit"));
        }
        QCOMPARE(Entries(form->ProdListBox), QStringList({"Cream", "Milk", "Milk"}));
    }

    // Add keeps a chosen product type's unit; Update gives it the unit in the box.
    void editedUnit_data() {
        QTest::addColumn<bool>("update");
        QTest::newRow("Add") << false;
        QTest::newRow("Update") << true;
    }
    void editedUnit() {
        QFETCH(bool, update);
        QVERIFY(open());
        QVERIFY(ClickEntry(form->ItemsListBox, kMilk));
        QCOMPARE(buttons(), QStringLiteral("111 Update"));
        QCOMPARE(Texts({form->CatEdit, form->UnitEdit, form->BrandEdit, form->SizeEdit,
                        form->PriceEdit, form->ShopEdit}),
                 QStringLiteral("Dairy|l|Acme|2|1.50|Corner"));
        QCOMPARE(Selected(form->ProdListBox), QStringLiteral("Milk"));
        Retype(form->UnitEdit, QStringLiteral("ml"));
        QCOMPARE(form->UOMLabel->text(), QStringLiteral("ml"));
        QTest::mouseClick(update ? form->UpdateBtn : form->AddBtn, Qt::LeftButton);

        QCOMPARE(ProductTypes[1]->Units, std::string(update ? "ml" : "l"));
        QCOMPARE(Items.Count(), update ? 3 : 4);
        // A changed entry stays where it stands, still selected; an added one is not selected.
        QCOMPARE(SelectedRow(form->ItemsListBox), 2);
        const QStringList last =
            update ? QStringList{"Milk, Acme 2ml $1.50 at Corner"} : QStringList{kMilk, kMilk};
        QCOMPARE(Entries(form->ItemsListBox).mid(2), last);
    }

    // The state table's other rows: a right click, a category chosen, Delete.
    void buttonStates() {
        QVERIFY(open());
        QVERIFY(ClickEntry(form->ItemsListBox, kMilk));
        QVERIFY(ClickRow(form->ItemsListBox, 0, Qt::RightButton));
        QCOMPARE(SelectedRow(form->ItemsListBox), -1);
        QCOMPARE(buttons(), QStringLiteral("100 Add"));
        QCOMPARE(Focus(), QStringLiteral("BrandEdit"));
        QCOMPARE(Texts({form->CatEdit, form->UnitEdit, form->BrandEdit, form->SizeEdit,
                        form->PriceEdit, form->ShopEdit}),
                 QStringLiteral("Dairy|l||||Corner"));

        QVERIFY(ClickEntry(form->ItemsListBox, kCream));
        QVERIFY(ClickEntry(form->CatListBox, QStringLiteral("Bakery")));
        QCOMPARE(buttons(), QStringLiteral("011 Update"));
        QVERIFY(AltKey(form, Qt::Key_D));
        QCOMPARE(buttons(), QStringLiteral("000 Add"));
        QCOMPARE(Focus(), QStringLiteral("BrandEdit"));
        QCOMPARE(Entries(form->ItemsListBox), QStringList({kBread, kMilk}));
        QCOMPARE(Items.Count(), 2);
        QCOMPARE(ProductTypes.Count(), 3); // Cream stays
    }

    // An item whose product type or shop is gone fills empty boxes; storing it then asks
    // for what is missing, before anything changes.
    void missingProductOrShop_data() {
        QTest::addColumn<bool>("noShop");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        // CatEdit, ProdEdit, UnitEdit, UOMLabel, ShopEdit; selected product type and shop.
        QTest::newRow("no product type") << false << "||||Corner||Corner"
                                         << "Must select a category"
                                         << "CatEdit";
        QTest::newRow("no shop") << true << "Dairy||l|l||Milk|"
                                 << "Must select a shop"
                                 << "ShopListBox";
    }
    void missingProductOrShop() {
        QFETCH(bool, noShop);
        QFETCH(QString, boxes);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        TShopItem *item = Items[1];
        if (noShop)
            item->Shop = nullptr;
        else
            item->Product = nullptr;
        QVERIFY(open());
        QVERIFY(ClickRow(form->ItemsListBox, form->ItemsListBox->RowOf(item)));
        QCOMPARE(
            Texts({form->CatEdit, form->ProdEdit, form->UnitEdit, form->UOMLabel, form->ShopEdit}) +
                "|" + Selected(form->ProdListBox) + "|" + Selected(form->ShopListBox),
            boxes);
        QTest::keyClick(form->BrandEdit, Qt::Key_Return);
        QCOMPARE(responder().texts(), QStringList{message});
        QCOMPARE(Focus(), focus);
        QCOMPARE(ProductTypes.Count(), 3);
        QCOMPARE(item->Brand, std::string("Acme"));
    }

    // The data file counts records in 16 bits: a full list refuses one more.
    void fullCatalogue_data() {
        QTest::addColumn<bool>("items");
        QTest::newRow("items") << true;
        QTest::newRow("product types") << false;
    }
    void fullCatalogue() {
        QFETCH(bool, items);
        while (items && Items.Count() < MaxRecords)
            Items.Add(std::make_unique<TShopItem>(ProductTypes[0], "B", 1, 1, Shops[0]));
        while (!items && ProductTypes.Count() < MaxRecords)
            ProductTypes.Add(std::make_unique<TShopProd>("P", "g", Categories[2]));
        QVERIFY(open());
        QVERIFY(enter("1", "1"));
        if (!items)
            QTest::keyClicks(form->ProdEdit, QStringLiteral("Yoghurt"));
        QTest::mouseClick(form->AddBtn, Qt::LeftButton);
        QCOMPARE(responder().texts(),
                 QStringList{QString("The catalogue cannot hold more than 32767 %1.")
                                 .arg(items ? "items" : "product types")});
        QCOMPARE(Items.Count(), items ? MaxRecords : 3);
        QCOMPARE(ProductTypes.Count(), items ? 3 : MaxRecords);
        QCOMPARE(form->ItemsListBox->Count(), Items.Count());
    }

    // The sort buttons reorder the list and let go of the item; the order comes back when
    // the window is opened again and after a restart, from the settings file.
    void sortOrder_data() {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<int>("value");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("Product") << "SortProdRadio" << 0 << QStringList({kBread, kCream, kMilk});
        QTest::newRow("Brand") << "SortBrandRadio" << 1
                               << QStringList({"Acme Milk 2l $1.50 at Corner",
                                               "Baker Bread 1loaf $2.50 at Market",
                                               "Zed Cream 300ml $0.99 at Corner"});
        QTest::newRow("Shop") << "SortShopRadio" << 2
                              << QStringList({"Corner:  Cream, Zed 300ml $0.99",
                                              "Corner:  Milk, Acme 2l $1.50",
                                              "Market:  Bread, Baker 1loaf $2.50"});
    }
    void sortOrder() {
        QFETCH(QString, radio);
        QFETCH(int, value);
        QFETCH(QStringList, entries);
        ClearCatalogue();
        MainForm->show(); // reads the settings, loads the (missing) catalogue
        BuildCatalogue();
        Item_Sort = value == 1 ? 2 : 1; // another order than the one chosen
        const auto button = [this, radio] { return form->findChild<QRadioButton *>(radio); };
        QVERIFY(RunModal(
            form, [] { QTest::mouseClick(MainForm->ItemBtn, Qt::LeftButton); },
            [&] {
                QVERIFY(ClickRow(form->ItemsListBox, 1));
                QTest::mouseClick(button(), Qt::LeftButton);
                QCOMPARE(Item_Sort, value);
                QCOMPARE(Entries(form->ItemsListBox), entries);
                QCOMPARE(SelectedRow(form->ItemsListBox), -1);
                QCOMPARE(buttons(), QStringLiteral("100 Add"));
                QVERIFY(ClickRow(form->ItemsListBox, 1));
                QVERIFY(SaveShot(form, "items-sorted-" + radio));
                QTest::mouseClick(form->CloseBtn, Qt::LeftButton);
            }));
        const auto reopened = [&] {
            QVERIFY(button()->isChecked());
            QCOMPARE(Entries(form->ItemsListBox), entries);
        };
        QVERIFY(RunModal(
            form, [] { MainForm->Items1->trigger(); }, reopened));
        MainForm->close(); // the next start reads it back (the settings tests show how)
        QVERIFY(ReadAll(program->file("Shopping.ini"))
                    .contains("\nItem_Sort=" + QByteArray::number(value)));
    }

    // A stored order without a button: no button on and empty texts until one is clicked.
    void unknownSortOrder() {
        Item_Sort = 5;
        QVERIFY(open());
        QVERIFY(!form->SortProdRadio->isChecked() && !form->SortBrandRadio->isChecked() &&
                !form->SortShopRadio->isChecked());
        QCOMPARE(Entries(form->ItemsListBox), QStringList({"", "", ""}));
        QTest::mouseClick(form->SortProdRadio, Qt::LeftButton);
        QCOMPARE(Entries(form->ItemsListBox), QStringList({kBread, kCream, kMilk}));
    }

    // A whole entry from the keyboard alone, from the main window to the saved file.
    void keyboardOnlyEntry() {
        ClearCatalogue();
        BuildExampleCatalogue(); // Dairy and Corner stay; the product type and item go
        Items.Clear();
        ProductTypes.Clear();
        RecordingUser user;
        QVERIFY(WriteDataFile(program->file("Shopping.dat").toStdString(), user));
        MainForm->show();
        QCOMPARE(Shops.Count(), 1);
        QVERIFY(RunModal(
            form, [] { MainForm->Items1->trigger(); },
            [&] {
                for (const QString &text : QString("da|Milk|l|Acme|2|1.25|co").split('|')) {
                    QTest::keyClicks(QApplication::focusWidget(), text);
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                }
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                // The item chosen in its list and its price corrected, by keyboard too.
                QVERIFY(AltKey(form, Qt::Key_I));
                QTest::keyClick(form->ItemsListBox, Qt::Key_Down);
                QCOMPARE(form->PriceEdit->text(), QStringLiteral("1.25"));
                QVERIFY(AltKey(form, Qt::Key_E));
                QTest::keyClicks(form->PriceEdit, QStringLiteral("1.5"));
                QTest::keyClick(form->PriceEdit, Qt::Key_Return);
                QVERIFY(responder().messages.isEmpty());
                QCOMPARE(Entries(form->ItemsListBox), QStringList{kMilk});
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                QVERIFY(!form->isVisible());
            }));
        MainForm->close();
        QByteArray expected = ExampleCatalogueBytes();
        expected[expected.size() - 33] = 0; // a new item is on no shopping list
        QCOMPARE(ReadAll(program->file("Shopping.dat")), expected);
    }
};

QTEST_MAIN(TestItemEdit)
#include "tst_ItemEdit.moc"

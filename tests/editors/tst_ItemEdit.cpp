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
#include "ui/SortedListBox.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

// Bakery, Dairy, Meat, Milk; Bread (loaf, Bakery), Milk (l, Dairy), Cream (ml, Dairy);
// Corner, Market; and three items.
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

QString Selected(const ui::SortedListBox *list) {
    return list->SelectedRow() < 0 ? QString() : list->item(list->SelectedRow())->text();
}

QString Focus() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

} // namespace

class TestItemEdit : public QObject {
    Q_OBJECT
    TestProgram *program = nullptr;
    TItemEditForm *form = nullptr;
    TestResponder &responder() { return program->responder; }

    void open() { QVERIFY(ShowActive(form)); }
    // Category, product type and shop clicked, brand, size and price typed.
    void enter(const char *category, const char *product, const char *shop, const QString &size,
               const QString &price) {
        ClickEntry(form->CatListBox, category);
        ClickEntry(form->ProdListBox, product);
        ClickEntry(form->ShopListBox, shop);
        Retype(form->BrandEdit, QStringLiteral("Own"));
        Retype(form->SizeEdit, size);
        Retype(form->PriceEdit, price);
    }
    // Add, Update, Delete enabled; Update the default button.
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
        open();
        SaveShot(form, "items-empty");
        QCOMPARE(form->windowTitle(), QStringLiteral("Items"));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(FocusOrder(form->CatEdit),
                 QStringList({"CatEdit", "ProdEdit", "UnitEdit", "BrandEdit", "SizeEdit",
                              "PriceEdit", "ShopEdit", "CatListBox", "ProdListBox", "ShopListBox",
                              "ItemsListBox", "SortProdRadio", "SortBrandRadio", "SortShopRadio",
                              "AddBtn", "UpdateBtn", "DeleteBtn", "HelpBtn", "CloseBtn"}));
        QCOMPARE(Focus(), QStringLiteral("CatEdit"));
        QCOMPARE(buttons(), QStringLiteral("000 Add"));
        QCOMPARE(Entries(form->CatListBox), QStringList({"Bakery", "Dairy", "Meat", "Milk"}));
        QCOMPARE(Entries(form->ShopListBox), QStringList({"Corner", "Market"}));
        QCOMPARE(form->ProdListBox->count(), 0);
        QCOMPARE(Entries(form->ItemsListBox), QStringList({"Bread, Baker 1loaf $2.50 at Market",
                                                           "Cream, Zed 300ml $0.99 at Corner",
                                                           "Milk, Acme 2l $1.50 at Corner"}));
        QVERIFY(form->SortProdRadio->isChecked());
        QCOMPARE(form->UnitEdit->toolTip(), QStringLiteral("eg. g, pkt, btl"));
        QCOMPARE(form->AddBtn->toolTip(), QStringLiteral("Add new item"));
        QCOMPARE(form->UpdateBtn->toolTip(), QStringLiteral("Change item details"));
        QCOMPARE(form->DeleteBtn->toolTip(), QStringLiteral("Delete item"));
        QCOMPARE(form->ProdEdit->maxLength(), 20);
        QCOMPARE(form->UnitEdit->maxLength(), 5);
        QCOMPARE(form->BrandEdit->maxLength(), 30);

        // Each label's letter moves the focus to its box or list. Category and Shop share
        // their letters with Close and Help: the first press goes to the box.
        const std::pair<Qt::Key, QWidget *> shortcuts[] = {
            {Qt::Key_C, form->CatEdit},  {Qt::Key_T, form->ProdEdit},
            {Qt::Key_M, form->UnitEdit}, {Qt::Key_R, form->BrandEdit},
            {Qt::Key_Z, form->SizeEdit}, {Qt::Key_E, form->PriceEdit},
            {Qt::Key_H, form->ShopEdit}, {Qt::Key_I, form->ItemsListBox}};
        for (const auto &[key, box] : shortcuts) {
            form->AddBtn->setFocus();
            AltKey(form, key);
            QCOMPARE(QApplication::focusWidget(), box);
        }
        QVERIFY(form->isVisible());
        QTest::mouseClick(form->HelpBtn, Qt::LeftButton);
        QCOMPARE(responder().helpCalls.size(), 1);
        QCOMPARE(responder().helpCalls[0].context, 7u);
    }

    // Typing selects the first entry not less than the text, as the list orders them; the
    // text itself is never completed.
    void incrementalSelection_data() {
        QTest::addColumn<bool>("shop");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("products");
        QTest::newRow("mi") << false << "mi"
                            << "Milk" << QStringList();
        QTest::newRow("DA") << false << "DA"
                            << "Dairy" << QStringList({"Cream", "Milk"});
        QTest::newRow("zz: the last") << false << "zz"
                                      << "Milk" << QStringList();
        QTest::newRow("emptied: none") << false << "da\b\b"
                                       << "" << QStringList();
        QTest::newRow("shop co") << true << "co"
                                 << "Corner" << QStringList();
        QTest::newRow("shop zz") << true << "zz"
                                 << "Market" << QStringList();
    }
    void incrementalSelection() {
        QFETCH(bool, shop);
        QFETCH(QString, keys);
        QFETCH(QString, selected);
        QFETCH(QStringList, products);
        open();
        QLineEdit *box = shop ? form->ShopEdit : form->CatEdit;
        QTest::keyClicks(box, keys);
        QCOMPARE(Selected(shop ? form->ShopListBox : form->CatListBox), selected);
        QCOMPARE(box->text(), keys.remove('\b').left(keys.size() - 2 * int(selected.isEmpty())));
        QCOMPARE(Entries(form->ProdListBox), products);
    }

    // Every bad size or price stops Add and Update alike with its message, the focus in the
    // box and its text selected; an empty price stores 0.
    void sizesAndPrices_data() {
        QTest::addColumn<bool>("update");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("message");
        QTest::addColumn<float>("storedPrice");
        for (bool update : {false, true}) {
            const char *how = update ? "Update" : "Add";
            const auto row = [&](const char *name, const char *size, const char *price,
                                 const char *message, float stored = 0) {
                QTest::addRow("%s: %s", how, name) << update << size << price << message << stored;
            };
            row("size 1.5", "1.5", "2", "Size entry invalid");
            row("empty size", "", "2", "Size entry invalid");
            row("size -1", "-1", "2", "Size entry invalid");
            row("size 0", "0", "2", "", 2);
            row("empty price", "3", "", "", 0);
            row("price -0.5", "3", "-0.5", "Price entry invalid");
            row("price 1e39", "3", "1e39", "Price entry invalid");
        }
    }
    void sizesAndPrices() {
        QFETCH(bool, update);
        QFETCH(QString, size);
        QFETCH(QString, price);
        QFETCH(QString, message);
        QFETCH(float, storedPrice);
        open();
        TShopItem *milk = Items[1];
        if (update)
            ClickEntry(form->ItemsListBox, QStringLiteral("Milk, Acme 2l $1.50 at Corner"));
        enter("Dairy", "Milk", "Corner", size, price);
        QTest::keyClick(form->PriceEdit, Qt::Key_Return);

        TShopItem *stored = update ? milk : Items[Items.Count() - 1];
        if (message.isEmpty()) {
            QVERIFY(responder().messages.isEmpty());
            QCOMPARE(Items.Count(), update ? 3 : 4);
            QCOMPARE(stored->Size, size.toFloat());
            QCOMPARE(stored->Price, storedPrice);
            QCOMPARE(stored->Brand, std::string("Own"));
            return;
        }
        QCOMPARE(responder().texts(), QStringList{message});
        QCOMPARE(responder().messages[0].caption, QStringLiteral("Error"));
        auto *box = message.startsWith("Size") ? form->SizeEdit : form->PriceEdit;
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->selectedText(), box->text());
        QCOMPARE(Items.Count(), 3);
        QCOMPARE(milk->Size, 2.0f);
        QCOMPARE(milk->Brand, std::string("Acme"));
    }

    // A typed name makes a new product type, even of a name in use; it is then selected
    // with its unit, so the next Add uses it.
    void newProductType() {
        open();
        ClickEntry(form->CatListBox, QStringLiteral("Dairy"));
        ClickEntry(form->ProdListBox, QStringLiteral("Milk"));
        QCOMPARE(form->UnitEdit->text(), QStringLiteral("l"));
        QTest::keyClicks(form->ProdEdit, QStringLiteral("Milk"));
        QCOMPARE(Selected(form->ProdListBox), QString());
        QCOMPARE(form->UnitEdit->text(), QString());
        QCOMPARE(buttons(), QStringLiteral("100 Add"));
        QTest::keyClicks(form->UnitEdit, QStringLiteral("pt"));
        ClickEntry(form->ShopListBox, QStringLiteral("Market"));
        Retype(form->SizeEdit, QStringLiteral("2"));
        SaveShot(form, "items-entry");

        for (const char *brand : {"Acme", "Best"}) {
            Retype(form->BrandEdit, brand);
            Retype(form->SizeEdit, QStringLiteral("2"));
            QTest::mouseClick(form->AddBtn, Qt::LeftButton);
            QCOMPARE(ProductTypes.Count(), 4);
            TShopProd *made = ProductTypes[3];
            QCOMPARE(made->Name + made->Units, std::string("Milkpt"));
            QCOMPARE(made->Category, Categories[0]);
            QCOMPARE(Items[Items.Count() - 1]->Product, made);
            QCOMPARE(Items[Items.Count() - 1]->Brand, std::string(brand));
            QCOMPARE(form->ProdListBox->Selected<TShopProd>(), made);
            QCOMPARE(form->ProdEdit->text() + form->UnitEdit->text() + form->UOMLabel->text(),
                     QStringLiteral("ptpt"));
            QCOMPARE(Focus(), QStringLiteral("BrandEdit"));
            QCOMPARE(form->SizeEdit->text(), QString());
        }
        QCOMPARE(Entries(form->ProdListBox), QStringList({"Cream", "Milk", "Milk"}));
        QCOMPARE(Items.Count(), 5);
    }

    // Add keeps a chosen product type's unit; Update gives it the unit in the box.
    void editedUnit_data() {
        QTest::addColumn<bool>("update");
        QTest::newRow("Add") << false;
        QTest::newRow("Update") << true;
    }
    void editedUnit() {
        QFETCH(bool, update);
        open();
        ClickEntry(form->ItemsListBox, QStringLiteral("Milk, Acme 2l $1.50 at Corner"));
        QCOMPARE(buttons(), QStringLiteral("111 Update"));
        QCOMPARE(form->CatEdit->text() + form->ShopEdit->text(), QStringLiteral("DairyCorner"));
        QCOMPARE(Selected(form->ProdListBox), QStringLiteral("Milk"));
        QCOMPARE(form->SizeEdit->text() + " " + form->PriceEdit->text(), QStringLiteral("2 1.50"));
        Retype(form->UnitEdit, QStringLiteral("ml"));
        QCOMPARE(form->UOMLabel->text(), QStringLiteral("ml"));
        QTest::mouseClick(update ? form->UpdateBtn : form->AddBtn, Qt::LeftButton);

        QVERIFY(responder().messages.isEmpty());
        QCOMPARE(ProductTypes.Count(), 3);
        QCOMPARE(ProductTypes[1]->Units, std::string(update ? "ml" : "l"));
        QCOMPARE(Items.Count(), update ? 3 : 4);
        // The changed entry stays where it stands and selected; an added one takes its place.
        QCOMPARE(Entries(form->ItemsListBox),
                 update ? QStringList({"Bread, Baker 1loaf $2.50 at Market",
                                       "Cream, Zed 300ml $0.99 at Corner",
                                       "Milk, Acme 2ml $1.50 at Corner"})
                        : QStringList({"Bread, Baker 1loaf $2.50 at Market",
                                       "Cream, Zed 300ml $0.99 at Corner",
                                       "Milk, Acme 2l $1.50 at Corner",
                                       "Milk, Acme 2l $1.50 at Corner"}));
        QCOMPARE(form->ItemsListBox->SelectedRow(), 2);
    }

    // Right click, a category chosen, Delete: the state table's rows in turn.
    void buttonStates() {
        open();
        ClickEntry(form->ItemsListBox, QStringLiteral("Milk, Acme 2l $1.50 at Corner"));
        ClickRow(form->ItemsListBox, 0, Qt::RightButton);
        QCOMPARE(form->ItemsListBox->SelectedRow(), -1);
        QCOMPARE(buttons(), QStringLiteral("100 Add"));
        QCOMPARE(Focus(), QStringLiteral("BrandEdit"));
        QCOMPARE(form->BrandEdit->text() + form->SizeEdit->text() + form->PriceEdit->text(),
                 QString());
        QCOMPARE(form->CatEdit->text() + form->UnitEdit->text() + form->ShopEdit->text(),
                 QStringLiteral("DairylCorner"));

        ClickEntry(form->ItemsListBox, QStringLiteral("Cream, Zed 300ml $0.99 at Corner"));
        ClickEntry(form->CatListBox, QStringLiteral("Bakery"));
        QCOMPARE(buttons(), QStringLiteral("011 Update"));
        AltKey(form, Qt::Key_D);
        QCOMPARE(buttons(), QStringLiteral("000 Add"));
        QCOMPARE(Focus(), QStringLiteral("BrandEdit"));
        QCOMPARE(Items.Count(), 2);
        QCOMPARE(form->ItemsListBox->count(), 2);
        QCOMPARE(Names(ProductTypes), QStringList({"Bread", "Milk", "Cream"}));
    }

    // An item whose product type or shop is gone fills empty boxes; storing it then asks
    // for what is missing, before anything changes.
    void missingProductOrShop_data() {
        QTest::addColumn<bool>("noShop");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no product type") << false << "||||Corner"
                                         << "Must select a category"
                                         << "CatEdit";
        QTest::newRow("no shop") << true << "Dairy||l|l|"
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
        open();
        ClickRow(form->ItemsListBox, form->ItemsListBox->RowOf(item));
        QCOMPARE(QStringList({form->CatEdit->text(), form->ProdEdit->text(), form->UnitEdit->text(),
                              form->UOMLabel->text(), form->ShopEdit->text()})
                     .join('|'),
                 boxes);
        QCOMPARE(Selected(form->ShopListBox), noShop ? QString() : QStringLiteral("Corner"));
        QCOMPARE(Selected(form->ProdListBox), noShop ? QStringLiteral("Milk") : QString());
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
        if (items) {
            while (Items.Count() < MaxRecords)
                Items.Add(std::make_unique<TShopItem>(ProductTypes[0], "B", 1, 1, Shops[0]));
        } else {
            while (ProductTypes.Count() < MaxRecords)
                ProductTypes.Add(std::make_unique<TShopProd>("P", "g", Categories[2]));
        }
        open();
        enter("Dairy", "Milk", "Corner", "1", "1");
        if (!items)
            QTest::keyClicks(form->ProdEdit, QStringLiteral("Yoghurt"));
        QTest::mouseClick(form->AddBtn, Qt::LeftButton);
        QCOMPARE(responder().texts(),
                 QStringList{items ? "The catalogue cannot hold more than 32767 items."
                                   : "The catalogue cannot hold more than 32767 product types."});
        QCOMPARE(Items.Count(), items ? MaxRecords : 3);
        QCOMPARE(ProductTypes.Count(), items ? 3 : MaxRecords);
        QCOMPARE(form->ItemsListBox->count(), Items.Count());
    }

    // The sort buttons reorder the list and let go of the item; the order comes back when
    // the window is opened again and after a restart, from the settings file.
    void sortOrder_data() {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<int>("value");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("Product") << "SortProdRadio" << 0
                                 << QStringList({"Bread, Baker 1loaf $2.50 at Market",
                                                 "Cream, Zed 300ml $0.99 at Corner",
                                                 "Milk, Acme 2l $1.50 at Corner"});
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
        MainForm->show(); // loads the (missing) file and the settings
        BuildCatalogue();
        Item_Sort = 1 - value % 2; // another order than the one chosen
        const auto button = [this, radio] { return form->findChild<QRadioButton *>(radio); };
        QVERIFY(RunModal(
            form, [] { QTest::mouseClick(MainForm->ItemBtn, Qt::LeftButton); },
            [&] {
                ClickRow(form->ItemsListBox, 1);
                QTest::mouseClick(button(), Qt::LeftButton);
                QCOMPARE(Item_Sort, value);
                QCOMPARE(Entries(form->ItemsListBox), entries);
                QCOMPARE(form->ItemsListBox->SelectedRow(), -1);
                QCOMPARE(buttons(), QStringLiteral("100 Add"));
                ClickRow(form->ItemsListBox, 1);
                SaveShot(form, "items-sorted-" + radio);
                QTest::mouseClick(form->CloseBtn, Qt::LeftButton);
            }));
        const auto reopened = [&] {
            QVERIFY(button()->isChecked());
            QCOMPARE(Entries(form->ItemsListBox), entries);
        };
        QVERIFY(RunModal(
            form, [] { MainForm->Items1->trigger(); }, reopened));
        MainForm->close();

        // The next start reads the same folder.
        QTemporaryDir kept;
        for (const char *name : {"Shopping.ini", "Shopping.dat"})
            QVERIFY(QFile::copy(program->file(name), kept.filePath(name)));
        delete program;
        program = new TestProgram();
        form = ItemEditForm;
        for (const char *name : {"Shopping.ini", "Shopping.dat"})
            QVERIFY(QFile::copy(kept.filePath(name), program->file(name)));
        MainForm->show();
        QCOMPARE(Item_Sort, value);
        QVERIFY(RunModal(
            form, [] { MainForm->Items1->trigger(); }, reopened));
    }

    // A stored order without a button: no button on and empty texts until one is clicked.
    void unknownSortOrder() {
        Item_Sort = 5;
        open();
        QVERIFY(!form->SortProdRadio->isChecked() && !form->SortBrandRadio->isChecked() &&
                !form->SortShopRadio->isChecked());
        QCOMPARE(Entries(form->ItemsListBox), QStringList({"", "", ""}));
        QTest::mouseClick(form->SortBrandRadio, Qt::LeftButton);
        QCOMPARE(Entries(form->ItemsListBox).first(),
                 QStringLiteral("Acme Milk 2l $1.50 at Corner"));
    }

    // A whole entry from the keyboard alone, from the main window to the saved file.
    void keyboardOnlyEntry() {
        ClearCatalogue();
        BuildExampleCatalogue(); // Dairy and Corner are kept, the product type and item go
        Items.Clear();
        ProductTypes.Clear();
        RecordingUser user;
        QVERIFY(WriteDataFile(program->file("Shopping.dat").toStdString(), user));
        MainForm->show();
        QCOMPARE(Shops.Count(), 1);
        const auto type = [](const QString &keys) {
            for (const QString &part : keys.split('\t')) {
                QTest::keyClicks(QApplication::focusWidget(), part);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
        };
        QVERIFY(RunModal(
            form, [] { MainForm->Items1->trigger(); },
            [&] {
                type("da\tMilk\tl\tAcme\t2\t1.25\tco");
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                // The item chosen in its list and its price corrected, also by keyboard.
                AltKey(form, Qt::Key_I);
                QTest::keyClick(form->ItemsListBox, Qt::Key_Down);
                QCOMPARE(form->PriceEdit->text(), QStringLiteral("1.25"));
                AltKey(form, Qt::Key_E);
                QTest::keyClicks(form->PriceEdit, QStringLiteral("1.5"));
                QTest::keyClick(form->PriceEdit, Qt::Key_Return);
                QVERIFY(responder().messages.isEmpty());
                QCOMPARE(Entries(form->ItemsListBox),
                         QStringList({"Milk, Acme 2l $1.50 at Corner"}));
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

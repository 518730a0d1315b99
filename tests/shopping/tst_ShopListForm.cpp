// The shopping list window driven as a user does, in both its modes: opened from the main
// window, the total of the whole list, quantities and prices typed row by row, refused
// entries, the two boxes, Clear, and what reaches the data file.

#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WidgetDriver.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "app/ProgramFiles.h"
#include "catalogue/DataFile.h"
#include "catalogue/ShopData.h"
#include "settings/Preferences.h"
#include "shopping/Analysis.h"
#include "shopping/ShopLstU.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {

// Dairy and Produce; Milk (l, Dairy), Apples (kg, Produce), Cheese (g, Dairy); Corner and
// Market. On the list: Acme milk x3 at 1.50, Zed cheese x1 at 3.00, Cow milk x2 at 0.90
// (Market): 9.30 in 3 items. Corner by category: Zed, Acme, Orchard; by product: Orchard,
// Zed, Acme.
void BuildTrip(bool oneShop = false) {
    ClearCatalogue();
    auto *dairy = Categories.Add(std::make_unique<TShopCat>("Dairy"));
    auto *produce = Categories.Add(std::make_unique<TShopCat>("Produce"));
    auto *milk = ProductTypes.Add(std::make_unique<TShopProd>("Milk", "l", dairy));
    auto *apples = ProductTypes.Add(std::make_unique<TShopProd>("Apples", "kg", produce));
    auto *cheese = ProductTypes.Add(std::make_unique<TShopProd>("Cheese", "g", dairy));
    auto *corner = Shops.Add(std::make_unique<TShopShop>("Corner"));
    auto *market = oneShop ? corner : Shops.Add(std::make_unique<TShopShop>("Market"));
    auto add = [](TShopProd *p, const char *brand, float size, float price, TShopShop *s,
                  int16_t quantity) {
        Items.Add(std::make_unique<TShopItem>(p, brand, size, price, s))->Quantity = quantity;
    };
    add(milk, "Acme", 2, 1.5f, corner, 3);
    add(apples, "Orchard", 1, 2.0f, corner, 0);
    add(cheese, "Zed", 250, 3.0f, corner, 1);
    add(milk, "Cow", 1, 0.9f, market, 2);
}

TShopItem *ItemOf(const char *brand) {
    for (const auto &item : Items)
        if (item->Brand == brand)
            return item.get();
    return nullptr;
}

QStringList Rows(const ui::RecordView<TShopItem> *list) {
    QStringList brands;
    for (int row = 0; row < list->Count(); ++row)
        brands << QString::fromStdString(list->At(row)->Brand);
    return brands;
}

bool ClickItemRow(ui::RecordView<TShopItem> *list, int row) {
    if (row < 0 || row >= list->Count())
        return false;
    const QRect r = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    return true;
}

// Types into the entry and presses Enter, as a user does.
void Enter(TShopListForm *form, const QString &text) {
    Retype(form->QtyEdit, text);
    QTest::keyClick(form->QtyEdit, Qt::Key_Return);
}

} // namespace

class TestShopListForm : public QObject {
    Q_OBJECT
private:
    TestProgram *program = nullptr;
    TShopListForm *form = nullptr;

    // The catalogue in the program's file, loaded by the main window's first showing.
    bool StartProgram(bool oneShop = false) {
        BuildTrip(oneShop);
        RecordingUser user;
        if (!WriteDataFile(DataFileName.toStdString(), user))
            return false;
        return ShowActive(MainForm) && Items.Count() == 4;
    }
    // Runs `act` in the window opened modally on the catalogue in memory.
    bool Open(bool priceMode, const std::function<void()> &act) {
        form->PriceMode = priceMode;
        return RunModal(
            form, [this] { form->exec(); }, act);
    }

private Q_SLOTS:
    void initTestCase() { SetUpWindowTests(); }
    void init() {
        program = new TestProgram();
        form = ShopListForm;
    }
    void cleanup() {
        QVERIFY2(program->responder.unexpected.isEmpty(),
                 qPrintable(program->responder.unexpected.join('|')));
        delete program;
        program = nullptr;
        form = nullptr;
    }

    // Each mode from its command and its button: texts by mode, the total of the whole list
    // with no shop selected and with one, the only shop preselected, help by mode.
    void modes_data() {
        QTest::addColumn<bool>("priceMode");
        QTest::addColumn<bool>("button");
        QTest::addColumn<bool>("oneShop");
        QTest::addColumn<QStringList>("rows"); // of Corner
        QTest::newRow("list, command, two shops")
            << false << false << false << QStringList{"Zed", "Acme", "Orchard"};
        QTest::newRow("list, button, one shop")
            << false << true << true << QStringList{"Zed", "Acme", "Cow", "Orchard"};
        QTest::newRow("prices, command, one shop")
            << true << false << true << QStringList{"Zed", "Acme", "Cow"};
        QTest::newRow("prices, button, two shops")
            << true << true << false << QStringList{"Zed", "Acme"};
    }
    void modes() {
        QFETCH(bool, priceMode);
        QFETCH(bool, button);
        QFETCH(bool, oneShop);
        QFETCH(QStringList, rows);
        QVERIFY(StartProgram(oneShop));
        TestResponder &responder = program->responder;
        const QString shot = QStringLiteral("shoplist-%1-%2")
                                 .arg(priceMode ? "prices" : "list", oneShop ? "one" : "two");
        bool acted = false;
        auto act = [&] {
            QCOMPARE(form->windowTitle(), priceMode ? "Update prices" : "Shopping list");
            QCOMPARE(form->ShopsLabel->text(),
                     priceMode || oneShop ? "&Select shop" : "&Select shop(s)");
            QCOMPARE(form->Label1->text(), priceMode ? "&Price ($)" : "&Quantity required");
            QCOMPARE(form->OkBtn->toolTip(), priceMode ? "Change price" : "Change quantity");
            for (QWidget *w : std::initializer_list<QWidget *>{form->ClearBtn, form->AnalyseBtn,
                                                               form->TotalLabel, form->ItemsLabel})
                QCOMPARE(w->isVisible(), !priceMode);
            QCOMPARE(form->ListOnlyCB->isVisible(), priceMode);
            QCOMPARE(form->ShopListBox->selectionMode(),
                     priceMode ? QAbstractItemView::SingleSelection
                               : QAbstractItemView::ExtendedSelection);
            QVERIFY(!form->OkBtn->isEnabled());
            QCOMPARE(form->QtyEdit->text(), QString());
            // Several shops: nothing selected, nothing listed, the whole list's total.
            QCOMPARE(form->TotalLabel->text(), "Total cost $9.30");
            QCOMPARE(form->ItemsLabel->text(), "3 items");
            if (oneShop) {
                QCOMPARE(form->ShopListBox->SelectedRecords(), std::vector{Shops[0]});
            } else {
                QVERIFY(!form->ShopListBox->HasSelection());
                QCOMPARE(form->ItemsListBox->Count(), 0);
                QVERIFY(ClickEntry(form->ShopListBox, "Corner"));
            }
            // Corner's items (on the list only, in price update mode); the total is still
            // that of every shop.
            QCOMPARE(Rows(form->ItemsListBox), rows);
            QCOMPARE(form->TotalLabel->text(), "Total cost $9.30");
            if (!priceMode && !oneShop) {
                // Ctrl adds a shop to the selection.
                QTest::mouseClick(
                    form->ShopListBox->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    form->ShopListBox->visualItemRect(form->ShopListBox->item(1)).center());
                QCOMPARE(Rows(form->ItemsListBox), QStringList({"Zed", "Acme", "Cow", "Orchard"}));
            }
            QVERIFY(ClickItemRow(form->ItemsListBox, 1));
            QVERIFY(form->OkBtn->isEnabled());
            QCOMPARE(form->QtyEdit->text(), priceMode ? "1.50" : "3");
            QCOMPARE(form->QtyEdit->selectedText(), form->QtyEdit->text());
            QCOMPARE(QApplication::focusWidget(), form->QtyEdit);
            QCOMPARE(form->UOMLabel->text(), "2l");
            QVERIFY(SaveShot(form, shot));
            QTest::mouseClick(form->HelpBtn, Qt::LeftButton);
            acted = true;
        };
        if (button)
            QVERIFY(RunModal(
                form,
                [&] {
                    QTest::mouseClick(priceMode ? MainForm->PricesBtn : MainForm->ShopListBtn,
                                      Qt::LeftButton);
                },
                act));
        else
            QVERIFY(RunModal(
                form, [&] { (priceMode ? MainForm->Prices1 : MainForm->Shoppinglist1)->trigger(); },
                act));
        QVERIFY(acted);
        QCOMPARE(responder.helpCalls.size(), 1);
        QCOMPARE(responder.helpCalls[0].context, priceMode ? 12u : 11u);
    }

    // A whole shopping list typed with the keyboard alone, then the prices of what was
    // bought; closing the program writes both to the data file.
    void keyboardSessionReachesFile() {
        QVERIFY(StartProgram());
        QVERIFY(RunModal(
            form, [] { MainForm->Shoppinglist1->trigger(); },
            [this] {
                QCOMPARE(QApplication::focusWidget(), form->ShopListBox);
                QTest::keyClick(form->ShopListBox, Qt::Key_Home); // Corner
                QTest::keyClick(form->ShopListBox, Qt::Key_Tab);
                QTest::keyClick(form->ItemsListBox, Qt::Key_Home); // Zed, quantity 1
                QCOMPARE(form->QtyEdit->selectedText(), "1");
                QTest::keyClicks(form->QtyEdit, "4");
                QTest::keyClick(form->QtyEdit, Qt::Key_Return);
                QCOMPARE(form->QtyEdit->selectedText(), "3"); // Acme
                QTest::keyClick(form->QtyEdit, Qt::Key_Delete);
                QTest::keyClick(form->QtyEdit, Qt::Key_Return); // empty: 0
                QTest::keyClicks(form->QtyEdit, "2");           // Orchard, the last row
                QTest::keyClick(form->QtyEdit, Qt::Key_Return);
                // Round to the first row, its new value ready to be typed over.
                QCOMPARE(form->ItemsListBox->SelectedRow(), 0);
                QCOMPARE(form->QtyEdit->selectedText(), "4");
                QCOMPARE(form->TotalLabel->text(), "Total cost $17.80");
                QCOMPARE(form->ItemsLabel->text(), "3 items");
                QVERIFY(SaveShot(form, "shoplist-typed"));
                QTest::keyClick(form->QtyEdit, Qt::Key_Escape);
            }));
        QVERIFY(!form->isVisible());
        QVERIFY(RunModal(
            form, [] { MainForm->Prices1->trigger(); },
            [this] {
                QTest::keyClick(form->ShopListBox, Qt::Key_Home);
                QTest::keyClick(form->ShopListBox, Qt::Key_Tab);
                QTest::keyClick(form->ItemsListBox, Qt::Key_Home);
                QCOMPARE(Rows(form->ItemsListBox), QStringList({"Zed", "Orchard"}));
                QTest::keyClicks(form->QtyEdit, "3.25");
                QTest::keyClick(form->QtyEdit, Qt::Key_Return);
                QTest::keyClicks(form->QtyEdit, "1.99");
                QTest::keyClick(form->QtyEdit, Qt::Key_Return);
                QCOMPARE(form->QtyEdit->selectedText(), "3.25");
                QVERIFY(SaveShot(form, "prices-typed"));
                QTest::keyClick(form->QtyEdit, Qt::Key_Escape);
            }));
        MainForm->close();

        ClearCatalogue();
        RecordingUser user;
        QCOMPARE(LoadDataFile(DataFileName.toStdString(), user), LoadOutcome::GoOn);
        QVERIFY(user.errors.isEmpty() && user.questions.isEmpty());
        const struct {
            const char *brand;
            int quantity;
            float price;
        } expected[] = {
            {"Acme", 0, 1.5f}, {"Orchard", 2, 1.99f}, {"Zed", 4, 3.25f}, {"Cow", 2, 0.9f}};
        for (const auto &e : expected) {
            const TShopItem *item = ItemOf(e.brand);
            QVERIFY(item);
            QCOMPARE(item->Quantity, e.quantity);
            QCOMPARE(item->Price, e.price);
        }
    }

    // After each entry the labels show what a rebuild of the list shows: a negative
    // quantity counts for nothing.
    void quantityEntry_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("count");
        QTest::newRow("more") << "5" << 5 << "Total cost $12.30"
                              << "3 items";
        QTest::newRow("empty stores 0") << "" << 0 << "Total cost $4.80"
                                        << "2 items";
        QTest::newRow("negative") << "-2" << -2 << "Total cost $4.80"
                                  << "2 items";
    }
    void quantityEntry() {
        QFETCH(QString, typed);
        QFETCH(int, quantity);
        QFETCH(QString, total);
        QFETCH(QString, count);
        BuildTrip();
        QVERIFY(Open(false, [&] {
            QVERIFY(ClickEntry(form->ShopListBox, "Corner"));
            QVERIFY(ClickItemRow(form->ItemsListBox, 1)); // Acme, 3
            Enter(form, typed);
            QCOMPARE(ItemOf("Acme")->Quantity, quantity);
            QCOMPARE(form->ItemsListBox->SelectedRow(), 2); // moved on, list kept
            QCOMPARE(Rows(form->ItemsListBox), QStringList({"Zed", "Acme", "Orchard"}));
            QCOMPARE(form->TotalLabel->text(), total);
            QCOMPARE(form->ItemsLabel->text(), count);
            QTest::mouseClick(form->ShopListBox->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              form->ShopListBox->visualItemRect(form->ShopListBox->item(1))
                                  .center()); // a rebuild
            QCOMPARE(form->ItemsListBox->Count(), 4);
            QCOMPARE(form->TotalLabel->text(), total);
            QCOMPARE(form->ItemsLabel->text(), count);
        }));
    }

    // Refused: the message, the text selected in the focused entry, nothing changed.
    void refusedEntry_data() {
        QTest::addColumn<bool>("priceMode");
        QTest::addColumn<QString>("typed");
        QTest::newRow("quantity too large") << false << "40000";
        QTest::newRow("quantity with a fraction") << false << "1.5";
        QTest::newRow("negative price") << true << "-1";
        QTest::newRow("price beyond a float") << true << "1e39";
        QTest::newRow("price not a number") << true << "abc";
    }
    void refusedEntry() {
        QFETCH(bool, priceMode);
        QFETCH(QString, typed);
        BuildTrip();
        TestResponder &responder = program->responder;
        QVERIFY(Open(priceMode, [&] {
            QVERIFY(ClickEntry(form->ShopListBox, "Corner"));
            QVERIFY(ClickItemRow(form->ItemsListBox, 1)); // Acme: 3 at 1.50
            Enter(form, typed);
            QCOMPARE(responder.messages.size(), 1);
            QCOMPARE(responder.messages[0].kind, ui::MsgKind::Error);
            QCOMPARE(responder.messages[0].caption, "Error");
            QCOMPARE(responder.messages[0].text,
                     priceMode ? "Price entry invalid" : "Quantity entry invalid");
            QCOMPARE(QApplication::focusWidget(), form->QtyEdit);
            QCOMPARE(form->QtyEdit->selectedText(), typed);
            QCOMPARE(form->ItemsListBox->SelectedRow(), 1);
            QCOMPARE(ItemOf("Acme")->Quantity, 3);
            QCOMPARE(ItemOf("Acme")->Price, 1.5f);
        }));
    }

    // Each box rebuilds the list and writes its preference at once.
    void checkBoxes_data() {
        QTest::addColumn<bool>("priceMode");
        QTest::addColumn<bool>("catSortBefore");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("sort by category off")
            << false << true << "CatSortCB" << QStringList{"Zed", "Acme", "Orchard"}
            << QStringList{"Orchard", "Zed", "Acme"};
        QTest::newRow("sort by category on, from the preference")
            << false << false << "CatSortCB" << QStringList{"Orchard", "Zed", "Acme"}
            << QStringList{"Zed", "Acme", "Orchard"};
        QTest::newRow("shopping list only off")
            << true << true << "ListOnlyCB" << QStringList{"Zed", "Acme"}
            << QStringList{"Zed", "Acme", "Orchard"};
    }
    void checkBoxes() {
        QFETCH(bool, priceMode);
        QFETCH(bool, catSortBefore);
        QFETCH(QString, box);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        BuildTrip();
        SL_CatSort = catSortBefore;
        QVERIFY(Open(priceMode, [&] {
            auto *check = form->findChild<QCheckBox *>(box);
            QVERIFY(ClickEntry(form->ShopListBox, "Corner"));
            QCOMPARE(Rows(form->ItemsListBox), before);
            const bool was = check->isChecked();
            QTest::mouseClick(check, Qt::LeftButton);
            QCOMPARE(Rows(form->ItemsListBox), after);
            QCOMPARE(box == "CatSortCB" ? SL_CatSort : List_Only, !was);
        }));
    }

    void clear_data() {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("answerYes");
        QTest::newRow("asked, Yes") << true << true;
        QTest::newRow("asked, No changes nothing") << true << false;
        QTest::newRow("not asked") << false << false;
    }
    void clear() {
        QFETCH(bool, ask);
        QFETCH(bool, answerYes);
        BuildTrip();
        ClearQtys = ask;
        TestResponder &responder = program->responder;
        if (ask)
            responder.answers.push_back(answerYes ? ui::MsgResult::Yes : ui::MsgResult::No);
        const bool cleared = !ask || answerYes;
        QVERIFY(Open(false, [&] {
            QVERIFY(ClickEntry(form->ShopListBox, "Corner"));
            QVERIFY(ClickItemRow(form->ItemsListBox, 0));
            QVERIFY(AltKey(form, Qt::Key_R));
            QCOMPARE(responder.texts(),
                     ask ? QStringList{"Are you sure you want to set quantities in every shop to "
                                       "zero?"}
                         : QStringList{});
            QCOMPARE(ItemOf("Cow")->Quantity, cleared ? 0 : 2); // another shop's too
            QCOMPARE(ItemOf("Acme")->Quantity, cleared ? 0 : 3);
            QCOMPARE(form->ItemsLabel->text(), cleared ? "0 items" : "3 items");
            if (!cleared)
                return;
            QVERIFY(!form->OkBtn->isEnabled()); // rebuilt
            QVERIFY(ClickItemRow(form->ItemsListBox, 2));
            Enter(form, "1");
            QCOMPARE(form->TotalLabel->text(), "Total cost $2.00");
            QCOMPARE(form->ItemsLabel->text(), "1 items");
        }));
    }

    // Analyse starts the analysis from the first item, and the list shows its outcome: Cow
    // milk (0.90 a litre) replaced by a pack of Acme (0.75).
    void analyseRefreshesList() {
        BuildTrip();
        bool analysed = false;
        QVERIFY(Open(false, [&] {
            QVERIFY(ClickEntry(form->ShopListBox, "Corner"));
            QVERIFY(ClickItemRow(form->ItemsListBox, 1));
            QVERIFY(RunModal(
                AnalForm, [this] { QTest::mouseClick(form->AnalyseBtn, Qt::LeftButton); },
                [&] {
                    QCOMPARE(AnalForm->CurItem, 3); // Zed and Acme have no cheaper choice
                    QCOMPARE(AnalForm->Status->text(), "Alternative found");
                    QTest::mouseClick(AnalForm->YesBtn, Qt::LeftButton);
                    analysed = true;
                }));
            QCOMPARE(ItemOf("Acme")->Quantity, 4);
            QCOMPARE(ItemOf("Cow")->Quantity, 0);
            QCOMPARE(form->TotalLabel->text(), "Total cost $9.00");
            QCOMPARE(form->ItemsLabel->text(), "2 items");
            QVERIFY(!form->OkBtn->isEnabled()); // the list was rebuilt
            QCOMPARE(form->ItemsListBox->SelectedRow(), -1);
        }));
        QVERIFY(analysed);
    }
};

QTEST_MAIN(TestShopListForm)
#include "tst_ShopListForm.moc"

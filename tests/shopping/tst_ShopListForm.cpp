// The shopping list window driven as a user does, in both its modes.

#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WidgetDriver.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "app/ProgramFiles.h"
#include "catalogue/DataFile.h"
#include "settings/Preferences.h"
#include "shopping/Analysis.h"
#include "shopping/ShopLstU.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>
#include <map>
#include <utility>

namespace {

// On the list: Acme milk 2l x3 at 1.50, Zed cheese x1 at 3.00, Cow milk 1l x2 at 0.90 at
// Market (or Corner): 9.30 in 3 items. Corner by category: Zed, Acme, Orchard; by product:
// Orchard, Zed, Acme.
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

TShopItem *ItemOf(const std::string &brand) {
    for (const auto &item : Items)
        if (item->Brand == brand)
            return item.get();
    return nullptr;
}

QStringList Rows(const ui::ListBox<TShopItem> *list) {
    QStringList brands;
    for (int row = 0; row < list->Count(); ++row)
        brands << QString::fromStdString(list->At(row)->Brand);
    return brands;
}

void ClickItemRow(ui::ListBox<TShopItem> *list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(row, 0)).center());
}

void CtrlClickShop(ui::ListBox<TShopShop> *list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualRect(list->model()->index(row, 0)).center());
}

void Enter(TShopListForm *form, const QString &text) {
    Retype(form->QtyEdit, text);
    QTest::keyClick(form->QtyEdit, Qt::Key_Return);
}

// Where the names of the rows in sight start, all at one x or -1; every row's value ends
// before its name starts, or a reason why not.
std::pair<qreal, QString> NamesAfterValues(ui::ListBox<TShopItem> *list) {
    std::map<qreal, QList<DrawnText>> rows;
    for (const DrawnText &drawn : DrawnTexts(list->viewport()))
        if (!drawn.text.isEmpty())
            rows[drawn.rect.top()].push_back(drawn);
    qreal names = -1;
    for (auto &[top, texts] : rows) {
        std::sort(texts.begin(), texts.end(), [](const DrawnText &a, const DrawnText &b) {
            return a.rect.left() < b.rect.left();
        });
        const DrawnText &name = texts.last();
        if (texts.size() == 2 && texts[0].rect.right() >= name.rect.left())
            return {-1, texts[0].text + " runs into " + name.text};
        if (names >= 0 && name.rect.left() != names)
            return {-1, name.text + " starts apart"};
        names = name.rect.left();
    }
    return {names, {}};
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
        return WriteDataFile(DataFileName.toStdString(), user) && ShowActive(MainForm) &&
               Items.Count() == 4;
    }
    // Runs `act` in the window, opened modally on the catalogue in memory, on Corner.
    bool OnCorner(bool priceMode, const std::function<void()> &act) {
        form->PriceMode = priceMode;
        return RunModal(
            form, [this] { form->exec(); },
            [&] {
                if (ClickEntry(form->ShopListBox, "Corner"))
                    act();
            });
    }

private Q_SLOTS:
    void initTestCase() { SetUpWindowTests(); }
    void init() {
        program = new TestProgram();
        form = ShopListForm;
    }
    void cleanup() {
        delete program;
        form = nullptr;
    }

    // Each mode from its command or its button: texts by mode, the whole list's total with
    // no shop selected and with one, the only shop preselected, help by mode.
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
        auto open = [&] {
            if (button)
                QTest::mouseClick(priceMode ? MainForm->PricesBtn : MainForm->ShopListBtn,
                                  Qt::LeftButton);
            else
                (priceMode ? MainForm->Prices1 : MainForm->Shoppinglist1)->trigger();
        };
        QVERIFY(RunModal(form, open, [&] {
            QCOMPARE(form->windowTitle(), priceMode ? "Update prices" : "Shopping list");
            QCOMPARE(form->ShopsLabel->text(),
                     priceMode || oneShop ? "&Select shop" : "&Select shop(s)");
            QCOMPARE(form->Label1->text(), priceMode ? "&Price ($)" : "&Quantity required");
            QCOMPARE(form->OkBtn->toolTip(), priceMode ? "Change price" : "Change quantity");
            QCOMPARE(form->ClearBtn->isVisible(), !priceMode);
            QCOMPARE(form->AnalyseBtn->isVisible(), !priceMode);
            QCOMPARE(form->TotalLabel->isVisible(), !priceMode);
            QCOMPARE(form->ListOnlyCB->isVisible(), priceMode);
            QVERIFY(!form->OkBtn->isEnabled());
            QCOMPARE(form->TotalLabel->text(), "Total cost $9.30");
            QCOMPARE(form->ItemsLabel->text(), "3 items");
            if (!oneShop) {
                QCOMPARE(form->ItemsListBox->Count(), 0);
                QVERIFY(ClickEntry(form->ShopListBox, "Corner"));
            }
            QCOMPARE(form->ShopListBox->SelectedRecords(), std::vector{Shops[0]});
            QCOMPARE(Rows(form->ItemsListBox), rows);
            QCOMPARE(form->TotalLabel->text(), "Total cost $9.30"); // every shop's
            ClickItemRow(form->ItemsListBox, 1);
            QCOMPARE(form->QtyEdit->text(), priceMode ? "1.50" : "3");
            QCOMPARE(form->QtyEdit->selectedText(), form->QtyEdit->text());
            QCOMPARE(QApplication::focusWidget(), form->QtyEdit);
            QCOMPARE(form->UOMLabel->text(), "2l");
            QVERIFY(SaveShot(form, QStringLiteral("shoplist-%1-%2")
                                       .arg(priceMode ? "prices" : "list", oneShop ? "1" : "2")));
            if (!oneShop) { // Ctrl adds Market, or takes its place in price update mode
                CtrlClickShop(form->ShopListBox, 1);
                QCOMPARE(form->ItemsListBox->Count(), priceMode ? 1 : 4);
            }
            QTest::mouseClick(form->HelpBtn, Qt::LeftButton);
        }));
        QCOMPARE(program->responder.helpCalls.size(), 1);
        QCOMPARE(program->responder.helpCalls[0].context, priceMode ? 12u : 11u);
    }

    // A whole shopping list typed with the keyboard alone, then the prices of what was
    // bought; closing the program writes both to the data file.
    void keyboardSessionReachesFile() {
        QVERIFY(StartProgram());
        auto startTyping = [this] {
            QTest::keyClick(form->ShopListBox, Qt::Key_Home); // Corner
            QTest::keyClick(form->ShopListBox, Qt::Key_Tab);
            QTest::keyClick(form->ItemsListBox, Qt::Key_Home);
        };
        QVERIFY(RunModal(
            form, [] { MainForm->Shoppinglist1->trigger(); },
            [&] {
                startTyping();
                QCOMPARE(form->QtyEdit->selectedText(), "1"); // Zed
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
                QVERIFY(SaveShot(form, "shoplist-typed"));
                QTest::keyClick(form->QtyEdit, Qt::Key_Escape);
            }));
        QVERIFY(RunModal(
            form, [] { MainForm->Prices1->trigger(); },
            [&] {
                startTyping();
                QCOMPARE(Rows(form->ItemsListBox), QStringList({"Zed", "Orchard"}));
                QTest::keyClicks(form->QtyEdit, "3.25");
                QTest::keyClick(form->QtyEdit, Qt::Key_Return);
                QTest::keyClicks(form->QtyEdit, "1.99");
                QTest::keyClick(form->QtyEdit, Qt::Key_Return);
                QVERIFY(SaveShot(form, "prices-typed"));
            }));
        MainForm->close();

        ClearCatalogue();
        RecordingUser user;
        QCOMPARE(LoadDataFile(DataFileName.toStdString(), user), LoadOutcome::GoOn);
        QStringList saved;
        for (const auto &item : Items)
            saved << QStringLiteral("%1 %2 %3")
                         .arg(QString::fromStdString(item->Brand))
                         .arg(item->Quantity)
                         .arg(item->Price);
        QCOMPARE(saved, QStringList({"Acme 0 1.5", "Orchard 2 1.99", "Zed 4 3.25", "Cow 2 0.9"}));
    }

    // After an entry the labels show what a rebuild shows: a negative quantity counts for
    // nothing. The list keeps its rows and moves on.
    void quantityEntry_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("count");
        QTest::newRow("more") << "5"
                              << "Total cost $12.30"
                              << "3 items";
        QTest::newRow("negative") << "-2"
                                  << "Total cost $4.80"
                                  << "2 items";
    }
    void quantityEntry() {
        QFETCH(QString, typed);
        QFETCH(QString, total);
        QFETCH(QString, count);
        BuildTrip();
        QVERIFY(OnCorner(false, [&] {
            ClickItemRow(form->ItemsListBox, 1); // Acme, 3
            Enter(form, typed);
            QCOMPARE(ItemOf("Acme")->Quantity, typed.toInt());
            QCOMPARE(form->ItemsListBox->SelectedRow(), 2);
            QCOMPARE(form->TotalLabel->text(), total);
            QCOMPARE(form->ItemsLabel->text(), count);
            CtrlClickShop(form->ShopListBox, 1); // a rebuild
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
    }
    void refusedEntry() {
        QFETCH(bool, priceMode);
        QFETCH(QString, typed);
        BuildTrip();
        QVERIFY(OnCorner(priceMode, [&] {
            ClickItemRow(form->ItemsListBox, 1); // Acme: 3 at 1.50
            Enter(form, typed);
            QCOMPARE(program->responder.messages.size(), 1);
            QCOMPARE(program->responder.messages[0].kind, ui::MsgKind::Error);
            QCOMPARE(program->responder.messages[0].text,
                     priceMode ? "Price entry invalid" : "Quantity entry invalid");
            QCOMPARE(QApplication::focusWidget(), form->QtyEdit);
            QCOMPARE(form->QtyEdit->selectedText(), typed);
            QCOMPARE(form->ItemsListBox->SelectedRow(), 1);
            QCOMPARE(ItemOf("Acme")->Quantity, 3);
            QCOMPARE(ItemOf("Acme")->Price, 1.5f);
        }));
    }

    // Each box is read from its preference, rebuilds the list and writes it back at once.
    void checkBoxes_data() {
        QTest::addColumn<bool>("priceMode");
        QTest::addColumn<bool>("catSort");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("sort by category off")
            << false << true << "CatSortCB" << QStringList{"Zed", "Acme", "Orchard"}
            << QStringList{"Orchard", "Zed", "Acme"};
        QTest::newRow("sort by category on")
            << false << false << "CatSortCB" << QStringList{"Orchard", "Zed", "Acme"}
            << QStringList{"Zed", "Acme", "Orchard"};
        QTest::newRow("shopping list only off")
            << true << true << "ListOnlyCB" << QStringList{"Zed", "Acme"}
            << QStringList{"Zed", "Acme", "Orchard"};
    }
    void checkBoxes() {
        QFETCH(bool, priceMode);
        QFETCH(bool, catSort);
        QFETCH(QString, box);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        BuildTrip();
        SL_CatSort = catSort;
        QVERIFY(OnCorner(priceMode, [&] {
            QCOMPARE(Rows(form->ItemsListBox), before);
            QTest::mouseClick(form->findChild<QCheckBox *>(box), Qt::LeftButton);
            QCOMPARE(Rows(form->ItemsListBox), after);
        }));
        QCOMPARE(box == "CatSortCB" ? SL_CatSort : List_Only, box == "CatSortCB" && !catSort);
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
        if (ask)
            program->responder.answers.push_back(answerYes ? ui::MsgResult::Yes
                                                           : ui::MsgResult::No);
        const bool cleared = !ask || answerYes;
        QVERIFY(OnCorner(false, [&] {
            QVERIFY(AltKey(form, Qt::Key_R));
            QCOMPARE(program->responder.messages.size(), ask ? 1 : 0);
            QCOMPARE(ItemOf("Cow")->Quantity, cleared ? 0 : 2); // another shop's too
            QCOMPARE(form->ItemsLabel->text(), cleared ? "0 items" : "3 items");
            ClickItemRow(form->ItemsListBox, 2);
            Enter(form, "1");
            QCOMPARE(form->ItemsLabel->text(), cleared ? "1 items" : "4 items");
        }));
        if (ask)
            QCOMPARE(program->responder.messages[0].text,
                     "Are you sure you want to set quantities in every shop to zero?");
    }

    // Names start where the window was designed to start them while the values of the fill
    // fit; a wider value, typed or listed, moves them right of it. Rows that fit the list
    // show no horizontal scroll bar, also when a fill brings the vertical one.
    void valuesKeepToTheirColumn_data() {
        QTest::addColumn<bool>("priceMode");
        QTest::addColumn<QString>("wide");
        QTest::newRow("quantity") << false << "32767";
        QTest::newRow("price") << true << "12345.67";
    }
    void valuesKeepToTheirColumn() {
        QFETCH(bool, priceMode);
        QFETCH(QString, wide);
        BuildTrip();
        for (int i = 0; i < 30; ++i) // more than the list shows at once, all at Market
            Items.Add(std::make_unique<TShopItem>(ProductTypes[0], "Extra", 1, 1.0f, Shops[1]))
                ->Quantity = 1;
        QVERIFY(OnCorner(priceMode, [&] {
            auto *list = form->ItemsListBox;
            const int designed = list->fontMetrics().horizontalAdvance(
                priceMode ? QStringLiteral("000.00W") : QStringLiteral("000W"));
            QCOMPARE(NamesAfterValues(list), std::make_pair(qreal(designed), QString()));
            ClickItemRow(list, 1); // Acme
            Enter(form, wide);
            QCOMPARE(ItemOf("Acme")->Quantity, priceMode ? 3 : 32767);
            const auto typed = NamesAfterValues(list);
            QCOMPARE(typed.second, QString());
            QVERIFY(typed.first > designed);
            // Every shop; in price update mode Market alone, without the wide value.
            CtrlClickShop(form->ShopListBox, 1);
            QTRY_VERIFY(list->verticalScrollBar()->isVisible());
            QCoreApplication::processEvents();
            QVERIFY(!list->horizontalScrollBar()->isVisible());
            QCOMPARE(NamesAfterValues(list),
                     priceMode ? std::make_pair(qreal(designed), QString()) : typed);
            QVERIFY(SaveShot(form, priceMode ? "prices-wide" : "shoplist-wide"));
        }));
    }

    // Analyse runs the analysis from the first item, and the list shows its outcome: Cow
    // milk (0.90 a litre) replaced by a pack of Acme (0.75).
    void analyseRefreshesList() {
        BuildTrip();
        QVERIFY(OnCorner(false, [&] {
            ClickItemRow(form->ItemsListBox, 1);
            QVERIFY(RunModal(
                AnalForm, [this] { QTest::mouseClick(form->AnalyseBtn, Qt::LeftButton); },
                [] {
                    QCOMPARE(AnalForm->Status->text(), "Alternative found");
                    QTest::mouseClick(AnalForm->YesBtn, Qt::LeftButton);
                }));
            QCOMPARE(ItemOf("Acme")->Quantity, 4);
            QCOMPARE(form->TotalLabel->text(), "Total cost $9.00");
            QCOMPARE(form->ItemsLabel->text(), "2 items");
            QVERIFY(!form->OkBtn->isEnabled()); // rebuilt
        }));
    }
};

QTEST_MAIN(TestShopListForm)
#include "tst_ShopListForm.moc"

// The shop copy dialog driven as a user does: when OK can be pressed, what a copy holds,
// and the copies it refuses.

#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WidgetDriver.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "catalogue/Regional.h"
#include "catalogue/ShopData.h"
#include "editors/ShopCopy.h"
#include "ui/ListBox.h"
#include "ui/WindowFont.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

struct Source {
    TShopShop *shop;
    std::vector<TShopItem *> items;
};

// Two shops; "Zeta" (listed first) has two aisles, one outline line beyond 16 bits and
// four items interleaved with one item of "Alpha".
Source BuildShops() {
    TShopCat *dairy = Categories.Add(std::make_unique<TShopCat>("Dairy"));
    TShopCat *bread = Categories.Add(std::make_unique<TShopCat>("Bread"));
    TShopProd *milk = ProductTypes.Add(std::make_unique<TShopProd>("Milk", "l", dairy));
    TShopProd *loaf = ProductTypes.Add(std::make_unique<TShopProd>("Loaf", "g", bread));
    TShopShop *zeta = Shops.Add(std::make_unique<TShopShop>("Zeta"));
    TShopShop *alpha = Shops.Add(std::make_unique<TShopShop>("Alpha"));
    AddAisle(zeta->Aisle, R(0, 0, 40, 20), bread);
    AddAisle(zeta->Aisle, R(60, 0, 100, 80), dairy);
    zeta->Outline.Add(std::make_unique<TShopLine>(-70000, 5, 100000, 2147483647));
    Source s{zeta, {}};
    auto item = [&](TShopProd *p, const char *brand, float size, float price, TShopShop *at) {
        TShopItem *i = Items.Add(std::make_unique<TShopItem>(p, brand, size, price, at));
        i->Quantity = 3;
        if (at == zeta)
            s.items.push_back(i);
    };
    item(milk, "Acme", 1, 0.99f, zeta);
    item(loaf, "Baker", 800, 2.5f, alpha);
    item(loaf, "Baker", 400, 1.4f, zeta);
    item(milk, "", 2, 0, zeta);
    item(milk, "Moo", 0.5f, 0.6f, zeta);
    return s;
}

} // namespace

class TestShopCopy : public QObject {
    Q_OBJECT
private:
    TestProgram *program = nullptr;
    TCopyShop *form = nullptr;

    // Types `name`, picks `from` and presses Enter; true when that closed the dialog with OK.
    [[nodiscard]] bool copyAs(const QString &name, const QString &from) {
        if (!ShowActive(form))
            return false;
        QTest::keyClicks(form->ShopEdit, name);
        if (!ClickEntry(form->ShopListBox, from))
            return false;
        QTest::keyClick(form->ShopEdit, Qt::Key_Return);
        return !form->isVisible() && form->result() == QDialog::Accepted;
    }

private Q_SLOTS:
    void initTestCase() { SetUpWindowTests(); }
    void init() {
        program = new TestProgram();
        form = CopyShop;
    }
    void cleanup() {
        delete program;
        program = nullptr;
        form = nullptr;
    }

    void windowAsGiven() {
        BuildShops();
        QVERIFY(ShowActive(form));
        QCOMPARE(FocusOrder(form->ShopEdit),
                 QStringList({"ShopEdit", "ShopListBox", "OkBtn", "CancelBtn", "HelpBtn"}));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        // Catalogue order, not sorted.
        QCOMPARE(Entries(form->ShopListBox), QStringList({"Zeta", "Alpha"}));
        QVERIFY(form->OkBtn->isDefault());
        QTest::keyClicks(form->ShopEdit, QStringLiteral("Thirty-one characters shop name"));
        QCOMPARE(form->ShopEdit->text(), QStringLiteral("Thirty-one characters shop nam"));

        // The labels' shortcuts lead to their controls.
        QVERIFY(AltKey(form, Qt::Key_C));
        QCOMPARE(QApplication::focusWidget(), form->ShopListBox);
        QVERIFY(AltKey(form, Qt::Key_N));
        QCOMPARE(QApplication::focusWidget(), form->ShopEdit);

        TestResponder &responder = program->responder;
        QVERIFY(AltKey(form, Qt::Key_H));
        QCOMPARE(responder.helpCalls.size(), 1);
        QCOMPARE(responder.helpCalls[0].context, 5u);
        QVERIFY(SaveShot(form, "copy-shop"));
    }

    // OK only while a name is typed and a shop is chosen; Enter does nothing before.
    void okNeedsNameAndShop() {
        TestResponder &responder = program->responder;
        BuildShops();
        QVERIFY(ShowActive(form));
        QVERIFY(!form->OkBtn->isEnabled());
        QTest::keyClicks(form->ShopEdit, QStringLiteral("N"));
        QVERIFY(!form->OkBtn->isEnabled());
        QTest::keyClick(form->ShopEdit, Qt::Key_Return);
        QVERIFY(form->isVisible());
        QVERIFY(ClickEntry(form->ShopListBox, QStringLiteral("Alpha")));
        QVERIFY(form->OkBtn->isEnabled());
        QTest::keyClick(form->ShopEdit, Qt::Key_Backspace);
        QVERIFY(!form->OkBtn->isEnabled());
        QTest::keyClicks(form->ShopEdit, QStringLiteral("New"));
        QVERIFY(form->OkBtn->isEnabled());

        // Cancel (Escape) closes with nothing changed; the next showing starts afresh.
        QTest::keyClick(form->ShopEdit, Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        QCOMPARE(form->result(), int(QDialog::Rejected));
        QCOMPARE(Shops.Count(), 2);
        QVERIFY(ShowActive(form));
        QCOMPARE(form->ShopEdit->text(), QString());
        QVERIFY(!form->ShopListBox->HasSelection());
        QVERIFY(!form->OkBtn->isEnabled());
        QCOMPARE(responder.beeps, 0);
    }

    // A copy of "Zeta": its plan exactly (every coordinate of the outline kept) and its
    // four items with quantity 0, appended in order; the source stays as it was.
    void copyHoldsPlanAndItems() {
        TestResponder &responder = program->responder;
        const Source src = BuildShops();
        const int itemsBefore = Items.Count();
        QVERIFY(copyAs(QStringLiteral("Zeta copy"), QStringLiteral("Zeta")));
        QCOMPARE(responder.beeps, 0);

        QCOMPARE(Shops.Count(), 3);
        const TShopShop *copy = Shops[2];
        QCOMPARE(copy->Name, std::string("Zeta copy"));
        QCOMPARE(copy->Aisle.Count(), 2);
        for (int i = 0; i < 2; ++i) {
            QVERIFY(copy->Aisle[i] != src.shop->Aisle[i]);
            QCOMPARE(copy->Aisle[i]->Rect, src.shop->Aisle[i]->Rect);
            QCOMPARE(copy->Aisle[i]->Category, src.shop->Aisle[i]->Category);
        }
        QCOMPARE(copy->Outline.Count(), 1);
        const TShopLine *line = copy->Outline[0];
        QCOMPARE(line->X1, -70000);
        QCOMPARE(line->Y1, 5);
        QCOMPARE(line->X2, 100000);
        QCOMPARE(line->Y2, 2147483647);

        QCOMPARE(Items.Count(), itemsBefore + 4);
        for (int i = 0; i < 4; ++i) {
            const TShopItem *orig = src.items[static_cast<std::size_t>(i)];
            const TShopItem *made = Items[itemsBefore + i];
            QCOMPARE(made->Shop, copy);
            QCOMPARE(made->Product, orig->Product);
            QCOMPARE(made->Brand, orig->Brand);
            QCOMPARE(made->Size, orig->Size);
            QCOMPARE(made->Price, orig->Price);
            QCOMPARE(made->Quantity, int16_t(0));
            QCOMPARE(orig->Shop, src.shop);
            QCOMPARE(orig->Quantity, int16_t(3));
            QCOMPARE(Items[Items.IndexOf(orig)], orig);
        }
        QCOMPARE(src.shop->Aisle.Count(), 2);
        QCOMPARE(src.shop->Outline.Count(), 1);
        QCOMPARE(Categories.Count(), 2);
        QCOMPARE(ProductTypes.Count(), 2);
    }

    // Refused copies beep, change nothing and still close the dialog with OK; a shop
    // without items is copied with its plan alone.
    void copyCounts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("extraShops");
        QTest::addColumn<int>("extraItems");
        QTest::addColumn<bool>("withItems");
        QTest::addColumn<int>("itemsCopied"); // -1: refused
        const int items = 5;                  // in BuildShops
        QTest::newRow("name taken in other case") << "alpha" << 0 << 0 << true << -1;
        QTest::newRow("shops full") << "New" << MaxRecords - 2 << 0 << true << -1;
        QTest::newRow("items would overflow") << "New" << 0 << MaxRecords - items - 3 << true << -1;
        QTest::newRow("items just fit") << "New" << 0 << MaxRecords - items - 4 << true << 4;
        QTest::newRow("shop without items") << "Plan only" << 0 << 0 << false << 0;
    }
    void copyCounts() {
        QFETCH(QString, name);
        QFETCH(int, extraShops);
        QFETCH(int, extraItems);
        QFETCH(bool, withItems);
        QFETCH(int, itemsCopied);
        TestResponder &responder = program->responder;
        BuildShops();
        if (!withItems)
            Items.RemoveIf([](const TShopItem *i) { return i->Shop == Shops[0]; });
        for (int i = 0; i < extraShops; ++i)
            Shops.Add(std::make_unique<TShopShop>("S" + std::to_string(i)));
        for (int i = 0; i < extraItems; ++i)
            Items.Add(std::make_unique<TShopItem>());
        const int shops = Shops.Count();
        const int items = Items.Count();
        QVERIFY(copyAs(name, QStringLiteral("Zeta")));
        const bool copied = itemsCopied >= 0;
        QCOMPARE(responder.beeps, copied ? 0 : 1);
        QCOMPARE(Shops.Count(), copied ? shops + 1 : shops);
        QCOMPARE(Items.Count(), items + std::max(itemsCopied, 0));
        if (copied)
            QCOMPARE(Shops[shops]->Aisle.Count(), 2);
    }

    // The main window opens the dialog modally from Utilities.
    void openedModallyFromMainWindow() {
        BuildShops();
        QVERIFY(MainForm->Createcopyofshop1->isEnabled());
        QVERIFY(RunModal(
            form, [] { MainForm->Createcopyofshop1->trigger(); },
            [this] {
                QTest::keyClicks(form->ShopEdit, QStringLiteral("Copy"));
                QVERIFY(ClickRow(form->ShopListBox, 1));
                QTest::mouseClick(form->OkBtn, Qt::LeftButton);
            }));
        QCOMPARE(Shops.Count(), 3);
        QCOMPARE(Shops[2]->Name, std::string("Copy"));
        QCOMPARE(Shops[2]->Aisle.Count(), 0); // a copy of Alpha
        // The closed dialog keeps no list of the shops.
        QCOMPARE(form->ShopListBox->Count(), 0);
    }
};

QTEST_MAIN(TestShopCopy)
#include "tst_ShopCopy.moc"

// The analysis window opened from the main window and driven as a user does: each state
// with its texts, colours and buttons, Replace, Ignore, Delete and Close.

#include "TestProgram.h"
#include "WidgetDriver.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "catalogue/ShopData.h"
#include "shopping/Analysis.h"
#include "ui/ListBox.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

TShopItem *AddItem(TShopProd *product, const char *brand, float size, float price, TShopShop *shop,
                   int16_t quantity = 0) {
    TShopItem *item = Items.Add(std::make_unique<TShopItem>(product, brand, size, price, shop));
    item->Quantity = quantity;
    return item;
}

QColor TextColour(const QWidget *w) {
    return w->palette().color(QPalette::WindowText);
}

// The action buttons enabled, as "RDI" letters (Replace, Delete, Ignore).
QString Enabled(const TAnalForm *f) {
    QString s;
    s += f->YesBtn->isEnabled() ? "R" : "-";
    s += f->DeleteBtn->isEnabled() ? "D" : "-";
    s += f->NoBtn->isEnabled() ? "I" : "-";
    return s;
}

} // namespace

class TestAnalysis : public QObject {
    Q_OBJECT
private:
    TestProgram *program = nullptr;

private Q_SLOTS:
    void initTestCase() { SetUpWindowTests(); }
    void init() { program = new TestProgram(); }
    void cleanup() {
        delete program;
        program = nullptr;
    }

    void windowAsGiven() {
        TAnalForm *f = AnalForm;
        QVERIFY(!f->StartPending);
        QCOMPARE(f->windowTitle(), QStringLiteral("Shopping list analysis"));
        QCOMPARE(f->size(), QSize(427, 252));
        QCOMPARE(f->minimumSize(), f->maximumSize());
        QCOMPARE(f->Timer1->interval(), 100);
        QVERIFY(f->YesBtn->isDefault());
        QCOMPARE(FocusOrder(f->AltsListBox), QStringList({"AltsListBox", "YesBtn", "DeleteBtn",
                                                          "NoBtn", "HelpBtn", "CloseBtn"}));

        // The status pulse: black, grey, silver, white and back, then yellow when stopped.
        f->ColourStep = 0;
        f->ColourRising = true;
        QList<QColor> shown;
        for (int i = 0; i < 10; ++i) {
            f->UpdateWorkingColour();
            shown << TextColour(f->Status);
        }
        const QColor k(Qt::black), g(128, 128, 128), s(192, 192, 192), w(Qt::white);
        QCOMPARE(shown, QList<QColor>({k, g, s, w, s, g, k, g, s, w}));
        f->ColourStep = 5;
        f->UpdateWorkingColour();
        QCOMPARE(TextColour(f->Status), QColor(Qt::yellow));
    }

    // One run through every state, opened from Utilities in the main window.
    void analysisRun() {
        TestResponder &responder = program->responder;
        TShopCat *pantry = Categories.Add(std::make_unique<TShopCat>("Pantry"));
        TShopProd *flour =
            ProductTypes.Add(std::make_unique<TShopProd>("Organic Spelt Flour", "g", pantry));
        TShopProd *sugar = ProductTypes.Add(std::make_unique<TShopProd>("Sugar", "g", pantry));
        TShopProd *rice = ProductTypes.Add(std::make_unique<TShopProd>("Rice", "kg", pantry));
        TShopShop *corner = Shops.Add(std::make_unique<TShopShop>("Corner Store"));
        TShopShop *depot = Shops.Add(std::make_unique<TShopShop>("Wholesale Depot"));
        // Names as long as the editors allow, for the texts that must fit.
        TShopShop *market = Shops.Add(std::make_unique<TShopShop>("Riverside Farmers Market Hall"));
        TShopItem *acme = AddItem(flour, "Grandmother's Traditional Mill", 500, 2, market, 3);
        TShopItem *bulk = AddItem(flour, "Bulk", 1000, 2.5f, depot);
        AddItem(flour, "Miller's Finest Stoneground", 1000, 3, corner);
        TShopItem *sugar250 = AddItem(sugar, "Sweet", 250, 1, corner, 2);
        AddItem(sugar, "Sweet", 1000, 3, depot);
        TShopItem *rice2 = AddItem(rice, "Paddy", 2, 4, corner, 3);
        TShopItem *rice3 = AddItem(rice, "Paddy", 3, 5.4f, depot);

        TAnalForm *f = AnalForm;
        QVERIFY(MainForm->Analyseshoppinglist1->isEnabled());
        QVERIFY(RunModal(
            f, [] { MainForm->Analyseshoppinglist1->trigger(); },
            [&] {
                // Several alternatives: none chosen, so Replace waits for a choice.
                QCOMPARE(f->Status->text(), QStringLiteral("Alternatives found"));
                QCOMPARE(TextColour(f->Status), QColor(Qt::yellow));
                QVERIFY(!f->Timer1->isActive());
                QCOMPARE(f->TextLabel->text(),
                         QStringLiteral("The following items are cheaper per g than 500g "
                                        "Grandmother's Traditional Mill Organic Spelt Flour at "
                                        "Riverside Farmers Market Hall $2.00"));
                QCOMPARE(Entries(f->AltsListBox),
                         QStringList({"Bulk Organic Spelt Flour 1000g at Wholesale Depot $2.50",
                                      "Miller's Finest Stoneground Organic Spelt Flour 1000g at "
                                      "Corner Store $3.00"}));
                QCOMPARE(f->SavingsLabel->text(), QString());
                QCOMPARE(Enabled(f), QStringLiteral("-DI"));
                QVERIFY(SaveShot(f, QStringLiteral("analysis-several")));
                QTest::keyClick(f->AltsListBox, Qt::Key_Return); // Replace is disabled
                QCOMPARE(acme->Quantity, int16_t(3));

                QVERIFY(ClickRow(f->AltsListBox, 0));
                QCOMPARE(f->SavingsLabel->text(),
                         QStringLiteral("Substituting this item will save you $1.00"));
                QCOMPARE(TextColour(f->SavingsLabel), QColor(0, 128, 0));
                QCOMPARE(Enabled(f), QStringLiteral("RDI"));

                // A replacement that would pass the quantity's limit changes nothing.
                bulk->Quantity = 32766;
                QTest::keyClick(f->AltsListBox, Qt::Key_Return);
                QCOMPARE(responder.texts(),
                         QStringList({"The quantity of the alternative would exceed 32767."}));
                QCOMPARE(responder.messages[0].kind, ui::MsgKind::Error);
                QCOMPARE(acme->Quantity, int16_t(3));
                QCOMPARE(f->Status->text(), QStringLiteral("Alternatives found"));
                bulk->Quantity = 0;

                // Replace (Enter): two packs of Bulk; Bulk, now on the list, is the cheapest
                // flour and has no finding of its own. Next: one alternative that costs extra.
                QTest::keyClick(f->AltsListBox, Qt::Key_Return);
                QCOMPARE(acme->Quantity, int16_t(0));
                QCOMPARE(bulk->Quantity, int16_t(2));
                QCOMPARE(f->Status->text(), QStringLiteral("Alternative found"));
                QVERIFY(f->TextLabel->text().startsWith("The following item is cheaper"));
                QCOMPARE(f->AltsListBox->SelectedRow(), 0);
                QCOMPARE(f->SavingsLabel->text(),
                         QStringLiteral("Substituting this item will cost an extra $1.00"));
                QCOMPARE(TextColour(f->SavingsLabel), QColor(128, 0, 0));
                QCOMPARE(Enabled(f), QStringLiteral("RDI"));
                QVERIFY(SaveShot(f, QStringLiteral("analysis-extra-cost")));

                // Ignore (Escape) keeps the item; next, one alternative that saves.
                QTest::keyClick(f->AltsListBox, Qt::Key_Escape);
                QCOMPARE(sugar250->Quantity, int16_t(2));
                QCOMPARE(f->AltsListBox->Count(), 1);
                QCOMPARE(f->SavingsLabel->text(),
                         QStringLiteral("Substituting this item will save you $1.20"));
                QCOMPARE(TextColour(f->SavingsLabel), QColor(0, 128, 0));
                QVERIFY(SaveShot(f, QStringLiteral("analysis-one")));

                // Delete takes it off the list without a replacement; then the end.
                QTest::mouseClick(f->DeleteBtn, Qt::LeftButton);
                QCOMPARE(rice2->Quantity, int16_t(0));
                QCOMPARE(rice3->Quantity, int16_t(0));
                QCOMPARE(f->Status->text(), QStringLiteral("Analysis complete"));
                QCOMPARE(TextColour(f->Status), QColor(Qt::yellow));
                QCOMPARE(f->TextLabel->text() + f->SavingsLabel->text(), QString());
                QCOMPARE(f->AltsListBox->Count(), 0);
                QCOMPARE(Enabled(f), QStringLiteral("---"));
                QVERIFY(!f->Timer1->isActive());
                QVERIFY(SaveShot(f, QStringLiteral("analysis-complete")));

                // Escape belongs to Ignore, which is disabled now; Close ends the dialog.
                QTest::keyClick(f->AltsListBox, Qt::Key_Escape);
                QVERIFY(f->isVisible());
                QTest::mouseClick(f->HelpBtn, Qt::LeftButton);
                QCOMPARE(responder.helpCalls.size(), 1);
                QCOMPARE(responder.helpCalls[0].command, ui::HelpCommand::Context);
                QCOMPARE(responder.helpCalls[0].context, 3u);
                QTest::mouseClick(f->CloseBtn, Qt::LeftButton);
                QVERIFY(!f->isVisible());
            }));

        // The next opening starts again from the first item: the ignored sugar comes back.
        QVERIFY(RunModal(
            f, [] { MainForm->Analyseshoppinglist1->trigger(); },
            [&] { QVERIFY(f->TextLabel->text().contains("250g Sweet Sugar")); }));
        // With nothing on the list it opens complete.
        for (const auto &item : Items)
            item->Quantity = 0;
        QVERIFY(RunModal(
            f, [] { MainForm->Analyseshoppinglist1->trigger(); },
            [&] {
                QCOMPARE(f->Status->text(), QStringLiteral("Analysis complete"));
                QCOMPARE(Enabled(f), QStringLiteral("---"));
            }));
    }
};

QTEST_MAIN(TestAnalysis)
#include "tst_Analysis.moc"

// The shop editor driven as a user does: what sets it apart from the category editor
// (deleting a shop with its items, the disabled main window, the floor plan button),
// and the add/rename rules on shops.

#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WidgetDriver.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "catalogue/Regional.h"
#include "catalogue/ShopData.h"
#include "editors/ShopEdit.h"
#include "floorplan/FloorPla.h"
#include "settings/Preferences.h"
#include "ui/ListBox.h"
#include "ui/WindowFont.h"

#include <QPushButton>
#include <QToolButton>
#include <QWindow>

namespace {

TShopShop *AddShop(const char *name) {
    return Shops.Add(std::make_unique<TShopShop>(name));
}

TShopItem *AddItem(TShopShop *shop, const char *brand) {
    auto *item = Items.Add(std::make_unique<TShopItem>(nullptr, brand, 1.0f, 2.0f, shop));
    item->Quantity = 1;
    return item;
}

} // namespace

class TestShopEdit : public QObject {
    Q_OBJECT
private:
    TestProgram *program = nullptr;
    TShopEditForm *form = nullptr;

private Q_SLOTS:
    void initTestCase() { SetUpWindowTests(); }
    void init() {
        program = new TestProgram();
        form = ShopEditForm;
    }
    void cleanup() {
        delete program;
        program = nullptr;
        form = nullptr;
    }

    void windowAsGiven() {
        AddShop("Corner");
        QVERIFY(ShowActive(form));
        QCOMPARE(FocusOrder(form->NameEdit),
                 QStringList({"NameEdit", "ShopListBox", "AddBtn", "UpdateBtn", "DeleteBtn",
                              "FloorBtn", "HelpBtn", "CloseBtn"}));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(!form->isModal());
        QVERIFY(!form->FloorBtn->isEnabled());

        // Edit mode; a case variant of the shop's own name is refused.
        TestResponder &responder = program->responder;
        QVERIFY(ClickEntry(form->ShopListBox, QStringLiteral("Corner")));
        QCOMPARE(form->NameEdit->text(), QStringLiteral("Corner"));
        QVERIFY(form->UpdateBtn->isDefault());
        QVERIFY(form->DeleteBtn->isEnabled());
        QVERIFY(form->FloorBtn->isEnabled()); // a shop is chosen
        Retype(form->NameEdit, QStringLiteral("CORNER"));
        QTest::keyClick(form->NameEdit, Qt::Key_Return);
        QCOMPARE(responder.beeps, 1);
        QCOMPARE(Names(Shops), QStringList({"Corner"}));

        QVERIFY(AltKey(form, Qt::Key_H));
        QCOMPARE(responder.helpCalls.size(), 1);
        QCOMPARE(responder.helpCalls[0].context, 10u);
        QVERIFY(SaveShot(form, "shop-editor"));
    }

    // Keyboard alone: Tab into the list and Home selects the first shop and enters edit mode,
    // as a click does; one shop is enough.
    void keyboardSelectsInList_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Home") << int(Qt::Key_Home);
        QTest::newRow("Down") << int(Qt::Key_Down);
        QTest::newRow("End") << int(Qt::Key_End);
    }
    void keyboardSelectsInList() {
        QFETCH(int, key);
        AddShop("Corner");
        QVERIFY(ShowActive(form));
        QTest::keyClick(form->NameEdit, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->ShopListBox);
        QVERIFY(!form->ShopListBox->HasSelection());
        QTest::keyClick(form->ShopListBox, Qt::Key(key));
        QCOMPARE(form->SelectedShop(), Shops[0]);
        QCOMPARE(form->NameEdit->text(), QStringLiteral("Corner"));
        QVERIFY(form->UpdateBtn->isEnabled() && form->DeleteBtn->isEnabled());
        QVERIFY(form->FloorBtn->isEnabled());
        QVERIFY(SaveShot(form, "shop-editor-tab-home"));
    }

    void addAndRename_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("taken");
        QTest::newRow("new name") << "Market Hall" << false;
        QTest::newRow("other shop in other case") << "corner STORE" << true;
        QTest::newRow("cut at thirty characters") << "Thirty-one characters shop name" << false;
    }
    void addAndRename() {
        QFETCH(QString, typed);
        QFETCH(bool, taken);
        TestResponder &responder = program->responder;
        AddShop("Corner Store");
        AddShop("Big Barn");
        QVERIFY(ShowActive(form));

        QTest::keyClicks(form->NameEdit, typed);
        QTest::keyClick(form->NameEdit, Qt::Key_Return);
        QCOMPARE(responder.beeps, taken ? 1 : 0);
        QCOMPARE(Shops.Count(), taken ? 2 : 3);
        if (taken)
            return;
        // A new shop has an empty floor plan and no items.
        TShopShop *added = Shops[2];
        QCOMPARE(QString::fromStdString(added->Name), typed.left(30));
        QVERIFY(added->Aisle.Empty() && added->Outline.Empty() && Items.Empty());

        // Renamed, it keeps its place in the list until the window is shown again.
        QVERIFY(ClickEntry(form->ShopListBox, typed.left(30)));
        Retype(form->NameEdit, QStringLiteral("Aardvark"));
        QTest::mouseClick(form->UpdateBtn, Qt::LeftButton);
        QCOMPARE(Shops[2], added);
        QCOMPARE(added->Name, std::string("Aardvark"));
        QCOMPARE(RowOf(form->ShopListBox, QStringLiteral("Aardvark")), 2);
        QVERIFY(!form->ShopListBox->HasSelection());
        QVERIFY(!form->FloorBtn->isEnabled());
        form->close();
        QVERIFY(ShowActive(form));
        QCOMPARE(Entries(form->ShopListBox), QStringList({"Aardvark", "Big Barn", "Corner Store"}));
    }

    void deleteShop_data() {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("asked, Yes") << true << true << true;
        QTest::newRow("asked, No keeps everything") << true << false << false;
        QTest::newRow("not asked") << false << false << true;
    }
    void deleteShop() {
        QFETCH(bool, ask);
        QFETCH(bool, answerYes);
        QFETCH(bool, deleted);
        TestResponder &responder = program->responder;
        responder.answers.push_back(answerYes ? ui::MsgResult::Yes : ui::MsgResult::No);
        DeleteShop = ask;
        TShopShop *a = AddShop("Alpha");
        TShopShop *b = AddShop("Beta");
        // Beta's three items are interleaved with Alpha's.
        for (const char *brand : {"a1", "b1", "a2", "b2", "b3", "a3"})
            AddItem(brand[0] == 'a' ? a : b, brand);
        QVERIFY(ShowActive(form));

        QVERIFY(ClickEntry(form->ShopListBox, QStringLiteral("Beta")));
        QVERIFY(AltKey(form, Qt::Key_D));

        QCOMPARE(responder.messages.size(), ask ? 1 : 0);
        if (ask)
            QCOMPARE(responder.messages[0].text,
                     QStringLiteral("Are you sure you want to delete this shop? All items "
                                    "from this shop will also be deleted."));
        if (deleted) {
            QCOMPARE(Names(Shops), QStringList({"Alpha"}));
            QCOMPARE(Names(Items, &TShopItem::Brand), QStringList({"a1", "a2", "a3"}));
            QCOMPARE(Entries(form->ShopListBox), QStringList({"Alpha"}));
            QCOMPARE(form->NameEdit->text(), QString());
            QVERIFY(!form->DeleteBtn->isEnabled() && !form->UpdateBtn->isEnabled());
            QVERIFY(form->AddBtn->isDefault());
        } else {
            QCOMPARE(Names(Shops), QStringList({"Alpha", "Beta"}));
            QCOMPARE(Names(Items, &TShopItem::Brand),
                     QStringList({"a1", "b1", "a2", "b2", "b3", "a3"}));
            QCOMPARE(form->ShopListBox->Selected(), b);
        }
    }

    // The main window takes no input while the shop editor is open.
    void mainWindowDisabledWhileOpen_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Close button") << "button";
        QTest::newRow("close box") << "closebox";
        QTest::newRow("Escape") << "escape";
    }
    void mainWindowDisabledWhileOpen() {
        QFETCH(QString, how);
        QVERIFY(MainForm->ShopBtn->isEnabled() && MainForm->Shops1->isEnabled());
        QTest::mouseClick(MainForm->ShopBtn, Qt::LeftButton);
        QVERIFY(form->isVisible());
        QVERIFY(!MainForm->isEnabled());
        QVERIFY(QTest::qWaitForWindowActive(form));
        if (how == "button")
            QTest::mouseClick(form->CloseBtn, Qt::LeftButton);
        else if (how == "closebox")
            form->close();
        else
            QTest::keyClick(form->NameEdit, Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        QVERIFY(MainForm->isEnabled());

        MainForm->Shops1->trigger();
        QVERIFY(form->isVisible());
        QVERIFY(!MainForm->isEnabled());
        form->close();
    }

    // The floor plan editor opens for the selected shop and holds this window disabled.
    void floorPlanForSelectedShop_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Floor plan button") << "button";
        QTest::newRow("Alt+F") << "key";
        QTest::newRow("double click") << "double";
    }
    void floorPlanForSelectedShop() {
        QFETCH(QString, how);
        AddShop("Alpha");
        TShopShop *beta = AddShop("Beta");
        TFloorPlanEditForm *plan = FloorPlanEditForm;
        QVERIFY(ShowActive(form));
        QVERIFY(!form->FloorBtn->isEnabled());
        const QPoint betaAt =
            form->ShopListBox->visualRect(form->ShopListBox->model()->index(1, 0)).center();
        if (how == "double") {
            // The first press of a double click selects, as a click does.
            QTest::mouseClick(form->ShopListBox->viewport(), Qt::LeftButton, {}, betaAt);
            QTest::mouseDClick(form->ShopListBox->viewport(), Qt::LeftButton, {}, betaAt);
        } else {
            QVERIFY(ClickEntry(form->ShopListBox, QStringLiteral("Beta")));
            QVERIFY(form->FloorBtn->isEnabled());
            if (how == "button")
                QTest::mouseClick(form->FloorBtn, Qt::LeftButton);
            else
                QVERIFY(AltKey(form, Qt::Key_F));
        }
        QVERIFY(plan->isVisible());
        QCOMPARE(plan->PlanShop, beta);
        QVERIFY(!form->isEnabled());
        // The window system's close box does not close it while the plan is open.
        form->windowHandle()->close();
        QVERIFY(form->isVisible());
        plan->close();
        QVERIFY(form->isEnabled());
        // Back in add mode the button is off again.
        QVERIFY(ClickEntry(form->ShopListBox, QStringLiteral("Beta"), Qt::RightButton));
        QVERIFY(!form->FloorBtn->isEnabled());
    }

    void fullListBeeps() {
        TestResponder &responder = program->responder;
        Shops.Reserve(MaxRecords);
        for (int i = 0; i < MaxRecords; ++i)
            Shops.Add(std::make_unique<TShopShop>("S" + std::to_string(i)));
        QVERIFY(ShowActive(form));
        QTest::keyClicks(form->NameEdit, QStringLiteral("One more"));
        QTest::keyClick(form->NameEdit, Qt::Key_Return);
        QCOMPARE(responder.beeps, 1);
        QCOMPARE(Shops.Count(), MaxRecords);
    }
};

QTEST_MAIN(TestShopEdit)
#include "tst_ShopEdit.moc"

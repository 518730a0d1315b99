// The category editor driven as a user does: adding, renaming and deleting categories,
// the two modes with their default button, and what a delete does to the catalogue.

#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WidgetDriver.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "catalogue/DataFile.h"
#include "catalogue/Regional.h"
#include "editors/CatEditU.h"
#include "settings/Preferences.h"
#include "ui/ListBox.h"
#include "ui/WindowFont.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

class TestCatEdit : public QObject {
    Q_OBJECT
private:
    TestProgram *program = nullptr;
    TCatEditForm *form = nullptr;

    // The editor over `names`, shown and active; false when it could not be made active.
    [[nodiscard]] bool open(const QStringList &names) {
        for (const QString &n : names)
            Categories.Add(std::make_unique<TShopCat>(n.toStdString()));
        return ShowActive(form);
    }
    // Each check names what differs, so a failed mode check says why.
    static bool Holds(bool condition, const char *what) {
        if (!condition)
            qWarning("not so: %s", what);
        return condition;
    }
    // Only one button of a dialog is the default, so checking the default one suffices.
    [[nodiscard]] bool inAddMode(const QString &text = {}) const {
        return Holds(!form->CatListBox->HasSelection(), "no entry selected") &&
               Holds(form->CatEdit->text() == text, "the edit box holds the text") &&
               Holds(form->AddBtn->isEnabled() == !text.isEmpty(), "Add enabled with a text") &&
               Holds(form->AddBtn->isDefault(), "Add is the default button") &&
               Holds(!form->UpdateBtn->isEnabled(), "Update disabled") &&
               Holds(!form->DeleteBtn->isEnabled(), "Delete disabled");
    }
    [[nodiscard]] bool inEditMode(const QString &name) const {
        const ui::ListBox<TShopCat> *list = form->CatListBox;
        return Holds(list->SelectedRecords().size() == 1, "one entry selected") &&
               Holds(list->Text(list->SelectedRow()) == name, "the entry is selected") &&
               Holds(form->CatEdit->text() == name, "the edit box holds its name") &&
               Holds(!form->AddBtn->isEnabled(), "Add disabled") &&
               Holds(form->UpdateBtn->isEnabled(), "Update enabled") &&
               Holds(form->UpdateBtn->isDefault(), "Update is the default button") &&
               Holds(form->DeleteBtn->isEnabled(), "Delete enabled");
    }

private Q_SLOTS:
    void initTestCase() { SetUpWindowTests(); }
    void init() {
        program = new TestProgram();
        form = CatEditForm;
    }
    void cleanup() {
        delete program;
        program = nullptr;
        form = nullptr;
    }

    void windowAsGiven() {
        QVERIFY(open({}));
        QCOMPARE(FocusOrder(form->CatEdit),
                 QStringList({"CatEdit", "CatListBox", "AddBtn", "UpdateBtn", "DeleteBtn",
                              "HelpBtn", "CloseBtn"}));
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(form->windowFlags() & Qt::WindowContextHelpButtonHint));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        // An empty catalogue: only Add can be used, once a name is typed.
        QVERIFY(inAddMode());
        QCOMPARE(QApplication::focusWidget(), form->CatEdit);
        QTest::keyClicks(form->CatEdit, QStringLiteral("abcdefghijklmnopqrstu"));
        QCOMPARE(form->CatEdit->text(), QStringLiteral("abcdefghijklmnopqrst"));
        QVERIFY(SaveShot(form, "category-editor"));
    }

    // Typing a name and pressing Enter (Add is the default button) or clicking Add.
    void addingNames_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<bool>("added");
        QTest::addColumn<QStringList>("entries");
        const QStringList before{"Bakery", "Dairy"};
        QTest::newRow("new name takes its sorted place")
            << "cheese" << true << true << QStringList{"Bakery", "cheese", "Dairy"};
        QTest::newRow("clicking Add")
            << "Zoo" << false << true << QStringList{"Bakery", "Dairy", "Zoo"};
        QTest::newRow("case variant of an entry beeps") << "dairy" << true << false << before;
        QTest::newRow("exact name beeps") << "Bakery" << false << false << before;
        QTest::newRow("trailing blank makes another name")
            << "Dairy " << true << true << QStringList{"Bakery", "Dairy", "Dairy "};
        QTest::newRow("blanks only are a name")
            << "   " << true << true << QStringList{"   ", "Bakery", "Dairy"};
    }
    void addingNames() {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        QFETCH(bool, added);
        QFETCH(QStringList, entries);
        TestResponder &responder = program->responder;
        QVERIFY(open({"Dairy", "Bakery"}));
        TShopCat *const first = Categories[0];

        QTest::keyClicks(form->CatEdit, typed);
        QVERIFY(form->AddBtn->isEnabled());
        if (byEnter)
            QTest::keyClick(form->CatEdit, Qt::Key_Return);
        else
            QTest::mouseClick(form->AddBtn, Qt::LeftButton);

        QCOMPARE(Entries(form->CatListBox), entries);
        QCOMPARE(responder.beeps, added ? 0 : 1);
        QVERIFY(responder.messages.isEmpty());
        QCOMPARE(Categories.Count(), added ? 3 : 2);
        QCOMPARE(Categories[0], first);
        if (added) {
            // Appended at the end of the catalogue, exactly as typed; the box is emptied.
            QCOMPARE(QString::fromStdString(Categories[2]->Name), typed);
            QCOMPARE(form->CatListBox->Selected(), nullptr);
            QVERIFY(inAddMode());
            // Ready for the next name, whether Add was clicked or Enter pressed.
            QCOMPARE(QApplication::focusWidget(), form->CatEdit);
        } else {
            QVERIFY(inAddMode(typed)); // left for correction
        }
    }

    // Selecting an entry, retyping its name and pressing Enter (Update is now the default).
    void renaming_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("renamed");
        QTest::newRow("new name") << "Zucchini" << true;
        QTest::newRow("case change of itself beeps") << "DAIRY" << false;
        QTest::newRow("name of another entry beeps") << "bakery" << false;
        QTest::newRow("empty name beeps") << "" << false;
    }
    void renaming() {
        QFETCH(QString, typed);
        QFETCH(bool, renamed);
        TestResponder &responder = program->responder;
        QVERIFY(open({"Dairy", "Bakery", "Fruit"}));
        TShopCat *const dairy = Categories[0];
        auto *milk = ProductTypes.Add(std::make_unique<TShopProd>("Milk", "l", dairy));

        QVERIFY(ClickEntry(form->CatListBox, QStringLiteral("Dairy")));
        QVERIFY(inEditMode(QStringLiteral("Dairy")));
        Retype(form->CatEdit, typed);
        QTest::keyClick(form->CatEdit, Qt::Key_Return);

        QCOMPARE(responder.beeps, renamed ? 0 : 1);
        QCOMPARE(Categories.IndexOf(dairy), 0);
        QCOMPARE(milk->Category, dairy);
        if (renamed) {
            QCOMPARE(QString::fromStdString(dairy->Name), typed);
            // The entry keeps its place until the window is shown again.
            QCOMPARE(Entries(form->CatListBox), QStringList({"Bakery", typed, "Fruit"}));
            QVERIFY(inAddMode());
            QCOMPARE(QApplication::focusWidget(), form->CatEdit);
            form->close();
            QVERIFY(ShowActive(form));
            QCOMPARE(Entries(form->CatListBox), QStringList({"Bakery", "Fruit", typed}));
        } else {
            QCOMPARE(dairy->Name, std::string("Dairy"));
            QCOMPARE(Entries(form->CatListBox), QStringList({"Bakery", "Dairy", "Fruit"}));
            QCOMPARE(form->CatEdit->text(), typed);
            QVERIFY(form->UpdateBtn->isDefault());
        }
    }

    void rightClickReturnsToAddMode() {
        QVERIFY(open({"Dairy", "Bakery"}));
        // With nothing selected a right click changes nothing, not even the typed name.
        QTest::keyClicks(form->CatEdit, QStringLiteral("Fish"));
        QVERIFY(ClickEntry(form->CatListBox, QStringLiteral("Dairy"), Qt::RightButton));
        QVERIFY(inAddMode(QStringLiteral("Fish")));

        QVERIFY(ClickEntry(form->CatListBox, QStringLiteral("Dairy")));
        QVERIFY(inEditMode(QStringLiteral("Dairy")));
        QVERIFY(ClickEntry(form->CatListBox, QStringLiteral("Bakery"), Qt::RightButton));
        QVERIFY(inAddMode());
        QCOMPARE(QApplication::focusWidget(), form->CatEdit);

        // Selecting with the keyboard enters edit mode too.
        form->CatListBox->setFocus();
        QTest::keyClick(form->CatListBox, Qt::Key_Down);
        QVERIFY(form->CatListBox->Selected() != nullptr);
        QVERIFY(inEditMode(form->CatListBox->Text(form->CatListBox->SelectedRow())));
    }

    void deleteConfirmation_data() {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("asked, Yes") << true << true << true;
        QTest::newRow("asked, No keeps everything") << true << false << false;
        QTest::newRow("not asked") << false << false << true;
    }
    void deleteConfirmation() {
        QFETCH(bool, ask);
        QFETCH(bool, answerYes);
        QFETCH(bool, deleted);
        TestResponder &responder = program->responder;
        responder.answers.push_back(answerYes ? ui::MsgResult::Yes : ui::MsgResult::No);
        DeleteCat = ask;
        QVERIFY(open({"Dairy", "Bakery", "Fruit"}));

        QVERIFY(ClickEntry(form->CatListBox, QStringLiteral("Bakery")));
        QVERIFY(AltKey(form, Qt::Key_D));

        QCOMPARE(responder.messages.size(), ask ? 1 : 0);
        if (ask) {
            QCOMPARE(responder.messages[0].kind, ui::MsgKind::Confirmation);
            QCOMPARE(responder.messages[0].text,
                     QStringLiteral("Are you sure you want to delete this category?"));
            QCOMPARE(responder.messages[0].buttons, ui::MsgButtons::YesNo);
        }
        if (deleted) {
            QCOMPARE(Names(Categories), QStringList({"Dairy", "Fruit"}));
            QCOMPARE(Entries(form->CatListBox), QStringList({"Dairy", "Fruit"}));
            QVERIFY(inAddMode());
            QCOMPARE(QApplication::focusWidget(), form->CatEdit);
        } else {
            QCOMPARE(Names(Categories), QStringList({"Dairy", "Bakery", "Fruit"}));
            QVERIFY(inEditMode(QStringLiteral("Bakery")));
        }
    }

    // The category goes from every product type and aisle, which stay; the file then
    // holds -1 (no category) for each of them.
    void deleteClearsReferences() {
        BuildExampleCatalogue(); // Dairy; Milk (Dairy); Corner with one Dairy aisle
        TShopProd *milk = ProductTypes[0];
        TShopAisle *aisle = Shops[0]->Aisle[0];
        DeleteCat = false;
        QVERIFY(ShowActive(form));

        QVERIFY(ClickEntry(form->CatListBox, QStringLiteral("Dairy")));
        QTest::mouseClick(form->DeleteBtn, Qt::LeftButton);
        QCOMPARE(Categories.Count(), 0);
        QCOMPARE(form->CatListBox->Count(), 0);
        QCOMPARE(ProductTypes.Count(), 1);
        QCOMPARE(milk->Category, nullptr);
        QCOMPARE(Shops[0]->Aisle.Count(), 1);
        QCOMPARE(aisle->Category, nullptr);
        QCOMPARE(aisle->Rect, (TRect{10, 20, 110, 60}));
        QCOMPARE(Items.Count(), 1);
        QCOMPARE(Items[0]->Product, milk);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("SHOPPING.DAT"));
        RecordingUser user;
        QVERIFY(WriteDataFile(path.toStdString(), user));
        QVERIFY(user.errors.empty());
        QCOMPARE(ReadAll(path).toHex(), QByteArray("0b54726f6c6c65796d696e64cdcc8c3f"
                                                   "0000"                   // no categories
                                                   "0100044d696c6b016cffff" // Milk: no category
                                                   "010000000441636d65000000400000c03f00000300"
                                                   "010006436f726e65720100" // Corner, one aisle
                                                   "0a000000140000006e0000003c000000"
                                                   "ffff0000")); // the aisle: no category
    }

    // The data file counts records in 16 bits: a full list takes no more.
    void fullListBeeps() {
        TestResponder &responder = program->responder;
        Categories.Reserve(MaxRecords);
        for (int i = 0; i < MaxRecords; ++i)
            Categories.Add(std::make_unique<TShopCat>("C" + std::to_string(i)));
        QVERIFY(ShowActive(form));
        QTest::keyClicks(form->CatEdit, QStringLiteral("One more"));
        QTest::keyClick(form->CatEdit, Qt::Key_Return);
        QCOMPARE(responder.beeps, 1);
        QCOMPARE(Categories.Count(), MaxRecords);
        QCOMPARE(form->CatListBox->Count(), MaxRecords);
        QCOMPARE(form->CatEdit->text(), QStringLiteral("One more"));
    }

    // Alt shortcuts and Enter reach the buttons; Help and Close do what they say.
    void keyboardAndButtons() {
        TestResponder &responder = program->responder;
        QVERIFY(open({"Dairy"}));
        QTest::keyClicks(form->CatEdit, QStringLiteral("Bread"));
        QVERIFY(AltKey(form, Qt::Key_A));
        QCOMPARE(Names(Categories), QStringList({"Dairy", "Bread"}));

        // Enter with the default button disabled does nothing.
        QTest::keyClick(form->CatEdit, Qt::Key_Return);
        QCOMPARE(Categories.Count(), 2);
        QCOMPARE(responder.beeps, 0);

        QVERIFY(ClickEntry(form->CatListBox, QStringLiteral("Bread")));
        Retype(form->CatEdit, QStringLiteral("Bakery"));
        QVERIFY(AltKey(form, Qt::Key_U));
        QCOMPARE(Names(Categories), QStringList({"Dairy", "Bakery"}));

        // In edit mode Tab skips the disabled Add button.
        QVERIFY(ClickEntry(form->CatListBox, QStringLiteral("Dairy")));
        QCOMPARE(TabChain(form->CatEdit), QStringList({"CatEdit", "CatListBox", "UpdateBtn",
                                                       "DeleteBtn", "HelpBtn", "CloseBtn"}));

        QVERIFY(AltKey(form, Qt::Key_H));
        QCOMPARE(responder.helpCalls.size(), 1);
        QCOMPARE(responder.helpCalls[0].command, ui::HelpCommand::Context);
        QCOMPARE(responder.helpCalls[0].context, 4u);

        QVERIFY(AltKey(form, Qt::Key_C));
        QVERIFY(!form->isVisible());
        QCOMPARE(Names(Categories), QStringList({"Dairy", "Bakery"}));
    }

    // The main window opens the editor modally, from its button and from Edit.
    // However the editor closes, it lets go of its list, and shows the catalogue again when
    // it opens again.
    void closingEmptiesTheList_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Close button") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("window closed") << 2;
    }
    void closingEmptiesTheList() {
        QFETCH(int, how);
        QVERIFY(open({"Dairy", "Bakery"}));
        QCOMPARE(Entries(form->CatListBox), QStringList({"Bakery", "Dairy"}));
        if (how == 0)
            QTest::mouseClick(form->CloseBtn, Qt::LeftButton);
        else if (how == 1)
            QTest::keyClick(form->CatEdit, Qt::Key_Escape);
        else
            form->close();
        QVERIFY(!form->isVisible());
        QCOMPARE(form->CatListBox->Count(), 0);
        Categories.Add(std::make_unique<TShopCat>("Cans"));
        QVERIFY(ShowActive(form));
        QCOMPARE(Entries(form->CatListBox), QStringList({"Bakery", "Cans", "Dairy"}));
    }

    void openedModallyFromMainWindow() {
        QVERIFY(MainForm->CatBtn->isEnabled() && MainForm->Categories1->isEnabled());
        const auto addAndClose = [this](const char *name) {
            return [this, name] {
                QTest::keyClicks(form->CatEdit, name);
                QTest::keyClick(form->CatEdit, Qt::Key_Return);
                QTest::mouseClick(form->CloseBtn, Qt::LeftButton);
            };
        };
        QVERIFY(RunModal(
            form, [] { QTest::mouseClick(MainForm->CatBtn, Qt::LeftButton); },
            addAndClose("Frozen")));
        QVERIFY(RunModal(
            form, [] { MainForm->Categories1->trigger(); }, addAndClose("Bakery")));
        QCOMPARE(Names(Categories), QStringList({"Frozen", "Bakery"}));
    }
};

QTEST_MAIN(TestCatEdit)
#include "tst_CatEdit.moc"

// The main window's print, preview and purge commands on the real window: what is asked
// and shown, and the reports printed through the real printer to PDF and read back.

#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WidgetDriver.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "catalogue/ShopData.h"
#include "reports/PrintCommands.h"
#include "settings/Preferences.h"
#include "ui/Seam.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include <memory>

namespace {

QString PdfText(const QString &pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The first of `parts` that is missing or out of order in `text`, or an empty text.
QString OutOfOrder(const QString &text, const QStringList &parts) {
    qsizetype at = 0;
    for (const QString &part : parts) {
        at = text.indexOf(part, at);
        if (at < 0)
            return part;
        at += part.size();
    }
    return {};
}

} // namespace

class TestPrintCommands : public QObject {
    Q_OBJECT
    TestProgram *program = nullptr;
    TestResponder &responder() { return program->responder; }
    QAction *action(const QString &name) { return MainForm->findChild<QAction *>(name); }

private Q_SLOTS:
    void initTestCase() { SetUpWindowTests(); }
    void init() {
        program = new TestProgram();
        MainForm->show();
        QCoreApplication::processEvents();
        responder().pdfFile = program->file(QStringLiteral("report.pdf"));
    }
    void cleanup() { delete program; }

    void nothingToPrint_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("itemOffTheList");
        QTest::newRow("shopping list, no quantities") << "Shoppinglist2" << true;
        QTest::newRow("fridge list, no product types") << "Fridgelist1" << false;
        QTest::newRow("master item list, no items") << "Itemsdetails1" << false;
        QTest::newRow("preview of the shopping list") << "Previewshoppinglist1" << true;
    }
    void nothingToPrint() {
        QFETCH(QString, command);
        QFETCH(bool, itemOffTheList);
        if (itemOffTheList)
            Items.Add(std::make_unique<TShopItem>(nullptr, "Acme", 1, 1, nullptr));
        QAction *a = action(command);
        QVERIFY(a && a->isEnabled());
        a->trigger();
        QCOMPARE(responder().texts(), QStringList{"There is nothing to print."});
        QCOMPARE(responder().messages[0].kind, ui::MsgKind::Information);
        QCOMPARE(responder().printDialogs + responder().previews, 0);
        QVERIFY(!QFile::exists(responder().pdfFile));
    }

    void printsToPdf_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("columns");
        const QStringList shopping = {"Shopping list for Corner Store",
                                      "Apples Orchard",
                                      "Milk Acme",
                                      "Cheddar Acme",
                                      "Bread Baker",
                                      "Total for Corner Store",
                                      "12.35",
                                      "Shopping list for Farm Shop",
                                      "Eggs Farm",
                                      "Sausages Farm",
                                      "Total for Farm Shop",
                                      "17.40",
                                      "(This total is not accurate.",
                                      "Shopping list for MegaMart",
                                      "Bananas Tropic",
                                      "Bread Loafy",
                                      "Chicken Cluck",
                                      "Milk Dairyland",
                                      "Peas Frosty",
                                      "Cola Fizz",
                                      "Toilet paper Soft",
                                      "Total for MegaMart",
                                      "63.07",
                                      "Grand total",
                                      "$92.82"};
        QTest::newRow("shopping list") << "Shoppinglist2" << shopping << "Milk Acme"
                                       << "Dairy\\s+2\\s+Milk Acme\\s+2l\\s+1.50\\s+3.00";
        QTest::newRow("shopping list, previewed")
            << "Previewshoppinglist1" << shopping << "Yoghurt Dairyland"
            << "4\\s+Yoghurt Dairyland\\s+500g\\s+1.89\\s+7.56";
        QTest::newRow("fridge list")
            << "Fridgelist1"
            << QStringList{"Bread (Bakery)",       "Butter (Dairy)",     "Yoghurt (Dairy)",
                           "Cola (Drinks)",        "Ice cream (Frozen)", "Apples (Fruit & Veg)",
                           "Bin bags (Household)", "Chicken (Meat)",     "Honey"}
            << "Orange juice"
            << "Orange juice \\(Drinks\\)";
        QTest::newRow("master item list")
            << "Itemsdetails1"
            << QStringList{"Product", "Shop", "Baker", "Acme", "Orchard",
                           "This shop does not have an aisle for this category.", "Farm",
                           // without a category: after the others of its shop
                           "Honey", "This item does not have a category.", "Loafy", "Dairyland",
                           "Fizz", "Frosty", "Tropic", "Clean", "Beefy"}
            << "Mince"
            << "Mince\\s+Beefy\\s+Meat\\s+500g\\s+6.49\\s+MegaMart";
    }
    void printsToPdf() {
        QFETCH(QString, command);
        QFETCH(QStringList, order);
        QFETCH(QString, line);
        QFETCH(QString, columns);
        BuildShoppingTrip();
        action(command)->trigger();
        QCOMPARE(responder().printDialogs + responder().previews, 1);
        QVERIFY(responder().messages.isEmpty());
        const QString text = PdfText(responder().pdfFile);
        QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
        QCOMPARE(OutOfOrder(text, order), QString());
        // Each text in its column: one line of the page as pdftotext lays it out.
        const QStringList lines = text.split('\n').filter(line);
        QVERIFY(!lines.isEmpty());
        QVERIFY2(lines[0].contains(QRegularExpression(columns)), qPrintable(lines[0]));
        if (!ShotsFolder().isEmpty())
            QFile::copy(responder().pdfFile, ShotsFolder() + "/" + command + ".pdf");
    }

    // The preview window the program shows, pictured when TM_SHOTS is set.
    void previewWindow() {
        BuildShoppingTrip();
        std::unique_ptr<QDialog> preview(ui::NewPrintPreview(
            ui::Printer(), [](QPrinter &p) { reports::PrintOn(Report::ShoppingList, p); },
            MainForm));
        preview->show();
        QVERIFY(QTest::qWaitForWindowExposed(preview.get()));
        QCOMPARE(preview->windowTitle(), QStringLiteral("Print preview"));
        QVERIFY(SaveShot(preview.get(), QStringLiteral("print_preview")));
    }

    void deleteUnusedProducts_data() {
        QTest::addColumn<QStringList>("used");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QString>("message");
        QTest::newRow("two adjacent unused")
            << QStringList{"A", "-B", "-C", "D", "-E"} << QStringList{"A", "D"}
            << "3 unused product types deleted.";
        QTest::newRow("no product types")
            << QStringList{} << QStringList{} << "0 unused product types deleted.";
    }
    void deleteUnusedProducts() {
        QFETCH(QStringList, used);
        QFETCH(QStringList, kept);
        QFETCH(QString, message);
        // "-B": a product type no item names, though it has a category and units.
        auto *dairy = Categories.Add(std::make_unique<TShopCat>("Dairy"));
        Items.Add(std::make_unique<TShopItem>()); // an item without a product type
        for (const QString &entry : used) {
            auto *p = ProductTypes.Add(std::make_unique<TShopProd>(
                entry.mid(entry.startsWith('-') ? 1 : 0).toStdString(), "kg", dairy));
            if (!entry.startsWith('-'))
                Items.Add(std::make_unique<TShopItem>(p));
        }
        MainForm->Deleteunusedproducts1->trigger();
        QCOMPARE(responder().texts(), QStringList{message});
        QCOMPARE(responder().messages[0].kind, ui::MsgKind::Information);
        QCOMPARE(Names(ProductTypes), kept);
    }

    void reportFontAndPrintSetup() {
        const ReportFont before = TheReportFont;
        responder().chosenFont = {"Courier", 14, 0xff, ReportFont::Bold};
        responder().confirmFont = false;
        MainForm->Reportfont1->trigger();
        QCOMPARE(TheReportFont, before);
        responder().confirmFont = true;
        MainForm->Reportfont1->trigger();
        QCOMPARE(responder().fontDialogs, 2);
        QCOMPARE(TheReportFont, responder().chosenFont);
        MainForm->Printsetup1->trigger();
        QCOMPARE(responder().printerSetups, 1);
        // The font reaches the settings file when the window closes.
        MainForm->close();
        const QByteArray ini = ReadAll(program->file(QStringLiteral("Shopping.ini")));
        QVERIFY2(ini.contains("Name=Courier") && ini.contains("Size=14"), ini.constData());
    }

    // OK on the dialog as it opened (on the family that draws Arial) keeps the stored name.
    void reportFontKeptByOkWithoutChange() {
        TheReportFont.Styles = ReportFont::Bold;
        responder().chosenFont = {"Liberation Sans", 10, 0, ReportFont::Bold};
        MainForm->Reportfont1->trigger();
        MainForm->close();
        const QByteArray ini = ReadAll(program->file(QStringLiteral("Shopping.ini")));
        QVERIFY2(ini.contains("[Font]\r\nName=Arial\r\nSize=10\r\nColour=0,0,0\r\nStyle=Bold\r\n"),
                 ini.constData());
    }
};

QTEST_MAIN(TestPrintCommands)
#include "tst_PrintCommands.moc"

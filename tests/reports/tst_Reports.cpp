// The page engine and the three reports on the recording canvas, whose metrics are simple
// enough to work every position out by hand: at 10 pt a character is 10 pixels wide (12 in
// bold, 11 in italics) and a line of text 20 high, so a report line is 24 (30 on the fridge
// list), the margins 40.

#include "catalogue/Regional.h"
#include "catalogue/ShopData.h"
#include "reports/RecordingCanvas.h"
#include "reports/ReportEngine.h"
#include "reports/Reports.h"
#include "settings/Preferences.h"
#include "shopping/ShoppingList.h"

#include <QDate>
#include <QPoint>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <climits>
#include <limits>
#include <map>

namespace {

const ReportOptions Dated{"1/2/2025", {}};

// The document as lines: "<page>.<line>: text | text" with the texts of one line from left
// to right, and "----" for a rule.
QStringList Lines(const RecordingCanvas &c, int lineHeight, int topMargin) {
    std::map<std::pair<int, int>, std::map<int, QString>> rows;
    for (const CanvasOp &op : c.ops) {
        if (op.kind == CanvasOp::Rect)
            continue;
        const QString text =
            op.kind == CanvasOp::Line ? QStringLiteral("----") : QString::fromStdString(op.text);
        rows[{op.page, op.y}][op.x] = text;
    }
    QStringList out;
    for (const auto &[where, texts] : rows) {
        QStringList parts;
        for (const auto &[x, text] : texts)
            parts << text;
        out << QStringLiteral("%1.%2: %3")
                   .arg(where.first)
                   .arg((where.second - topMargin) / lineHeight)
                   .arg(parts.join(QStringLiteral(" | ")));
    }
    return out;
}

// The recording canvas with the point as wide as `pointWidth`.
class NarrowPointCanvas : public RecordingCanvas {
public:
    NarrowPointCanvas(int fontSize, int pointWidth)
        : RecordingCanvas(fontSize), pointWidth_(pointWidth) {}
    int TextWidth(const std::string &text) override {
        const auto points = static_cast<int>(std::count(text.begin(), text.end(), '.'));
        return RecordingCanvas::TextWidth(text) - points * (fontSize - pointWidth_);
    }

private:
    int pointWidth_;
};

// The texts drawn, in order, that `keep` holds for.
template <class Keep> QStringList TextsWhere(const RecordingCanvas &c, Keep keep) {
    QStringList out;
    for (const std::string &text : c.Texts()) {
        const QString t = QString::fromStdString(text);
        if (keep(t))
            out << t;
    }
    return out;
}

TShopCat *Cat(const char *name) {
    return Categories.Add(std::make_unique<TShopCat>(name));
}
TShopProd *Prod(const char *name, const char *units, TShopCat *cat) {
    return ProductTypes.Add(std::make_unique<TShopProd>(name, units, cat));
}
TShopShop *Shop(const char *name, std::initializer_list<TShopCat *> aisles) {
    auto shop = std::make_unique<TShopShop>(name);
    for (TShopCat *cat : aisles)
        shop->Aisle.Add(std::make_unique<TShopAisle>())->Category = cat;
    return Shops.Add(std::move(shop));
}
QStringList Names(const TRecordList<TShopProd> &list) {
    QStringList out;
    for (const auto &record : list)
        out << QString::fromStdString(record->Name);
    return out;
}
TShopItem *Item(TShopProd *prod, const char *brand, float size, float price, TShopShop *shop,
                int qty) {
    auto *item = Items.Add(std::make_unique<TShopItem>(prod, brand, size, price, shop));
    item->Quantity = static_cast<int16_t>(qty);
    return item;
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        ClearCatalogue();
        ResetPreferences();
        SetCurrentRegional(Regional::EnglishUS());
    }
    void cleanup() { ClearCatalogue(); }

    void alignedTexts_data() {
        QTest::addColumn<int>("fontSize");
        QTest::addColumn<QString>("text");
        QTest::addColumn<char>("separator");
        QTest::addColumn<int>("x");
        QTest::newRow("point at x") << 10 << "12.50" << '.' << 500 - 20;
        QTest::newRow("no point: centred") << 10 << "Price" << '.' << 500 - 25;
        QTest::newRow("two points: the first") << 10 << "1.2.3" << '.' << 500 - 10;
        QTest::newRow("half rounds down to even") << 5 << "Price" << '.' << 500 - 12;
        QTest::newRow("half rounds up to even") << 5 << "Qty" << '.' << 500 - 8;
        QTest::newRow("regional decimal comma") << 10 << "1.234,50" << ',' << 500 - 50;
        // A currency symbol that carries the separator: the amount's own one counts.
        QTest::newRow("symbol with a point") << 10 << "B/.92.82" << '.' << 500 - 50;
        QTest::newRow("empty") << 10 << "" << '.' << -1;
        // Where a point is narrower than a digit, the offset is what stands before it.
        QTest::newRow("narrow point") << 10 << "12.50" << ':' << 500 - 20;
    }
    void alignedTexts() {
        QFETCH(int, fontSize);
        QFETCH(QString, text);
        QFETCH(char, separator);
        QFETCH(int, x);
        Regional r = Regional::EnglishUS();
        r.DecimalSeparator = separator == ':' ? '.' : separator;
        SetCurrentRegional(r);
        NarrowPointCanvas c(fontSize, separator == ':' ? 4 : fontSize);
        ReportEngine e(c);
        QVERIFY(e.Start("t", 1.2, 6));
        e.PrintRow({{0, 0, 0, 0, 500, 0}, true, false}, {"", "", "", "", text.toStdString(), ""});
        e.End();
        if (x < 0) {
            QVERIFY(c.ops.empty());
            return;
        }
        QCOMPARE(c.ops.size(), 1u);
        QCOMPARE(c.ops[0].x, x);
        QCOMPARE(c.ops[0].y, e.LineTop());
    }

    void ruleTakesItsLine() {
        RecordingCanvas c;
        ReportEngine e(c);
        QVERIFY(e.Start("t", 1.2, 6));
        QCOMPARE(e.LineHeight, 24);
        QCOMPARE(e.TopMargin, 96);
        e.LineNo = 3;
        e.PrintRule();
        e.PrintRow({{100, 200, 300, 400, 500, 600}, true, false}, {"a", "", "c", "", "5.5", "f"});
        e.End(); // rows are placed when their page is complete
        QCOMPARE(c.ops.size(), 5u);
        const CanvasOp &rule = c.ops[0];
        QCOMPARE(rule.kind, CanvasOp::Line);
        QCOMPARE(QList<int>({rule.x, rule.y, rule.x2, rule.y2}),
                 QList<int>({40, 96 + 3 * 24, 1000 - 40, 96 + 3 * 24}));
        for (std::size_t i = 1; i < 5; ++i)
            QCOMPARE(c.ops[i].y, 96 + 4 * 24); // the next text goes on the next line
        QCOMPARE(c.ops[1].x, 100);
        QCOMPARE(c.ops[2].x, 300);
        QCOMPARE(c.ops[3].x, 490); // slot 5 aligned on its point
        QCOMPARE(c.ops[4].x, 600); // slot 6 starts at its x
    }

    // The rows of a page are placed together, so a column widened for one row's text is
    // widened in every row; a row of another layout keeps its own columns. The text "c..."
    // at 300 reaches 500, so a slot at 400 after it moves to 505.
    void rowsArePlacedByPageAndLayout_data() {
        QTest::addColumn<int>("secondX"); // slot 4's x in the second row's layout
        QTest::addColumn<int>("secondAt");
        QTest::newRow("same layout: widened with the first") << 400 << 505;
        QTest::newRow("another layout: its own") << 450 << 450;
    }
    void rowsArePlacedByPageAndLayout() {
        QFETCH(int, secondX);
        QFETCH(int, secondAt);
        RecordingCanvas c;
        ReportEngine e(c);
        QVERIFY(e.Start("t", 1.2, 6));
        e.PrintRow({{100, 200, 300, 400, 500, 600}, false, false},
                   {"", "", std::string(20, 'c'), "d", "", ""});
        e.LineNo = 2;
        e.PrintRow({{100, 200, 300, secondX, 500, 600}, false, false}, {"", "", "", "e", "", ""});
        e.End();
        QCOMPARE(QList<int>({c.Find("d")->x, c.Find("e")->x}), QList<int>({505, secondAt}));
    }

    // Where the slots of a row stand once it is placed, at 10 pt on 1000 wide paper (margins
    // 40, gap 5). A text is written "c*n" for n letters c. While everything ends inside the
    // right margin, each slot is where the layout or the widening puts it; otherwise slots
    // move back left as little as they can, first within the margins, then using the right
    // margin, then closer together (a gap of 2), and a row too wide for all that is packed
    // from the left margin.
    void slotsMoveBackIntoFreeRoom_data() {
        QTest::addColumn<QList<int>>("layout");
        QTest::addColumn<bool>("alignFive");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("xs"); // of the texts that are not empty, left to right
        const QList<int> wideLast{100, 200, 300, 400, 500, 900};
        QTest::newRow("all fit: as laid out, even outside the left margin")
            << QList<int>{20, 200, 300, 400, 500, 900} << false
            << QStringList{"a", "b", "c", "d", "e", "f*6"}
            << QList<int>{20, 200, 300, 400, 500, 900};
        QTest::newRow("past the margin: the wide text moves back, the last keeps its place")
            << QList<int>{20, 200, 300, 400, 500, 900} << false
            << QStringList{"", "", "", "", "e*45", "f*6"} << QList<int>{445, 900};
        QTest::newRow("the ones before move back as little as they need")
            << wideLast << false << QStringList{"a", "", "", "d*10", "e*45", "f*6"}
            << QList<int>{100, 340, 445, 900};
        QTest::newRow("past empty slots")
            << wideLast << false << QStringList{"", "", "", "d*50", "", "f*6"}
            << QList<int>{395, 900};
        QTest::newRow("exactly room enough")
            << QList<int>{100, 200, 300, 400, 100, 905} << false
            << QStringList{"", "", "", "", "e*86", "f*6"} << QList<int>{40, 905};
        QTest::newRow("beyond the paper: back onto it")
            << QList<int>{990, 995, 996, 997, 998, 999} << false
            << QStringList{"a*3", "", "", "", "", ""} << QList<int>{970};
        QTest::newRow("the right margin used")
            << QList<int>{100, 200, 300, 400, 100, 900} << false
            << QStringList{"", "", "", "", "e*90", "f*3"} << QList<int>{65, 970};
        QTest::newRow("closer together")
            << wideLast << false << QStringList{"a", "b", "c", "d", "e*87", "f*3"}
            << QList<int>{50, 62, 74, 86, 98, 970};
        QTest::newRow("wider than the paper: at the left margin, so it runs off the least")
            << QList<int>{100, 600, 700, 800, 900, 950} << false
            << QStringList{"", "b*98", "", "", "", ""} << QList<int>{40};
        QTest::newRow("too wide: packed, an amount by its point")
            << QList<int>{100, 200, 300, 400, 500, 600} << true
            << QStringList{"", "", "", "", "1234.5", "f*95"} << QList<int>{40, 102};
    }
    void slotsMoveBackIntoFreeRoom() {
        QFETCH(QList<int>, layout);
        QFETCH(bool, alignFive);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, xs);
        ColumnLayout cols;
        std::copy(layout.begin(), layout.end(), cols.x.begin());
        cols.alignFive = alignFive;
        RowTexts row;
        for (int slot = 0; slot < 6; ++slot) {
            const QStringList parts = texts[slot].split('*');
            row[std::size_t(slot)] = parts.size() == 2
                                         ? std::string(parts[1].toUInt(), parts[0].at(0).toLatin1())
                                         : parts[0].toStdString();
        }
        RecordingCanvas c;
        ReportEngine e(c);
        QVERIFY(e.Start("t", 1.2, 6));
        e.PrintRow(cols, row);
        e.End();
        QList<int> found;
        for (const CanvasOp &op : c.ops)
            found << op.x;
        QCOMPARE(found, xs);
    }

    // Everything measured from the font: twice the font on twice the page draws the same
    // document at twice every coordinate.
    void doubledFontDoublesTheLayout_data() {
        QTest::addColumn<int>("report");
        QTest::newRow("shopping list") << int(Report::ShoppingList);
        QTest::newRow("fridge list") << int(Report::FridgeList);
        QTest::newRow("master item list") << int(Report::ItemList);
    }
    void doubledFontDoublesTheLayout() {
        QFETCH(int, report);
        BuildTrip();
        FL_Cat = true;
        RecordingCanvas small(10, 1000, 1400);
        RecordingCanvas large(20, 2000, 2800);
        QVERIFY(PrintReport(Report(report), small, Dated));
        QVERIFY(PrintReport(Report(report), large, Dated));
        QCOMPARE(large.ops.size(), small.ops.size());
        QVERIFY(!small.ops.empty());
        for (std::size_t i = 0; i < small.ops.size(); ++i) {
            const CanvasOp &a = small.ops[i];
            const CanvasOp &b = large.ops[i];
            QCOMPARE(b.text, a.text);
            QCOMPARE(QList<int>({b.x, b.y, b.x2, b.y2}),
                     QList<int>({2 * a.x, 2 * a.y, 2 * a.x2, 2 * a.y2}));
        }
    }

    void shoppingList() {
        BuildTrip();
        RecordingCanvas c;
        QVERIFY(PrintShoppingList(c, Dated));
        QCOMPARE(c.title, std::string("Shopping list"));
        QVERIFY(c.brushClear);
        QCOMPARE(c.ended, 1);
        const QString head = QStringLiteral("1: Shopping list for %1 | 1/2/2025     Page 1");
        const QString columns = QStringLiteral("3: Aisle | Qty | Item | Size | Price | Total");
        const QStringList expected = {
            // items without a shop first, in a section of their own
            "1." + head.arg("*"), "1." + columns, "1.4: ----",
            "1.5: Fruit | 2 | Pears Loose | 0.5kg | 1.00 | 2.00", "1.7: ----",
            "1.8: Total for * | 2.00",
            // no aisle first, then the walking order; a category once per run
            "2." + head.arg("Alpha"), "2." + columns, "2.4: ----",
            "2.5: Frozen | 1 | IceCream Cold | 1l | 3.00 | 3.00",
            "2.6: Dairy | 1 | Milk Acme | 2l | 1.50 | 1.50",
            "2.7: 1 | Cheese Acme | 250g | 4.00 | 4.00",
            "2.8: Bakery | 2 | Bread Baker | 800g | 1.25 | 2.50", "2.10: ----",
            "2.11: Total for Alpha | 11.00",
            // the note under a middle shop's total
            "3." + head.arg("Beta"), "3." + columns, "3.4: ----",
            "3.5: Fruit | 3 | Apples Orchard | 1kg | 0.00 | 0.00",
            "3.6: 1 | Pears Orchard | 1kg | 2.00 | 2.00", "3.8: ----", "3.9: Total for Beta | 2.00",
            "3.10: (This total is not accurate.", "3.11: Some items at this shop had no prices.)",
            // the category again at the start of a shop
            "4." + head.arg("Gamma"), "4." + columns, "4.4: ----",
            "4.5: Fruit | 1 | Apples Farm | 1.5kg | 2.20 | 2.20", "4.7: ----",
            "4.8: Total for Gamma | 2.20", "4.10: ----", "4.11: Grand total | $17.20"};
        QCOMPARE(Lines(c, 24, 96), expected);

        // Headings and the grand total bold, nothing else.
        QStringList bold;
        for (const CanvasOp &op : c.ops)
            if (op.kind == CanvasOp::Text && (op.style & ReportFont::Bold))
                bold << QString::fromStdString(op.text);
        QCOMPARE(bold.count("Grand total"), 1);
        QCOMPARE(bold.count("$17.20"), 1);
        QCOMPARE(bold.count("Shopping list for Beta"), 1);
        QCOMPARE(bold.size(), 4 * 2 + 2);
        QCOMPARE(c.style, uint8_t(0));
        // The sort stays in the catalogue: items without a shop, then by shop and aisle.
        QCOMPARE(Items[0]->Shop, nullptr);
        QCOMPARE(Items[1]->Brand, std::string("Cold"));
        QCOMPARE(Items[Items.Count() - 1]->Brand, std::string("Farm"));
    }

    // A price or size that is no number (from a file) shows as "?", counts as no price
    // known in the window's total and the report's, and brings the note with it.
    void valuesThatAreNoNumbers() {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();
        TShopCat *dairy = Cat("Dairy");
        TShopShop *corner = Shop("Corner", {dairy});
        TShopProd *milk = Prod("Milk", "l", dairy);
        Item(milk, "Acme", 1, 1.5f, corner, 2);
        Item(milk, "Nan", 1, nan, corner, 2);
        Item(milk, "Inf", inf, -inf, corner, 1);
        QCOMPARE(TotalCostText(ShoppingListTotals(Items).TotalCost, Regional::EnglishUS()),
                 std::string("Total cost $3.00"));
        RecordingCanvas c;
        QVERIFY(PrintShoppingList(c, Dated));
        const QStringList lines = Lines(c, 24, 96);
        QCOMPARE(lines.mid(3),
                 QStringList({"1.5: Dairy | 2 | Milk Acme | 1l | 1.50 | 3.00",
                              "1.6: 2 | Milk Nan | 1l | ? | 0.00",
                              "1.7: 1 | Milk Inf | ?l | ? | 0.00", "1.9: ----",
                              "1.10: Total for Corner | 3.00", "1.11: (This total is not accurate.",
                              "1.12: Some items at this shop had no prices.)", "1.14: ----",
                              "1.15: Grand total | $3.00"}));
    }

    // A shop longer than a page: the next page's heading counts on, the category is not
    // repeated, and closing lines that would run off the paper move to a page of their own.
    void shoppingListPageBreaks_data() {
        QTest::addColumn<int>("items");
        QTest::addColumn<QString>("grandTotalAt");
        QTest::newRow("second page of a shop") << 8 << "2.12: Grand total | $8.00";
        QTest::newRow("grand total past the page's end") << 6 << "2.8: Grand total | $6.00";
        QTest::newRow("grand total just on the page") << 5 << "1.15: Grand total | $5.00";
    }
    void shoppingListPageBreaks() {
        QFETCH(int, items);
        QFETCH(QString, grandTotalAt);
        TShopCat *dairy = Cat("Dairy");
        TShopShop *corner = Shop("Corner", {dairy});
        TShopProd *milk = Prod("Milk", "l", dairy);
        for (int i = 0; i < items; ++i)
            Item(milk, "Acme", 1, 1, corner, 1);
        RecordingCanvas c(10, 1000, 500); // six items fit under the heading
        QVERIFY(PrintShoppingList(c, Dated));
        const QStringList lines = Lines(c, 24, 96);
        const bool second = grandTotalAt.startsWith("2.");
        QCOMPARE(lines.filter("Page 2").size(), second ? 1 : 0);
        QCOMPARE(lines.contains("2.1: Shopping list for Corner | 1/2/2025     Page 2"), second);
        QCOMPARE(lines.filter("Dairy").size(), 1);
        QCOMPARE(lines.filter("| Milk Acme |").size(), items);
        QCOMPARE(lines.last(), grandTotalAt);
        for (const CanvasOp &op : c.ops)
            QVERIFY(op.y + 24 <= 500);
    }

    // A shop's closing lines (a blank, the rule, the total, and with unpriced items a note of
    // two lines) stay on the item's page while they fit on the paper, and go to a page of
    // their own otherwise: on a page too short for even one item above the six lines kept
    // free, the last item stands in that space. Lines are 24 high, the item on line 5.
    void closingLinesKeptOnThePaper_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("items");
        QTest::addColumn<bool>("unpriced");
        QTest::addColumn<bool>("ownPage");
        QTest::addColumn<int>("totalLine");
        QTest::newRow("three lines do not fit") << 300 << 1 << false << true << 7;
        QTest::newRow("three lines just fit") << 320 << 1 << false << false << 8;
        QTest::newRow("five lines do not fit") << 340 << 1 << true << true << 7;
        QTest::newRow("five lines just fit") << 480 << 6 << true << false << 13;
    }
    void closingLinesKeptOnThePaper() {
        QFETCH(int, height);
        QFETCH(int, items);
        QFETCH(bool, unpriced);
        QFETCH(bool, ownPage);
        QFETCH(int, totalLine);
        TShopCat *dairy = Cat("Dairy");
        TShopShop *corner = Shop("Corner", {dairy});
        TShopProd *milk = Prod("Milk", "l", dairy);
        for (int i = 1; i <= items; ++i)
            Item(milk, i == items ? "Last" : "Acme", 1, unpriced ? 0.f : 1.f, corner, 1);
        RecordingCanvas c(10, 1000, height);
        QVERIFY(PrintShoppingList(c, Dated));
        const CanvasOp *last = c.Find("Milk Last");
        const CanvasOp *total = c.Find("Total for Corner");
        QVERIFY(last && total);
        QCOMPARE(total->page, last->page + (ownPage ? 1 : 0));
        QCOMPARE((total->y - 96) / 24, totalLine);
    }

    void fridgeList_data() {
        QTest::addColumn<bool>("withCategories");
        QTest::addColumn<int>("columns");
        QTest::newRow("with categories: two columns") << true << 2;
        QTest::newRow("without: three columns") << false << 3;
    }
    void fridgeList() {
        QFETCH(bool, withCategories);
        QFETCH(int, columns);
        FL_Cat = withCategories;
        FL_Sort = 1; // by name
        TShopCat *dairy = Cat("Dairy");
        for (int i = 10; i >= 1; --i)
            Prod(qPrintable(QStringLiteral("P%1").arg(i, 2, 10, QChar('0'))), "",
                 i % 2 ? dairy : nullptr);
        // Lines of 30; three fit in a column (the fourth would lie in the bottom space).
        RecordingCanvas c(10, 1000, 400);
        QVERIFY(PrintFridgeList(c, Dated));
        QCOMPARE(c.title, std::string("Fridge list"));
        const int width = (1000 - 80) / columns;
        const int perPage = 3 * columns;
        std::size_t at = 0;
        for (int i = 0; i < 10; ++i) {
            const int x = (i % perPage) / 3 * width + 40;
            const int y = 120 + 30 * (i % 3 + 1);
            const CanvasOp &box = c.ops[at++];
            const CanvasOp &name = c.ops[at++];
            QCOMPARE(QList<int>({box.kind, box.page, box.x, box.y, box.x2, box.y2}),
                     QList<int>({CanvasOp::Rect, i / perPage + 1, x, y, x + 16, y + 16}));
            QCOMPARE(QList<int>({name.page, name.x, name.y, name.style}),
                     QList<int>({box.page, x + 24, y, 0}));
            QCOMPARE(name.text, QStringLiteral("P%1").arg(i + 1, 2, 10, QChar('0')).toStdString());
            if (withCategories && i % 2 == 0) {
                // In italics, after the name measured in italics (3 characters of 11).
                const CanvasOp &category = c.ops[at++];
                QCOMPARE(category.text, std::string(" (Dairy)"));
                QCOMPARE(QList<int>({category.x, category.y, category.style}),
                         QList<int>({x + 24 + 33, y, ReportFont::Italic}));
            }
        }
        QCOMPARE(at, c.ops.size());
    }

    void masterItemList() {
        IDR_Sort = 5; // no order of its own: the catalogue's
        IDR_Errors = true;
        TShopCat *dairy = Cat("Dairy");
        TShopCat *fruit = Cat("Fruit");
        TShopShop *corner = Shop("Corner", {dairy});
        Item(Prod("Milk", "l", dairy), "Acme", 2, 1.5f, corner, 0);
        Item(nullptr, "Mystery", 3, 0, nullptr, 0);
        Item(Prod("Soap", "", nullptr), "Clean", 1, 2, corner, 0);
        Item(Prod("Apples", "kg", fruit), "Farm", 1, 2.2f, corner, 0);
        RecordingCanvas c;
        QVERIFY(PrintItemList(c, Dated));
        QCOMPARE(c.title, std::string("Item details"));
        const QStringList expected = {"1.1: Product | Brand | Category | Size | Price | Shop",
                                      "1.2: ----",
                                      "1.3: Milk | Acme | Dairy | 2l | 1.50 | Corner",
                                      "1.4: * | Mystery | * | 3* | 0.00 | *",
                                      "1.5: This item does not have a product type.",
                                      "1.6: This item does not have a shop.",
                                      "1.8: Soap | Clean | * | 1 | 2.00 | Corner",
                                      "1.9: This item does not have a category.",
                                      "1.11: Apples | Farm | Fruit | 1kg | 2.20 | Corner",
                                      "1.12: This shop does not have an aisle for this category."};
        QCOMPARE(Lines(c, 24, 96), expected);
        for (const CanvasOp &op : c.ops)
            QCOMPARE(bool(op.style & ReportFont::Bold), op.text.starts_with("This "));
    }

    // Whatever the font and the values, no text or box is drawn over or against another
    // (a category follows its product type's name as one text), the columns keep their
    // order and the margins where they can, and only the pages that need it change.
    void noTextRunsIntoTheNext_data() {
        QTest::addColumn<int>("report");
        QTest::addColumn<int>("fontSize");
        QTest::addColumn<bool>("wide");
        QTest::newRow("shopping list at 20 pt") << int(Report::ShoppingList) << 20 << false;
        QTest::newRow("shopping list, wide values") << int(Report::ShoppingList) << 10 << true;
        QTest::newRow("shopping list at 20 pt, wide values")
            << int(Report::ShoppingList) << 20 << true;
        QTest::newRow("master item list at 20 pt") << int(Report::ItemList) << 20 << false;
        QTest::newRow("master item list, wide values") << int(Report::ItemList) << 10 << true;
        QTest::newRow("fridge list, wide values") << int(Report::FridgeList) << 10 << true;
    }
    void noTextRunsIntoTheNext() {
        QFETCH(int, report);
        QFETCH(int, fontSize);
        QFETCH(bool, wide);
        BuildTrip();
        FL_Cat = true;
        IDR_Errors = true;
        // The fridge list on pages of two lines, so that its columns fill.
        const int height = report == int(Report::FridgeList) ? 37 * fontSize : 1400;
        RecordingCanvas normal(fontSize, 1000, height);
        QVERIFY(PrintReport(Report(report), normal, Dated));
        if (wide) {
            TShopItem *cheese = std::find_if(Items.begin(), Items.end(), [](const auto &item) {
                                    return item->Product->Name == "Cheese";
                                })->get();
            cheese->Quantity = 32767;
            cheese->Price = 12345.67f;
            cheese->Brand = "Acme Finest Farmhouse";
            cheese->Product->Name = "Cheese, mature English cheddar";
            cheese->Product->Category->Name = "Dairy and eggs, chilled";
            cheese->Shop->Name = "Alpha Supermarket of Riverside";
        }
        RecordingCanvas c(fontSize, 1000, height);
        QVERIFY(PrintReport(Report(report), c, Dated));

        // What is drawn on each line, left to right: texts and boxes, apart; the headings
        // in their order; within the margins where nothing is wide.
        std::map<std::pair<int, int>, std::multimap<int, const CanvasOp *>> lines;
        for (const CanvasOp &op : c.ops)
            if (op.kind != CanvasOp::Line)
                lines[{op.page, op.y}].emplace(op.x, &op);
        const std::string headings = report == int(Report::ShoppingList)
                                         ? "|Aisle|Qty|Item|Size|Price|Total"
                                         : "|Product|Brand|Category|Size|Price|Shop";
        int headingLines = 0;
        for (const auto &[where, ops] : lines) {
            std::string texts;
            int right = INT_MIN;
            for (const auto &[x, op] : ops) {
                QVERIFY2(right + (op->text.starts_with(' ') ? 0 : 1) <= x, op->text.c_str());
                right = op->kind == CanvasOp::Text ? x + c.TextWidth(op->text) : op->x2;
                texts += "|" + op->text;
            }
            QVERIFY2(wide || ops.size() == 1 || right <= c.width - c.TextWidth("WWWW"),
                     texts.c_str());
            if (texts.starts_with(headings.substr(0, 5))) {
                QCOMPARE(texts, headings);
                ++headingLines;
            }
        }
        QCOMPARE(headingLines > 0, report != int(Report::FridgeList));
        // The page after the wide fridge entry has its two columns again.
        if (report == int(Report::FridgeList))
            QCOMPARE(c.Find("Pears")->x, 40 + (1000 - 80) / 2 + 24);
        // Beta's page has nothing wide: it looks as it always did. The grand total, however
        // long, stays on the paper.
        if (report == int(Report::ShoppingList)) {
            const CanvasOp &grandTotal = c.ops.back();
            QVERIFY(grandTotal.x + c.TextWidth(grandTotal.text) <= c.width);
            const auto onBeta = [](const RecordingCanvas &canvas) {
                QList<QPoint> at;
                for (const CanvasOp &op : canvas.ops)
                    if (op.page == 3)
                        at << QPoint(op.x, op.y);
                return at;
            };
            QCOMPARE(onBeta(c), onBeta(normal));
        }
    }

    // Shops or categories whose names differ only in case (only a file can hold them) keep
    // their records together, each in its own order, in the order of their lists.
    void namesEqualButForCase_data() {
        QTest::addColumn<int>("report"); // 0 fridge list by category, else item list order + 1
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("fridge list by category")
            << 0 << QStringList{"Cheese", "Milk", "Butter", "Yoghurt", "Steak"};
        QTest::newRow("item list by shop and category")
            << 1 << QStringList{"#5", "#6", "#2", "#3", "#4", "#1"};
        QTest::newRow("item list by category")
            << 2 << QStringList{"#3", "#6", "#5", "#4", "#2", "#1"};
    }
    void namesEqualButForCase() {
        QFETCH(int, report);
        QFETCH(QStringList, expected);
        FL_Cat = false;
        FL_Sort = 0;
        IDR_Errors = false;
        IDR_Sort = static_cast<uint8_t>(report - 1);
        const auto [meat, dairy, dairyAgain, upper, lower] = CaseTwins();
        TShopProd *yoghurt = Prod("Yoghurt", "g", dairyAgain);
        TShopProd *steak = Prod("Steak", "g", meat);
        TShopProd *cheese = Prod("Cheese", "g", dairy);
        TShopProd *milk = Prod("Milk", "l", dairy);
        TShopProd *butter = Prod("Butter", "g", dairyAgain);
        Item(steak, "#1", 1, 1, lower, 0);
        Item(yoghurt, "#2", 1, 1, upper, 0);
        Item(cheese, "#3", 1, 1, lower, 0);
        Item(butter, "#4", 1, 1, lower, 0);
        Item(milk, "#5", 1, 1, upper, 0);
        Item(cheese, "#6", 1, 1, upper, 0);
        RecordingCanvas c;
        QVERIFY(report == 0 ? PrintFridgeList(c, Dated) : PrintItemList(c, Dated));
        const QStringList products = Names(ProductTypes);
        QCOMPARE(TextsWhere(c,
                            [&](const QString &t) {
                                return report == 0 ? products.contains(t) : t.startsWith('#');
                            }),
                 expected);
    }

    // The shopping list's order: items without a shop first, in the order they had; then by
    // shop and walking order, two shops whose names differ only in case each in a section
    // of its own, in the order of the shop list.
    void shoppingListOrder() {
        const auto [meat, dairy, dairyAgain, upper, lower] = CaseTwins();
        TShopProd *steak = Prod("Steak", "g", meat);
        TShopProd *cheese = Prod("Cheese", "g", dairy);
        TShopProd *butter = Prod("Butter", "g", dairyAgain);
        Item(steak, "#1", 1, 1, lower, 1);
        Item(cheese, "#x", 1, 1, nullptr, 1);
        Item(butter, "#2", 1, 1, upper, 1);
        Item(cheese, "#3", 1, 1, lower, 1);
        Item(steak, "#y", 1, 1, nullptr, 1);
        Item(butter, "#4", 1, 1, lower, 1);
        Item(cheese, "#5", 1, 1, upper, 1);
        Item(cheese, "#6", 1, 1, upper, 1);
        RecordingCanvas c;
        QVERIFY(PrintShoppingList(c, Dated));
        QStringList printed = TextsWhere(c, [](const QString &t) {
            return t.contains('#') || t.startsWith(QStringLiteral("Shopping list for"));
        });
        for (QString &t : printed)
            t = t.mid(t.contains('#') ? t.indexOf('#') : 18);
        QCOMPARE(printed.join(','), QStringLiteral("*,#x,#y,CORNER,#5,#6,#2,Corner,#1,#3,#4"));
    }

    // The aisle column names a category at the first item of each run of it; an item without
    // a category names none and ends the run.
    void categoryNamedAtEachRun() {
        TShopCat *frozen = Cat("Frozen");
        TShopShop *corner = Shop("Corner", {Cat("Dairy")});
        Item(Prod("IceCream", "l", frozen), "#1", 1, 1, corner, 1);
        Item(Prod("Soap", "g", nullptr), "#2", 1, 1, corner, 1);
        Item(Prod("Sorbet", "l", frozen), "#3", 1, 1, corner, 1);
        Item(ProductTypes[2], "#4", 1, 1, corner, 1);
        RecordingCanvas c;
        QVERIFY(PrintShoppingList(c, Dated));
        QStringList rows;
        for (const QString &line : Lines(c, 24, 96))
            if (line.contains('#'))
                rows << line.section(QStringLiteral(": "), 1).section(QStringLiteral(" | "), 0, 2);
        QCOMPARE(rows, QStringList({"Frozen | 1 | IceCream #1", "1 | Soap #2 | 1g",
                                    "Frozen | 1 | Sorbet #3", "1 | Sorbet #4 | 1l"}));
    }

    // Each order of the fridge list and the master item list, on one catalogue that tells
    // them all apart; the report prints in that order.
    void reportOrders_data() {
        QTest::addColumn<bool>("fridge");
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fridge list by category") << true << 0 << "Bread,Milk,Apples,Soap";
        QTest::newRow("fridge list by name") << true << 1 << "Apples,Bread,Milk,Soap";
        QTest::newRow("items by shop and category") << false << 0 << "#b,#c,#d,#i,#f,#a,#e,#h,#g";
        QTest::newRow("items by category") << false << 1 << "#b,#f,#a,#g,#c,#e,#i,#d,#h";
        QTest::newRow("items by product type") << false << 2 << "#c,#b,#f,#a,#g,#e,#i,#d,#h";
        QTest::newRow("items in the present order") << false << 5 << "#a,#b,#c,#d,#e,#f,#g,#h,#i";
    }
    void reportOrders() {
        QFETCH(bool, fridge);
        QFETCH(int, order);
        QFETCH(QString, expected);
        FL_Sort = IDR_Sort = static_cast<uint8_t>(order);
        TShopCat *dairy = Cat("Dairy");
        TShopCat *bakery = Cat("Bakery");
        TShopCat *fruit = Cat("Fruit");
        TShopShop *beta = Shop("Beta", {bakery, dairy});
        TShopShop *alpha = Shop("Alpha", {dairy});
        // What lacks a category or a product type stands before what has one, so that an
        // order which leaves them where they were is seen.
        TShopProd *soap = Prod("Soap", "", nullptr);
        TShopProd *milk = Prod("Milk", "l", dairy);
        TShopProd *bread = Prod("Bread", "g", bakery);
        Item(milk, "#a", 1, 1, beta, 0);
        Item(bread, "#b", 1, 1, alpha, 0);
        Item(Prod("Apples", "kg", fruit), "#c", 1, 1, alpha, 0);
        Item(nullptr, "#d", 1, 1, alpha, 0);
        Item(soap, "#e", 1, 1, beta, 0);
        Item(bread, "#f", 1, 1, beta, 0);
        Item(milk, "#g", 1, 1, nullptr, 0);
        Item(nullptr, "#h", 1, 1, beta, 0);
        Item(soap, "#i", 1, 1, alpha, 0);
        const QStringList products = Names(ProductTypes);
        RecordingCanvas c;
        QVERIFY(fridge ? PrintFridgeList(c, Dated) : PrintItemList(c, Dated));
        const QStringList printed = TextsWhere(
            c, [&](const QString &t) { return fridge ? products.contains(t) : t.startsWith('#'); });
        QCOMPARE(printed.join(','), expected);
    }

    // Only items with a quantity above 0 are on the shopping list.
    void shoppingListHoldsPositiveQuantities_data() {
        QTest::addColumn<int>("quantity");
        QTest::newRow("below 0") << -1;
        QTest::newRow("0") << 0;
        QTest::newRow("1") << 1;
    }
    void shoppingListHoldsPositiveQuantities() {
        QFETCH(int, quantity);
        Item(Prod("Milk", "l", nullptr), "Tested", 1, 1, nullptr, quantity);
        QCOMPARE(NothingToPrint(Report::ShoppingList), quantity <= 0);
        Item(ProductTypes[0], "Other", 1, 1, nullptr, 1);
        RecordingCanvas c;
        QVERIFY(PrintShoppingList(c, Dated));
        QCOMPARE(bool(c.Find("Milk Tested")), quantity > 0);
    }

    // The master item list breaks the page where the next line would lie in the four lines
    // kept free at its bottom, and repeats its heading: a line ending at 336 - 96 still fits.
    void itemListPageBreaks_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("onFirstPage");
        QTest::newRow("the last line touches the bottom space") << 336 << 4;
        QTest::newRow("a pixel less") << 335 << 3;
    }
    void itemListPageBreaks() {
        QFETCH(int, height);
        QFETCH(int, onFirstPage);
        IDR_Sort = 5;
        IDR_Errors = false;
        TShopProd *milk = Prod("Milk", "l", nullptr);
        for (int i = 0; i < 6; ++i)
            Item(milk, "Acme", 1, 1, nullptr, 0);
        RecordingCanvas c(10, 1000, height);
        QVERIFY(PrintItemList(c, Dated));
        QStringList expected;
        for (int page = 1, item = 0; item < 6; ++page) {
            expected << QString("%1.1: Product | Brand | Category | Size | Price | Shop").arg(page)
                     << QString("%1.2: ----").arg(page);
            for (int line = 3; line < 3 + onFirstPage && item < 6; ++line, ++item)
                expected << QString("%1.%2: Milk | Acme | * | 1l | 1.00 | *").arg(page).arg(line);
        }
        QCOMPARE(Lines(c, 24, 96), expected);
    }

    // The master item list's prices stand on their decimal points.
    void itemListAlignsPrices() {
        IDR_Sort = 5;
        TShopProd *milk = Prod("Milk", "l", nullptr);
        Item(milk, "Acme", 1, 1.5f, nullptr, 0);
        Item(milk, "Acme", 1, 1234.25f, nullptr, 0);
        RecordingCanvas c;
        QVERIFY(PrintItemList(c, Dated));
        QCOMPARE(c.Find("1.50")->x + c.TextWidth("1"), c.Find("1234.25")->x + c.TextWidth("1234"));
    }

    // Each column of the two tabular reports stands where its measure puts it: a number of
    // wide letters or digits from the margin or from the column beside it.
    void columnsStandWhereTheyAreMeasured_data() {
        QTest::addColumn<int>("report");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("xs");
        // Shopping list: the aisle 2 W in, quantity 20 letters on, item 4 digits on; the
        // total's decimal point 3 characters from the right margin, the price's 8 before it
        // and the size 11 before that. A heading over an aligned column (no decimal point)
        // stands centred on the point, here 25 left of it.
        QTest::newRow("shopping list")
            << int(Report::ShoppingList)
            << QStringList{"Aisle", "Qty", "Item", "Size", "Price", "Total"}
            << QList<int>{60, 260, 300, 740, 850 - 25, 930 - 25};
        // The closing lines: their text in the item column, the shop's total on the total's
        // decimal point, the grand total in bold (12 a character) on it too.
        QTest::newRow("shopping list's totals")
            << int(Report::ShoppingList)
            << QStringList{"Total for Alpha", "11.00", "(This total is not accurate.",
                           "Grand total", "$17.20"}
            << QList<int>{300, 930 - 20, 300, 300, 930 - 36};
        // Master list: brand 13 W in; shop 9 W from the right margin, the price's decimal
        // point 5 characters before it, size 7 and category 9 before that.
        QTest::newRow("master item list")
            << int(Report::ItemList)
            << QStringList{"Product", "Brand", "Category", "Size", "Price", "Shop"}
            << QList<int>{40, 170, 660, 750, 820 - 25, 870};
    }
    void columnsStandWhereTheyAreMeasured() {
        QFETCH(int, report);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, xs);
        BuildTrip();
        IDR_Sort = 5;
        RecordingCanvas c;
        QVERIFY(report == int(Report::ShoppingList) ? PrintShoppingList(c, Dated)
                                                    : PrintItemList(c, Dated));
        QList<int> found;
        for (const QString &text : texts) {
            const CanvasOp *op = c.Find(text.toStdString());
            QVERIFY2(op, qPrintable(text));
            found << op->x;
        }
        QCOMPARE(found, xs);
    }

    // Any aisle of the item's shop may hold its category.
    void itemListFindsTheAisle_data() {
        QTest::addColumn<QStringList>("aisles");
        QTest::addColumn<bool>("noted");
        QTest::newRow("the first aisle") << QStringList{"Dairy", "Meat"} << false;
        QTest::newRow("a later aisle") << QStringList{"Meat", "Fish", "Dairy"} << false;
        QTest::newRow("none of them") << QStringList{"Meat", "Fish"} << true;
        QTest::newRow("no aisles") << QStringList{} << true;
    }
    void itemListFindsTheAisle() {
        QFETCH(QStringList, aisles);
        QFETCH(bool, noted);
        IDR_Errors = true;
        TShopCat *dairy = Cat("Dairy");
        TShopShop *shop = Shop("Corner", {});
        for (const QString &name : aisles)
            shop->Aisle.Add(std::make_unique<TShopAisle>())->Category =
                name == "Dairy" ? dairy : Cat(qPrintable(name));
        Item(Prod("Milk", "l", dairy), "Acme", 1, 1, shop, 0);
        RecordingCanvas c;
        QVERIFY(PrintItemList(c, Dated));
        QCOMPARE(bool(c.Find("This shop does not have an aisle for this category.")), noted);
    }

    // The fridge list's columns hold each entry with its category measured in italics, as it
    // is drawn: here the page is one line high and "P (Dairy)" takes 24 + 10 + 5 + 8 * 11.
    void fridgeColumnsMeasureItalics_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("secondLength"); // of its name
        QTest::addColumn<int>("secondAt");     // page * 1000 + x of the second entry's name
        QTest::newRow("two columns just hold it") << 80 + 2 * 127 << 1 << 1000 + 40 + 127 + 24;
        QTest::newRow("a pixel short: one") << 80 + 2 * 127 - 1 << 1 << 2000 + 40 + 24;
        // Only an entry with another to its right on the line must fit its column.
        QTest::newRow("the last may run on") << 1000 << 40 << 1000 + 40 + 460 + 24;
    }
    void fridgeColumnsMeasureItalics() {
        QFETCH(int, width);
        QFETCH(int, secondLength);
        QFETCH(int, secondAt);
        FL_Cat = true;
        FL_Sort = 1;
        TShopCat *dairy = Cat("Dairy");
        Prod("P", "", dairy);
        const std::string secondName(std::size_t(secondLength), 'Q');
        Prod(secondName.c_str(), "", dairy);
        RecordingCanvas c(10, width, 340);
        QVERIFY(PrintFridgeList(c, Dated));
        const CanvasOp *second = c.Find(secondName);
        QVERIFY(second);
        QCOMPARE(second->page * 1000 + second->x, secondAt);
    }

    // The date and page go beside the shopping list's title, measured in bold, while half a
    // bold W stays between them; else on the line below. Here: 24 bold characters of title,
    // 19 of date and page, a gap of 6, margins of 40.
    void shoppingListDateBesideTitle_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("lineOfDate");
        QTest::newRow("just beside") << 40 + 288 + 6 + 228 + 40 << 0;
        QTest::newRow("a pixel short") << 40 + 288 + 6 + 228 + 40 - 1 << 1;
    }
    void shoppingListDateBesideTitle() {
        QFETCH(int, width);
        QFETCH(int, lineOfDate);
        Item(Prod("Milk", "l", nullptr), "Acme", 1, 1, Shop("Corner", {}), 1);
        RecordingCanvas c(10, width, 1400);
        QVERIFY(PrintShoppingList(c, Dated));
        const CanvasOp *title = c.Find("Shopping list for Corner");
        const CanvasOp *date = c.Find("1/2/2025     Page 1");
        QVERIFY(title && date);
        QCOMPARE(QList<int>({date->x + 228, date->y - title->y}),
                 QList<int>({width - 40, lineOfDate * 24}));
    }

    // Each report tells its progress once per record of the list it goes through, the
    // skipped ones too: 1 of n to n of n; and ends its job once.
    void progressCountsEveryRecord_data() {
        QTest::addColumn<int>("report");
        QTest::addColumn<int>("records");
        QTest::newRow("shopping list: every item") << int(Report::ShoppingList) << 9;
        QTest::newRow("fridge list: every product type") << int(Report::FridgeList) << 6;
        QTest::newRow("master item list: every item") << int(Report::ItemList) << 9;
    }
    void progressCountsEveryRecord() {
        QFETCH(int, report);
        QFETCH(int, records);
        BuildTrip();
        QList<QPoint> told;
        const ReportOptions options{"1/2/2025",
                                    [&](int done, int total) { told << QPoint(done, total); }};
        RecordingCanvas c;
        QVERIFY(PrintReport(Report(report), c, options));
        QList<QPoint> expected;
        for (int i = 1; i <= records; ++i)
            expected << QPoint(i, records);
        QCOMPARE(told, expected);
        QCOMPARE(c.ended, 1);
    }

    void emptyListsStartNoJob() {
        for (const Report report : {Report::ShoppingList, Report::FridgeList, Report::ItemList}) {
            RecordingCanvas none;
            QVERIFY(NothingToPrint(report));
            QVERIFY(PrintReport(report, none));
            QCOMPARE(none.begun, 0);
        }
        Prod("Milk", "l", nullptr);
        Item(ProductTypes[0], "Acme", 1, 1, nullptr, 0); // not on the shopping list
        QVERIFY(NothingToPrint(Report::ShoppingList));
        QVERIFY(!NothingToPrint(Report::FridgeList));
        RecordingCanvas c;
        QVERIFY(PrintShoppingList(c));
        QCOMPARE(c.begun, 0);
        // A printer that refuses the job is reported, whichever report it was.
        c.refuse = true;
        QVERIFY(!PrintItemList(c));
        QVERIFY(!PrintFridgeList(c));
        Items[0]->Quantity = 1;
        QVERIFY(!PrintShoppingList(c, Dated));
    }

    // Without a date of its own, the shopping list is dated today in the short date format.
    void datedTodayByDefault() {
        Item(Prod("Milk", "l", nullptr), "Acme", 1, 1, nullptr, 1);
        const auto heading = [] {
            return QDate::currentDate().toString(QStringLiteral("M/d/yyyy")).toStdString() +
                   "     Page 1";
        };
        const std::string before = heading(); // the day may change while it prints
        RecordingCanvas c;
        QVERIFY(PrintShoppingList(c));
        QVERIFY(c.Find(before) || c.Find(heading()));
    }

private:
    // Two categories and two shops whose names differ only in case, each shop with an aisle
    // for every category.
    struct Twins {
        TShopCat *meat, *dairy, *dairyAgain;
        TShopShop *upper, *lower;
    };
    static Twins CaseTwins() {
        TShopCat *meat = Cat("Meat");
        TShopCat *dairy = Cat("Dairy");
        TShopCat *dairyAgain = Cat("DAIRY");
        return {meat, dairy, dairyAgain, Shop("CORNER", {meat, dairy, dairyAgain}),
                Shop("Corner", {meat, dairy, dairyAgain})};
    }

    // Three shops added out of name order, with aisles; items on the list at each, one
    // without a shop, one unpriced, one not on the list.
    static void BuildTrip() {
        TShopCat *dairy = Cat("Dairy");
        TShopCat *bakery = Cat("Bakery");
        TShopCat *fruit = Cat("Fruit");
        TShopCat *frozen = Cat("Frozen");
        TShopShop *gamma = Shop("Gamma", {fruit});
        TShopShop *alpha = Shop("Alpha", {dairy, bakery});
        TShopShop *beta = Shop("Beta", {fruit});
        TShopProd *milk = Prod("Milk", "l", dairy);
        TShopProd *cheese = Prod("Cheese", "g", dairy);
        TShopProd *bread = Prod("Bread", "g", bakery);
        TShopProd *ice = Prod("IceCream", "l", frozen);
        TShopProd *apples = Prod("Apples", "kg", fruit);
        TShopProd *pears = Prod("Pears", "kg", fruit);
        Item(bread, "Baker", 800, 1.25f, alpha, 2);
        Item(apples, "Orchard", 1, 0, beta, 3);
        Item(milk, "Acme", 2, 1.5f, alpha, 1);
        Item(cheese, "Acme", 250, 4, alpha, 1);
        Item(ice, "Cold", 1, 3, alpha, 1);
        Item(pears, "Orchard", 1, 2, beta, 1);
        Item(apples, "Farm", 1.5f, 2.2f, gamma, 1);
        Item(milk, "Other", 1, 1, beta, 0);
        Item(pears, "Loose", 0.5f, 1, nullptr, 2);
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "tst_Reports.moc"

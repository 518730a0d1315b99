// The price analysis without a window: which items are analysed and offered, the order in
// which findings come, packs and savings in 4-byte floats, replacing, and the texts.

#include "catalogue/NumberFormat.h"
#include "catalogue/Regional.h"
#include "catalogue/ShopData.h"
#include "shopping/PriceAnalysis.h"

#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(Regional)

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

struct Catalogue {
    TShopProd *flour;
    TShopProd *sugar;
    TShopShop *corner;
    TShopShop *depot;
};

Catalogue BuildBasics() {
    ClearCatalogue();
    TShopCat *baking = Categories.Add(std::make_unique<TShopCat>("Baking"));
    return {ProductTypes.Add(std::make_unique<TShopProd>("Flour", "g", baking)),
            ProductTypes.Add(std::make_unique<TShopProd>("Sugar", "g", baking)),
            Shops.Add(std::make_unique<TShopShop>("Corner")),
            Shops.Add(std::make_unique<TShopShop>("Depot"))};
}

TShopItem *AddItem(TShopProd *product, const char *brand, float size, float price, TShopShop *shop,
                   int16_t quantity = 0) {
    TShopItem *item = Items.Add(std::make_unique<TShopItem>(product, brand, size, price, shop));
    item->Quantity = quantity;
    return item;
}

QList<int> Positions(const std::vector<TShopItem *> &items) {
    QList<int> out;
    for (const TShopItem *item : items)
        out << Items.IndexOf(item);
    return out;
}

} // namespace

class TestPriceAnalysis : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { SetCurrentRegional(Regional::EnglishUS()); }
    void cleanup() { ClearCatalogue(); }

    // One analysed item and one other item; whether the other is offered for it. The
    // analysed item by default: 3 x Flour 500g at 2.00 at Corner.
    void offered_data() {
        QTest::addColumn<int>("itemProduct"); // 0 Flour, 1 Sugar, 2 none
        QTest::addColumn<float>("itemSize");
        QTest::addColumn<float>("itemPrice");
        QTest::addColumn<bool>("itemShop");
        QTest::addColumn<int>("itemQuantity");
        QTest::addColumn<int>("altProduct");
        QTest::addColumn<float>("altSize");
        QTest::addColumn<float>("altPrice");
        QTest::addColumn<int>("altShop"); // 0 none, 1 Corner, 2 Depot
        QTest::addColumn<bool>("offered");
        auto row = [](const char *name, int ip, float is, float ipr, bool ish, int iq, int ap,
                      float as, float apr, int ash, bool offered) {
            QTest::newRow(name) << ip << is << ipr << ish << iq << ap << as << apr << ash
                                << offered;
        };
        row("cheaper per unit at another shop", 0, 500, 2, true, 3, 0, 1000, 2.5f, 2, true);
        row("the same shop counts", 0, 500, 2, true, 3, 0, 1000, 2.5f, 1, true);
        row("equal unit price", 0, 500, 2, true, 3, 0, 1000, 4, 2, false);
        row("a cent cheaper", 0, 500, 2, true, 3, 0, 1000, 3.99f, 2, true);
        row("less than a cent cheaper is the same", 0, 500, 2, true, 3, 0, 1000, 3.9999998f, 2,
            false);
        row("a size equal as shown is the same", 0, 500, 2, true, 3, 0, 1000.0001f, 4, 2, false);
        row("dearer per unit", 0, 500, 2, true, 3, 0, 250, 1.5f, 2, false);
        row("another product type", 0, 500, 2, true, 3, 1, 1000, 2.5f, 2, false);
        row("alternative without price", 0, 500, 2, true, 3, 0, 1000, 0, 2, false);
        row("alternative without shop", 0, 500, 2, true, 3, 0, 1000, 2.5f, 0, false);
        row("alternative of size 0", 0, 500, 2, true, 3, 0, 0, 2.5f, 2, false);
        row("alternative of negative size", 0, 500, 2, true, 3, 0, -1000, 2.5f, 2, false);
        row("alternative of infinite size", 0, 500, 2, true, 3, 0, Inf, 2.5f, 2, false);
        row("alternative of size NaN", 0, 500, 2, true, 3, 0, NaN, 2.5f, 2, false);
        row("item without price", 0, 500, 0, true, 3, 0, 1000, 2.5f, 2, false);
        row("item of size 0", 0, 0, 2, true, 3, 0, 1000, 2.5f, 2, false);
        row("item of a size below 1", 0, 0.5f, 2, true, 3, 0, 1000, 2.5f, 2, true);
        row("item of infinite price", 0, 500, Inf, true, 3, 0, 1000, 2.5f, 2, false);
        row("item off the list", 0, 500, 2, true, 0, 0, 1000, 2.5f, 2, false);
        row("both without product type", 2, 500, 2, true, 3, 2, 1000, 2.5f, 2, false);
        row("item without shop is analysed", 0, 500, 2, false, 3, 0, 1000, 2.5f, 2, true);
        row("item without shop, none other of its type", 0, 500, 2, false, 3, 1, 1000, 2.5f, 2,
            false);
    }
    void offered() {
        QFETCH(int, itemProduct);
        QFETCH(float, itemSize);
        QFETCH(float, itemPrice);
        QFETCH(bool, itemShop);
        QFETCH(int, itemQuantity);
        QFETCH(int, altProduct);
        QFETCH(float, altSize);
        QFETCH(float, altPrice);
        QFETCH(int, altShop);
        QFETCH(bool, offered);
        const Catalogue c = BuildBasics();
        TShopProd *products[] = {c.flour, c.sugar, nullptr};
        TShopShop *shops[] = {nullptr, c.corner, c.depot};
        // The other item first, so that it is looked at as an item to analyse too.
        TShopItem *alt = AddItem(products[altProduct], "Bulk", altSize, altPrice, shops[altShop]);
        TShopItem *item =
            AddItem(products[itemProduct], "Acme", itemSize, itemPrice,
                    itemShop ? c.corner : nullptr, static_cast<int16_t>(itemQuantity));

        const AlternativesIndex index(Items);
        std::vector<TShopItem *> found;
        QCOMPARE(index.FindNext(0, found), offered ? 1 : 2);
        QCOMPARE(found, offered ? std::vector<TShopItem *>{alt} : std::vector<TShopItem *>{});
        QCOMPARE(index.AlternativesOf(0), std::vector<TShopItem *>{}); // alt is off the list
        if (offered)
            QVERIFY(FindingText(*item, 1).ends_with(itemShop ? " at Corner $2.00" : " at * $2.00"));
    }

    // Where the shown digits decide: sizes that differ in the seventh digit at a cent each, or
    // only in the stored float; prices beyond a 64-bit count of cents or below 0 (only a file
    // holds them), compared as stored. Nothing is cheaper than itself, and an item without a
    // unit price is neither cheaper nor dearer.
    void cheaperNearEqual_data() {
        QTest::addColumn<float>("altSize");
        QTest::addColumn<float>("altPrice");
        QTest::addColumn<float>("itemSize");
        QTest::addColumn<float>("itemPrice");
        QTest::addColumn<bool>("cheaper");
        QTest::newRow("a little smaller is dearer") << 0.9999999f << 0.01f << 1.f << 0.01f << false;
        QTest::newRow("a little larger is cheaper") << 1.f << 0.01f << 0.9999999f << 0.01f << true;
        QTest::newRow("under half a cent is 0 cents") << 2.f << 0.001f << 1.f << 0.001f << false;
        QTest::newRow("beyond cents: cheaper") << 1000.f << 1e20f << 500.f << 1e20f << true;
        QTest::newRow("beyond cents: dearer") << 500.f << 1e20f << 1000.f << 1e20f << false;
        QTest::newRow("beyond cents, near-equal") << 1.f << 1e20f << 0.9999999f << 1e20f << true;
        QTest::newRow("one price beyond cents, the same per unit")
            << 1e18f << 1e18f << 1.f << 1.f << false;
        // Four steps of a float above 1, still 1.000000 as shown.
        QTest::newRow("the same size as shown") << 1.0000005f << 0.01f << 1.f << 0.01f << false;
        QTest::newRow("negative prices as numbers")
            << 0.9999999f << -0.01f << 1.f << -0.01f << true;
        QTest::newRow("no unit price: an endless size") << 3e38f << 1.f << Inf << 1.f << false;
        QTest::newRow("no unit price: no size") << 0.f << 1.f << 1.f << 1.f << false;
        QTest::newRow("no unit price: no number") << NaN << -1.f << 1.f << 1.f << false;
    }
    void cheaperNearEqual() {
        QFETCH(float, altSize);
        QFETCH(float, altPrice);
        QFETCH(float, itemSize);
        QFETCH(float, itemPrice);
        QFETCH(bool, cheaper);
        const TShopItem alt(nullptr, "", altSize, altPrice, nullptr);
        const TShopItem item(nullptr, "", itemSize, itemPrice, nullptr);
        QCOMPARE(CheaperPerUnit(alt, item), cheaper);
        QVERIFY(!CheaperPerUnit(alt, alt));
        if (!HasUnitPrice(alt) || !HasUnitPrice(item))
            QVERIFY(!CheaperPerUnit(item, alt));
    }

    // Unit prices compare as the user entered them, whole cents over sizes as shown: over
    // common sizes and whole-cent prices, an offer at the same price per unit is never
    // cheaper (1.20 is stored a little above 1.20), one a cent below it always is.
    void cheaperAsEntered() {
        const int tenths[] = {1,   3,    5,    10,   15,   20,   25,   30,    60,
                              120, 1000, 2500, 3000, 5000, 6000, 7500, 10000, 20000};
        int wrong = 0;
        QString first;
        for (const int itemSize : tenths)
            for (const int altSize : tenths)
                for (long long itemCents = 1; itemCents <= 400; ++itemCents) {
                    // The alternative's price at the same unit price, when it is whole cents.
                    if (itemCents * altSize % itemSize != 0)
                        continue;
                    const long long same = itemCents * altSize / itemSize;
                    const TShopItem item(nullptr, "", float(itemSize) / 10, float(itemCents) / 100,
                                         nullptr);
                    for (const long long altCents : {same - 1, same, same + 1}) {
                        if (altCents <= 0)
                            continue;
                        const TShopItem alt(nullptr, "", float(altSize) / 10, float(altCents) / 100,
                                            nullptr);
                        if (CheaperPerUnit(alt, item) == (altCents < same) &&
                            CheaperPerUnit(item, alt) == (altCents > same))
                            continue;
                        if (wrong++ == 0)
                            first = QString("%1 at %2 against %3 at %4")
                                        .arg(altSize / 10.0)
                                        .arg(altCents / 100.0)
                                        .arg(itemSize / 10.0)
                                        .arg(itemCents / 100.0);
                    }
                }
        QVERIFY2(wrong == 0, qPrintable(QString::number(wrong) + " wrong, first " + first));
    }

    // Findings come in list order from the position asked, each with its alternatives in list
    // order; an item raised onto the list by a replacement is analysed when reached.
    void findNextWalksTheList() {
        const Catalogue c = BuildBasics();
        std::vector<TShopItem *> found;
        QCOMPARE(AlternativesIndex(Items).FindNext(0, found), 0); // empty list
        QVERIFY(found.empty());

        AddItem(c.sugar, "Cheap", 1000, 1, c.depot);                      // 0
        TShopItem *flour = AddItem(c.flour, "Acme", 500, 2, c.corner, 3); // 1
        TShopItem *big = AddItem(c.flour, "Bulk", 1000, 2.5f, c.depot);   // 2
        AddItem(c.flour, "Tiny", 250, 0.4f, c.corner);                    // 3: cheapest flour
        AddItem(c.sugar, "Fancy", 500, 1, c.corner, 1);                   // 4
        AddItem(c.flour, "Bulk", 1000, 2.5f, c.corner, 2);                // 5: same unit price as 2
        const AlternativesIndex index(Items);

        QCOMPARE(index.FindNext(-1, found), 1);
        QCOMPARE(Positions(found), QList<int>({2, 3, 5}));
        QCOMPARE(index.FindNext(2, found), 4);
        QCOMPARE(Positions(found), QList<int>({0}));
        QCOMPARE(index.FindNext(5, found), 5);
        QCOMPARE(Positions(found), QList<int>({3}));
        QCOMPARE(index.FindNext(6, found), 6);
        QVERIFY(found.empty());

        QVERIFY(ReplaceItem(*flour, *big));
        QCOMPARE(index.FindNext(2, found), 2);
        QCOMPARE(Positions(found), QList<int>({3}));

        // From before the start, the first item is looked at too.
        const Catalogue d = BuildBasics();
        AddItem(d.flour, "Acme", 500, 2, d.corner, 3);
        AddItem(d.flour, "Bulk", 1000, 2.5f, d.depot);
        QCOMPARE(AlternativesIndex(Items).FindNext(-1, found), 0);
    }

    // Packs and saving for quantity x size at price against one pack of the alternative.
    void substitution_data() {
        QTest::addColumn<int>("quantity");
        QTest::addColumn<float>("size");
        QTest::addColumn<float>("price");
        QTest::addColumn<float>("altSize");
        QTest::addColumn<float>("altPrice");
        QTest::addColumn<float>("packs");
        QTest::addColumn<float>("saving");
        QTest::addColumn<QString>("text");
        QTest::newRow("bigger pack saves") << 3 << 500.f << 2.f << 1000.f << 2.5f << 2.f << 1.f
                                           << "Substituting this item will save you $1.00";
        QTest::newRow("a whole pack costs extra")
            << 2 << 250.f << 1.f << 1000.f << 3.f << 1.f << -1.f
            << "Substituting this item will cost an extra $1.00";
        QTest::newRow("saving exactly 0") << 1 << 600.f << 1.2f << 1000.f << 1.2f << 1.f << 0.f
                                          << "Substituting this item will cost an extra $0.00";
        QTest::newRow("whole quotient stays") << 4 << 250.f << 1.f << 1000.f << 3.f << 1.f << 1.f
                                              << "Substituting this item will save you $1.00";
        // In doubles 0.3f / 0.1f is just above 3 and would need a fourth pack.
        QTest::newRow("4-byte floats")
            << 1 << 0.3f << 0.9f << 0.1f << 0.2f << 3.f << (0.9f - 3 * 0.2f)
            << "Substituting this item will save you $0.30";
        QTest::newRow("quotient too small for a float")
            << 1 << 1e-30f << 1.f << 1e30f << 0.5f << 1.f << 0.5f
            << "Substituting this item will save you $0.50";
    }
    void substitution() {
        QFETCH(int, quantity);
        QFETCH(float, size);
        QFETCH(float, price);
        QFETCH(float, altSize);
        QFETCH(float, altPrice);
        QFETCH(float, packs);
        QFETCH(float, saving);
        QFETCH(QString, text);
        TShopItem item(nullptr, "", size, price);
        item.Quantity = static_cast<int16_t>(quantity);
        const TShopItem alt(nullptr, "", altSize, altPrice);
        const Substitution s = Substitute(item, alt);
        QCOMPARE(s.packs, packs);
        QCOMPARE(s.saving, saving);
        QCOMPARE(QString::fromStdString(SavingText(s.saving)), text);
    }

    // Replace adds the packs to the alternative's quantity, unless that would pass 32767.
    void replace_data() {
        QTest::addColumn<int>("quantity");
        QTest::addColumn<float>("altSize");
        QTest::addColumn<int>("altQuantity");
        QTest::addColumn<int>("expected"); // -1: refused
        QTest::newRow("off the list") << 3 << 1000.f << 0 << 2;
        QTest::newRow("adds to what is there") << 3 << 1000.f << 5 << 7;
        QTest::newRow("negative counts as 0") << 3 << 1000.f << -3 << 2;
        QTest::newRow("reaches the limit") << 3 << 1000.f << 32765 << 32767;
        QTest::newRow("passes the limit") << 3 << 1000.f << 32766 << -1;
        QTest::newRow("packs beyond 16 bits") << 32767 << 1.f << 0 << -1;
    }
    void replace() {
        QFETCH(int, quantity);
        QFETCH(float, altSize);
        QFETCH(int, altQuantity);
        QFETCH(int, expected);
        TShopItem item(nullptr, "", 500, 2);
        item.Quantity = static_cast<int16_t>(quantity);
        TShopItem alt(nullptr, "", altSize, 2.5f);
        alt.Quantity = static_cast<int16_t>(altQuantity);
        QCOMPARE(ReplaceItem(item, alt), expected >= 0);
        QCOMPARE(int(alt.Quantity), expected >= 0 ? expected : altQuantity);
        QCOMPARE(int(item.Quantity), expected >= 0 ? 0 : quantity);
    }

    // The texts, in the user's currency format.
    void texts_data() {
        QTest::addColumn<Regional>("regional");
        QTest::addColumn<QString>("alternative");
        QTest::addColumn<QString>("one");
        QTest::addColumn<QString>("several");
        QTest::newRow("English (United States)")
            << Regional::EnglishUS() << "Bulk Flour 1.5g at Depot $1,234.50"
            << "The following item is cheaper per g than 500g Acme Flour at Corner $2.00"
            << "The following items are cheaper per g than 500g Acme Flour at Corner $2.00";
        QTest::newRow("symbol after, comma decimals")
            << Regional{.CurrencySymbol = "kr",
                        .CurrencyFormat = 3,
                        .DecimalSeparator = ',',
                        .ThousandSeparator = '.'}
            << "Bulk Flour 1,5g at Depot 1.234,50 kr"
            << "The following item is cheaper per g than 500g Acme Flour at Corner 2,00 kr"
            << "The following items are cheaper per g than 500g Acme Flour at Corner 2,00 kr";
    }
    void texts() {
        QFETCH(Regional, regional);
        QFETCH(QString, alternative);
        QFETCH(QString, one);
        QFETCH(QString, several);
        SetCurrentRegional(regional);
        const Catalogue c = BuildBasics();
        const TShopItem *item = AddItem(c.flour, "Acme", 500, 2, c.corner, 3);
        const TShopItem *alt = AddItem(c.flour, "Bulk", 1.5f, 1234.5f, c.depot);
        QCOMPARE(QString::fromStdString(AlternativeText(*alt)), alternative);
        QCOMPARE(QString::fromStdString(FindingText(*item, 1)), one);
        QCOMPARE(QString::fromStdString(FindingText(*item, 2)), several);
    }
};

QTEST_GUILESS_MAIN(TestPriceAnalysis)
#include "tst_PriceAnalysis.moc"

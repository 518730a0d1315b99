// Purging the product types no item uses: exactly those go, the others keep their order.

#include "catalogue/ShopData.h"
#include "catalogue/UnusedProducts.h"

#include <QtTest>

class TestUnusedProducts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { ClearCatalogue(); }

    void deleteUnused_data() {
        QTest::addColumn<QString>("types");
        QTest::addColumn<QString>("used"); // by an item each; an item without a type too
        QTest::addColumn<QString>("kept");
        QTest::newRow("no product types") << ""
                                          << ""
                                          << "";
        QTest::newRow("none used") << "ABC"
                                   << ""
                                   << "";
        QTest::newRow("all used") << "ABC"
                                  << "CAB"
                                  << "ABC";
        QTest::newRow("the ends used") << "ABCD"
                                       << "DA"
                                       << "AD";
        QTest::newRow("the middle used twice") << "ABC"
                                               << "BB"
                                               << "B";
    }
    void deleteUnused() {
        QFETCH(QString, types);
        QFETCH(QString, used);
        QFETCH(QString, kept);
        for (const QChar name : types) {
            // A mark left from an earlier purge does not keep a product type.
            ProductTypes.Add(std::make_unique<TShopProd>(QString(name).toStdString()))->Used = true;
        }
        Items.Add(std::make_unique<TShopItem>());
        for (const QChar name : used)
            Items.Add(std::make_unique<TShopItem>(ProductTypes[int(types.indexOf(name))]));
        QCOMPARE(DeleteUnusedProducts(), int(types.size() - kept.size()));
        QString left;
        for (const auto &product : ProductTypes)
            left += QString::fromStdString(product->Name);
        QCOMPARE(left, kept);
    }
};

QTEST_GUILESS_MAIN(TestUnusedProducts)
#include "tst_UnusedProducts.moc"

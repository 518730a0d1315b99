// Sizes, prices and quantities as the user types them: what is refused, and the float that is
// stored.

#include "catalogue/NumberEntry.h"

#include <QtTest>

#include <cfloat>
#include <cmath>

class TestNumberEntry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A refused text has no value; an accepted one stores exactly `value`.
    void parse_data() {
        QTest::addColumn<bool>("price"); // false: a size
        QTest::addColumn<QString>("text");
        QTest::addColumn<char>("separator");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<float>("value");
        const auto size = [](const char *text, bool ok, float v = 0) {
            QTest::addRow("size '%s'", text) << false << text << '.' << ok << v;
        };
        const auto price = [](const char *text, bool ok, float v = 0, char sep = '.') {
            QTest::addRow("price '%s' with '%c'", text, sep) << true << text << sep << ok << v;
        };
        size("0", true, 0);
        size("-0", true, 0);
        size("  +500", true, 500);
        size("00000000016777216", true, 16777216);
        size("12345678", true, 12345678);
        size("16777217", false); // the float would keep 16777216
        size("99999999999999999999", false);
        size("1.5", false);
        size("", false);
        size("-1", false);
        size("12 ", false);
        size("1e3", false);
        size(" ", false);
        size("-", false);
        price("", true, 0);
        price("2.49", true, 2.49f);
        price(" .5 ", true, 0.5f);
        price("5.", true, 5);
        price("1.5E-2", true, 0.015f);
        price("+1e3", true, 1000);
        price("-0", true, 0);
        // Only prices that show the cents typed, that a total can hold, and that are not 0
        // once stored.
        price("99999.99", true, 99999.99f);
        price("12345.67", true, 12345.67f);
        price("123456.8", true, 123456.8f);
        price("123456.78", false);
        price("167772.17", false);
        price("0.001", true, 0.001f);
        price("1e26", true, 1e26f);
        price("1.1e26", false);
        price("3.4028234e38", false);
        price("1e-50", false);
        price("1,5", true, 1.5f, ',');
        price("1.5", false, 0, ',');
        price("1,5", false);
        price("1,000.00", false);
        price("-0.5", false);
        price("1e39", false);
        price("inf", false);
        price("nan", false);
        price("1e99999", false);
        price(".", false);
        price("e5", false);
        price("1e", false);
        price("2.49 $", false);
        price("1e400", false); // beyond even a double
    }
    void parse() {
        QFETCH(bool, price);
        QFETCH(QString, text);
        QFETCH(char, separator);
        QFETCH(bool, accepted);
        QFETCH(float, value);
        Regional r;
        r.DecimalSeparator = separator;
        const auto parsed =
            price ? ParsePrice(text.toStdString(), r) : ParseSize(text.toStdString());
        QCOMPARE(parsed.has_value(), accepted);
        if (accepted) {
            QCOMPARE(*parsed, value);
            QVERIFY(!std::signbit(*parsed)); // "-0" is stored as a plain 0
            // A stored size is shown for editing in a text that gives it back.
            if (!price)
                QCOMPARE(ParseSize(SizeEntryText(value)), std::optional<float>(value));
        }
    }

    // A size is shown for editing in full digits while it is whole and exact in a float;
    // any other (only a file holds them) in the general format, as the lists show it.
    void sizeEntryText_data() {
        QTest::addColumn<float>("size");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0.f << "0";
        QTest::newRow("whole, in full") << 12345678.f << "12345678";
        QTest::newRow("the largest exact") << 16777216.f << "16777216";
        QTest::newRow("a fraction") << 0.5f << "0.5";
        QTest::newRow("whole beyond exact") << 1e9f << "1E+09";
        QTest::newRow("negative") << -123456789.f << "-1.234568E+08";
    }
    void sizeEntryText() {
        QFETCH(float, size);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(SizeEntryText(size)), text);
    }

    // A quantity is kept in 16 bits: anything beyond is refused, never wrapped.
    void quantity_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("quantity"); // -1000: refused
        QTest::newRow("empty is 0") << "" << 0;
        QTest::newRow("blanks, sign") << " +3 " << 3;
        QTest::newRow("negative kept") << "-2" << -2;
        QTest::newRow("zeros only") << "-000" << 0;
        QTest::newRow("highest, leading zeros") << "0000032767" << 32767;
        QTest::newRow("lowest") << "-32768" << -32768;
        QTest::newRow("one above the range") << "32768" << -1000;
        QTest::newRow("below the range") << "-32769" << -1000;
        QTest::newRow("fraction") << "1.5" << -1000;
        QTest::newRow("blanks only") << "  " << -1000;
    }
    void quantity() {
        QFETCH(QString, text);
        QFETCH(int, quantity);
        const auto parsed = ParseQuantity(text.toStdString());
        QCOMPARE(parsed ? int(*parsed) : -1000, quantity);
    }
};

QTEST_MAIN(TestNumberEntry)
#include "tst_NumberEntry.moc"

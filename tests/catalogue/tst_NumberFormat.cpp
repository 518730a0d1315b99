// Number texts: the general format of sizes, money in every regional pattern, fixed
// decimals, and widening the file's single-precision values.

#include "catalogue/NumberFormat.h"
#include "catalogue/Regional.h"

#include <QtTest>

namespace {

// Regional settings with the given currency symbol and patterns.
Regional Money(const char *symbol, int format, int negative, char decimal = '.',
               char thousands = ',') {
    Regional r;
    r.CurrencySymbol = symbol;
    r.CurrencyFormat = format;
    r.NegCurrFormat = negative;
    r.DecimalSeparator = decimal;
    r.ThousandSeparator = thousands;
    return r;
}

} // namespace

Q_DECLARE_METATYPE(Regional)

class TestNumberFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formatGeneral_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        const struct {
            const char *name;
            double value;
            const char *separator, *text;
        } rows[] = {
            {"2", 2.0, ".", "2"},
            {"1.5", 1.5, ".", "1.5"},
            {"0.25", 0.25, ".", "0.25"},
            {"0", 0.0, ".", "0"},
            {"-0", -0.0, ".", "0"},
            {"negative", -2.5, ".", "-2.5"},
            {"regional separator", 1.5, ",", "1,5"},
            {"seven integer digits", 1234567.0, ".", "1234567"},
            {"rounded to seven digits", 3.14159265, ".", "3.141593"},
            {"tie away from zero", 1234567.5, ".", "1234568"},
            {"tie below even", 1234566.5, ".", "1234567"},
            {"just above a tie", 0.12345675, ".", "0.1234568"},
            {"just below a tie", 1.0000015, ".", "1.000001"},
            {"eight digits: scientific", 12345678.0, ".", "1.234568E+07"},
            {"rounds up to eight digits", 9999999.6, ".", "1E+07"},
            {"1.5E+08", 150000000.0, ".", "1.5E+08"},
            {"scientific separator", 150000000.0, ",", "1,5E+08"},
            {"smallest fixed", 0.00001, ".", "0.00001"},
            {"small fixed digits", 0.000012345678, ".", "0.00001234568"},
            {"1E-06", 0.000001, ".", "1E-06"},
            {"rounds up into fixed", 0.0000099999999, ".", "0.00001"},
            {"three exponent digits", -1e100, ".", "-1E+100"},
            {"widened 1.1", SingleToDouble(1.1f), ".", "1.1"},
            {"sum of tenths", 0.1 + 0.2, ".", "0.3"},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.value << r.separator << r.text;
    }
    void formatGeneral() {
        QFETCH(double, value);
        QFETCH(QString, separator);
        QFETCH(QString, text);
        Regional r;
        r.DecimalSeparator = separator.toLatin1().at(0);
        QCOMPARE(QString::fromStdString(FormatGeneral(value, r)), text);
    }

    void formatCurrency_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<Regional>("regional");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QByteArray>("text");
        const Regional us = Regional::EnglishUS();
        const Regional euroAfter = Money("\x80", 3, 8, ',', '.'); // 1.234,50 € / -1.234,50 €
        const Regional afterNoSpace = Money("$", 1, 5);
        const Regional beforeSpace = Money("kr", 2, 12, '.', ' ');
        QTest::newRow("1.5") << 1.5 << us << 2 << QByteArray("$1.50");
        QTest::newRow("zero") << 0.0 << us << 2 << QByteArray("$0.00");
        QTest::newRow("negative in brackets") << -1.5 << us << 2 << QByteArray("($1.50)");
        QTest::newRow("rounds to zero, no sign") << -0.004 << us << 2 << QByteArray("$0.00");
        QTest::newRow("2.675") << 2.675 << us << 2 << QByteArray("$2.68");
        QTest::newRow("carry into thousands") << 999.999 << us << 2 << QByteArray("$1,000.00");
        QTest::newRow("three digits, no separator") << 100.0 << us << 2 << QByteArray("$100.00");
        QTest::newRow("seven digits kept") << 1234567.891 << us << 2 << QByteArray("$1,234,568.00");
        QTest::newRow("six digits and a decimal")
            << 123456.789 << us << 2 << QByteArray("$123,456.80");
        QTest::newRow("eight digits: scientific")
            << 12345678.0 << us << 2 << QByteArray("1.234568E+07");
        QTest::newRow("no decimals") << 1.5 << us << 0 << QByteArray("$2");
        QTest::newRow("three decimals") << 1.2345 << us << 3 << QByteArray("$1.235");
        QTest::newRow("minus first") << -1.5 << Money("$", 0, 1) << 2 << QByteArray("-$1.50");
        QTest::newRow("brackets, symbol after")
            << -1234.5 << Money("$", 3, 15) << 2 << QByteArray("(1,234.50 $)");
        QTest::newRow("no grouping")
            << 1234.5 << Money("$", 0, 0, '.', 0) << 2 << QByteArray("$1234.50");
        QTest::newRow("euro after") << 1234.5 << euroAfter << 2 << QByteArray("1.234,50 \x80");
        QTest::newRow("euro after, negative")
            << -1234.5 << euroAfter << 2 << QByteArray("-1.234,50 \x80");
        QTest::newRow("after, no space") << 1.5 << afterNoSpace << 2 << QByteArray("1.50$");
        QTest::newRow("after, no space, negative")
            << -1.5 << afterNoSpace << 2 << QByteArray("-1.50$");
        QTest::newRow("before with space")
            << 1234567.0 << beforeSpace << 2 << QByteArray("kr 1 234 567.00");
        QTest::newRow("before with space, negative")
            << -2.0 << beforeSpace << 2 << QByteArray("kr -2.00");
    }
    void formatCurrency() {
        QFETCH(double, value);
        QFETCH(Regional, regional);
        QFETCH(int, decimals);
        QFETCH(QByteArray, text);
        QCOMPARE(QByteArray::fromStdString(FormatCurrency(value, regional, decimals)), text);
    }

    void formatFixed_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("1.50") << 1.5 << 2 << "1.50";
        QTest::newRow("0.00") << 0.0 << 2 << "0.00";
        QTest::newRow("no thousands separator") << 1234.5 << 2 << "1234.50";
        QTest::newRow("exact half away from zero") << 0.125 << 2 << "0.13";
        QTest::newRow("negative") << -0.125 << 2 << "-0.13";
        QTest::newRow("rounds to zero") << -0.001 << 2 << "0.00";
        QTest::newRow("2.675") << 2.675 << 2 << "2.68";
        QTest::newRow("no decimals") << 2.5 << 0 << "3";
        QTest::newRow("eight digits: scientific") << 12345678.0 << 2 << "1.234568E+07";
    }
    void formatFixed() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(FormatFixed(value, decimals, Regional::EnglishUS())), text);
    }

    void singleToDouble_data() {
        QTest::addColumn<float>("single");
        QTest::addColumn<double>("wide");
        QTest::newRow("1.1") << 1.1f << 1.1;
        QTest::newRow("0.1") << 0.1f << 0.1;
        QTest::newRow("2.675") << 2.675f << 2.675;
        QTest::newRow("negative") << -3.3f << -3.3;
        QTest::newRow("tiny") << 1e-7f << 1e-7;
        QTest::newRow("beyond seven digits") << 16777216.0f << 16777220.0;
        QTest::newRow("zero") << 0.0f << 0.0;
    }
    void singleToDouble() {
        QFETCH(float, single);
        QFETCH(double, wide);
        // Exact equality: the widened value must be the double nearest the decimal.
        QCOMPARE(SingleToDouble(single), wide);
    }
};

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "tst_NumberFormat.moc"

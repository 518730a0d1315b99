#include "ui/WindowFont.h"

#include "catalogue/Regional.h"
#include "ui/Ansi.h"

#include <QApplication>
#include <QFont>
#include <QLocale>

namespace ui {

void SetUpApplication(QApplication &app)
{
    // The window sizes were made for MS Sans Serif 8 pt; Liberation Sans has its widths.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    app.setFont(font);
    QApplication::setApplicationName(QStringLiteral("Trolleymind"));
    QApplication::setApplicationDisplayName(QStringLiteral("Trolleymind"));
}

void LoadRegionalSettings()
{
    const QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C) {
        SetCurrentRegional(Regional::EnglishUS());
        return;
    }
    Regional r;
    // A symbol the single-byte texts cannot hold is written as its ISO code ("INR").
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    r.CurrencySymbol = ToAnsi(IsAnsi(symbol) ? symbol
                                             : locale.currencySymbol(QLocale::CurrencyIsoCode));
    // Placement and negative form follow from how the locale writes 1 and -1.
    const QString positive = locale.toCurrencyString(1.0);
    const QString negative = locale.toCurrencyString(-1.0);
    const QString sym = locale.currencySymbol(QLocale::CurrencySymbol);
    const qsizetype at = positive.indexOf(sym);
    const bool before = at == 0;
    const bool spaced = before ? positive.mid(sym.size(), 1).trimmed().isEmpty()
                               : positive.mid(at - 1, 1).trimmed().isEmpty();
    r.CurrencyFormat = before ? (spaced ? 2 : 0) : (spaced ? 3 : 1);
    if (negative.startsWith(QLatin1Char('(')))
        r.NegCurrFormat = before ? (spaced ? 14 : 0) : (spaced ? 15 : 4);
    else if (negative.startsWith(QLatin1Char('-')))
        r.NegCurrFormat = before ? (spaced ? 9 : 1) : (spaced ? 8 : 5);
    else if (negative.startsWith(sym))
        r.NegCurrFormat = spaced ? 12 : 2;
    else
        r.NegCurrFormat = 5;
    r.CurrencyDecimals = 2;
    const QString dec = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    const std::string decAnsi = ToAnsi(dec.left(1));
    const std::string groupAnsi = ToAnsi(group.left(1));
    r.DecimalSeparator = decAnsi.empty() ? '.' : decAnsi[0];
    // A narrow or no-break space groups as a plain blank in the single-byte text.
    r.ThousandSeparator = groupAnsi.empty() || group.at(0).isSpace() ? ' ' : groupAnsi[0];
    r.ShortDateFormat = locale.dateFormat(QLocale::ShortFormat).toStdString();
    SetCurrentRegional(r);
}

} // namespace ui

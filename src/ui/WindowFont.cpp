#include "ui/WindowFont.h"

#include "catalogue/Regional.h"
#include "ui/Ansi.h"
#include "ui/Pictures.h"

#include <QApplication>
#include <QFont>
#include <QLocale>

namespace ui {

void SetUpApplication(QApplication &app) {
    // Every window carries the program's icon, and the desktop matches the windows to
    // the menu entry scripts/desktop-entry installs (trolleymind.desktop).
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("trolleymind"));
    // The window sizes were made for MS Sans Serif 8 pt; Liberation Sans has its widths.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    app.setFont(font);
    // No display name: the window system would append it to every caption ("Shops —
    // Trolleymind"). Captions are exactly as given; the top-level error box names the program.
    QApplication::setApplicationName(QStringLiteral("Trolleymind"));
}

namespace {

// Direction marks that some locales put around amounts; they carry no meaning of their own.
QString WithoutMarks(QString text) {
    for (const char16_t mark : {u'\u061C', u'\u200E', u'\u200F'})
        text.remove(QChar(mark));
    return text;
}

// One character of the file's character set, or `fallback` when there is none.
char AnsiChar(const QString &text, char fallback) {
    return text.size() == 1 && IsAnsi(text) ? ToAnsi(text)[0] : fallback;
}

} // namespace

void LoadRegionalSettings() {
    SetCurrentRegional(RegionalFor(QLocale::system()));
}

Regional RegionalFor(const QLocale &locale) {
    if (locale.language() == QLocale::C)
        return Regional::EnglishUS();
    Regional r;
    // A symbol the single-byte texts cannot hold is written as its ISO code ("INR").
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    r.CurrencySymbol =
        ToAnsi(IsAnsi(symbol) ? symbol : locale.currencySymbol(QLocale::CurrencyIsoCode));
    // Placement and negative form follow from how the locale writes 1 and -1, read with
    // its own minus sign (U+2212 in some) as a plain one.
    const QString sym = WithoutMarks(symbol);
    const QString positive = WithoutMarks(locale.toCurrencyString(1.0));
    QString negative = WithoutMarks(locale.toCurrencyString(-1.0));
    if (const QString minus = WithoutMarks(locale.negativeSign()); !minus.isEmpty())
        negative.replace(minus, QStringLiteral("-"));
    const qsizetype at = sym.isEmpty() ? -1 : positive.indexOf(sym);
    const bool before = at <= 0;
    const bool spaced = at < 0   ? false
                        : before ? positive.mid(sym.size(), 1).trimmed().isEmpty()
                                 : positive.mid(at - 1, 1).trimmed().isEmpty();
    r.CurrencyFormat = before ? (spaced ? 2 : 0) : (spaced ? 3 : 1);
    if (negative.startsWith(QLatin1Char('(')))
        r.NegCurrFormat = before ? (spaced ? 14 : 0) : (spaced ? 15 : 4);
    else if (negative.startsWith(QLatin1Char('-')))
        r.NegCurrFormat = before ? (spaced ? 9 : 1) : (spaced ? 8 : 5);
    else if (negative.endsWith(QLatin1Char('-')))
        r.NegCurrFormat = before ? (spaced ? 11 : 3) : (spaced ? 10 : 7);
    else if (!sym.isEmpty() && negative.startsWith(sym))
        r.NegCurrFormat = spaced ? 12 : 2;
    else
        r.NegCurrFormat = before ? 1 : (spaced ? 8 : 5);
    r.CurrencyDecimals = 2;
    // Separators the file cannot hold (Arabic ones) become the plain ones: a "?" in every
    // amount would make it unreadable.
    r.DecimalSeparator = AnsiChar(locale.decimalPoint(), '.');
    const QString group = locale.groupSeparator();
    if (group.isEmpty())
        r.ThousandSeparator = '\0';
    else if (group.at(0).isSpace()) // a narrow or no-break space groups as a plain blank
        r.ThousandSeparator = ' ';
    else
        r.ThousandSeparator = AnsiChar(group, r.DecimalSeparator == ',' ? '.' : ',');
    r.ShortDateFormat = ToAnsi(locale.dateFormat(QLocale::ShortFormat));
    return r;
}

} // namespace ui

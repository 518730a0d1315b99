#include "help/HelpMarkup.h"

#include "help/HelpDocument.h"

#include <QRegularExpression>

namespace {

QString Escaped(QChar c) {
    return QString(c).toHtmlEscaped();
}

// Position of `what` in `s` from `from` on, skipping characters taken by a backslash.
qsizetype FindUnescaped(const QString &s, QStringView what, qsizetype from) {
    for (qsizetype i = from; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (QStringView(s).mid(i).startsWith(what))
            return i;
    }
    return -1;
}

class InlineMarkup {
public:
    explicit InlineMarkup(const HelpDocument *document) : document_(document) {}

    QString Convert(const QString &s, bool inBold = false) const {
        QString out;
        // Where the last search for a link's "]]" started and what it found: positions only
        // grow, so a later "[[" before that end closes there too, and once none is found
        // none will be. Without this every unclosed "[[" would search to the end again, and a
        // damaged topic full of them would take quadratic time to show.
        qsizetype searchedFrom = -1;
        qsizetype linkEnd = -1;
        const auto closingOf = [&](qsizetype from) {
            if (searchedFrom < 0 || (linkEnd >= 0 && from > linkEnd)) {
                searchedFrom = from;
                linkEnd = FindUnescaped(s, u"]]", from);
            }
            return linkEnd;
        };
        qsizetype i = 0;
        while (i < s.size()) {
            const QChar c = s[i];
            if (c == QLatin1Char('\\') && i + 1 < s.size()) {
                out += Escaped(s[i + 1]);
                i += 2;
                continue;
            }
            if (QStringView(s).mid(i).startsWith(u"[[")) {
                const qsizetype end = closingOf(i + 2);
                if (end >= 0) {
                    out += Link(s.mid(i + 2, end - i - 2));
                    i = end + 2;
                    continue;
                }
            }
            // *bold*: the star must open before a letter and close after one, so that a
            // lone star stays a star.
            if (c == QLatin1Char('*') && !inBold && i + 1 < s.size() && !s[i + 1].isSpace()) {
                const qsizetype end = FindUnescaped(s, u"*", i + 1);
                if (end > i + 1 && !s[end - 1].isSpace()) {
                    out += QStringLiteral("<b>") + Convert(s.mid(i + 1, end - i - 1), true) +
                           QStringLiteral("</b>");
                    i = end + 1;
                    continue;
                }
            }
            out += Escaped(c);
            ++i;
        }
        return out;
    }

private:
    QString Link(const QString &inner) const {
        const qsizetype bar = inner.indexOf(QLatin1Char('|'));
        const QString id = (bar < 0 ? inner : inner.left(bar)).trimmed();
        QString text;
        if (bar >= 0) {
            text = Convert(inner.mid(bar + 1).trimmed(), true);
        } else {
            const HelpTopic *t = document_ ? document_->ById(id) : nullptr;
            text = (t ? t->title : id).toHtmlEscaped();
        }
        return QStringLiteral("<a href=\"topic:%1\">%2</a>").arg(id.toHtmlEscaped(), text);
    }

    const HelpDocument *document_;
};

} // namespace

QString HelpMarkupToHtml(const QString &markup, const HelpDocument *document) {
    enum class Block { None, Paragraph, Bullet, Numbered };
    static const QRegularExpression numbered(QStringLiteral("^\\d+\\.\\s"));
    const InlineMarkup inl(document);

    QString out;
    QString current; // the paragraph or list item being gathered
    Block kind = Block::None;
    Block openList = Block::None;

    auto flush = [&]() {
        if (!current.isEmpty()) {
            const bool para = kind == Block::Paragraph;
            out += (para ? QStringLiteral("<p>") : QStringLiteral("<li>")) + inl.Convert(current) +
                   (para ? QStringLiteral("</p>\n") : QStringLiteral("</li>\n"));
        }
        current.clear();
    };
    auto closeList = [&]() {
        if (openList == Block::Bullet)
            out += QStringLiteral("</ul>\n");
        else if (openList == Block::Numbered)
            out += QStringLiteral("</ol>\n");
        openList = Block::None;
    };
    auto startItem = [&](Block list, const QString &text) {
        flush();
        if (openList != list) {
            closeList();
            out += list == Block::Bullet ? QStringLiteral("<ul>\n") : QStringLiteral("<ol>\n");
            openList = list;
        }
        kind = list;
        current = text.trimmed();
    };

    for (const QString &line : markup.split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty()) {
            flush();
            closeList();
            kind = Block::None;
        } else if (line.startsWith(QLatin1String("# "))) {
            flush();
            closeList();
            out += QStringLiteral("<h3>") + inl.Convert(line.mid(2).trimmed()) +
                   QStringLiteral("</h3>\n");
            kind = Block::None;
        } else if (line.startsWith(QLatin1String("- "))) {
            startItem(Block::Bullet, line.mid(2));
        } else if (const auto m = numbered.match(line); m.hasMatch()) {
            startItem(Block::Numbered, line.mid(m.capturedLength()));
        } else if ((kind == Block::Bullet || kind == Block::Numbered) &&
                   line.startsWith(QLatin1Char(' '))) {
            current += QLatin1Char(' ') + line.trimmed(); // the item goes on
        } else {
            if (kind != Block::Paragraph) {
                flush();
                closeList();
                kind = Block::Paragraph;
            }
            if (!current.isEmpty())
                current += QLatin1Char(' ');
            current += line.trimmed();
        }
    }
    flush();
    closeList();
    return out;
}

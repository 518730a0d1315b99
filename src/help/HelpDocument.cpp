#include "help/HelpDocument.h"
#include "help/HelpMarkup.h"

#include "catalogue/RegularFile.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace {

QString Line(int number, const QString &what) {
    return QStringLiteral("line %1: %2").arg(number).arg(what);
}

bool ValidId(const QString &id) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_-]+$"));
    return pattern.match(id).hasMatch();
}

// Splits "@word rest" into the word and the rest; empty word when the line is no directive.
std::pair<QString, QString> Directive(const QString &line) {
    if (!line.startsWith(QLatin1Char('@')))
        return {};
    const qsizetype space = line.indexOf(QLatin1Char(' '));
    if (space < 0)
        return {line.mid(1), QString()};
    return {line.mid(1, space - 1), line.mid(space + 1).trimmed()};
}

} // namespace

bool HelpDocument::Load(const QString &path, QString *error) {
    std::string bytes;
    int failure = 0;
    switch (ReadRegularFile(path.toStdString(), bytes, &failure)) {
    case ReadResult::Missing:
        *error = QStringLiteral("the file does not exist");
        return false;
    case ReadResult::NotRegular:
        *error = QStringLiteral("it is not a file");
        return false;
    case ReadResult::Failed:
        *error = QString::fromLocal8Bit(std::strerror(failure));
        return false;
    case ReadResult::Ok:
        break;
    }
    return Parse(QByteArray::fromStdString(bytes), error);
}

bool HelpDocument::Parse(const QByteArray &bytes, QString *error) {
    title_.clear();
    topics_.clear();
    index_.clear();

    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(bytes);
    if (decode.hasError()) {
        *error = QStringLiteral("it is not UTF-8 text");
        return false;
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);

    const QStringList first = lines.value(0).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (first.size() != 2 || first[0] != QLatin1String(Magic)) {
        *error = QStringLiteral("it is not a Trolleymind help file");
        return false;
    }
    bool numeric = false;
    const int version = first[1].toInt(&numeric);
    if (!numeric || version != FormatVersion) {
        *error = QStringLiteral("it is written in help file format %1, which this program "
                                "cannot read")
                     .arg(first[1]);
        return false;
    }

    QHash<QString, int> ids;
    QHash<unsigned, int> contexts;
    HelpTopic *topic = nullptr;
    auto fail = [&](int number, const QString &what) {
        *error = Line(number, what);
        topics_.clear();
        return false;
    };
    auto finishTopic = [&]() {
        if (!topic)
            return true;
        while (topic->body.endsWith(QLatin1Char('\n')))
            topic->body.chop(1);
        if (topic->title.isEmpty())
            return fail(topic->line,
                        QStringLiteral("the topic \"%1\" has no @title line").arg(topic->id));
        return true;
    };

    for (int i = 1; i < lines.size(); ++i) {
        const int number = i + 1;
        const QString &line = lines[i];
        const auto [word, rest] = Directive(line);
        if (word == QLatin1String("topic")) {
            if (!finishTopic())
                return false;
            const QStringList parts = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (parts.isEmpty() || parts.size() > 2 || !ValidId(parts[0]))
                return fail(number, QStringLiteral("a topic line reads \"@topic <name> "
                                                   "[<context number>]\""));
            if (ids.contains(parts[0].toCaseFolded()))
                return fail(number,
                            QStringLiteral("the topic name \"%1\" is used twice").arg(parts[0]));
            HelpTopic t;
            t.id = parts[0];
            t.line = number;
            if (parts.size() == 2) {
                bool ok = false;
                const qulonglong context = parts[1].toULongLong(&ok);
                if (!ok || context > 0xFFFFFFFFull)
                    return fail(number,
                                QStringLiteral("\"%1\" is not a context number").arg(parts[1]));
                if (contexts.contains(unsigned(context)))
                    return fail(number,
                                QStringLiteral("context number %1 is used twice").arg(context));
                t.context = unsigned(context);
                contexts.insert(unsigned(context), int(topics_.size()));
            }
            ids.insert(t.id.toCaseFolded(), int(topics_.size()));
            topics_.append(t);
            topic = &topics_.last();
        } else if (word == QLatin1String("title")) {
            if (rest.isEmpty())
                return fail(number, QStringLiteral("the title is empty"));
            (topic ? topic->title : title_) = rest;
        } else if (word == QLatin1String("keywords")) {
            if (!topic)
                return fail(number, QStringLiteral("keywords before the first topic"));
            for (const QString &k : rest.split(QLatin1Char(';')))
                if (!k.trimmed().isEmpty())
                    topic->keywords.append(k.trimmed().simplified());
        } else if (!word.isEmpty()) {
            return fail(number, QStringLiteral("\"@%1\" is not a line this format knows "
                                               "(write \"\\@\" for a text that starts with @)")
                                    .arg(word));
        } else if (topic) {
            if (topic->body.isEmpty() && line.trimmed().isEmpty())
                continue; // blank lines between the head and the text
            topic->body += line + QLatin1Char('\n');
        } else if (!line.trimmed().isEmpty()) {
            return fail(number, QStringLiteral("text before the first @topic line"));
        }
    }
    if (!finishTopic())
        return false;
    if (topics_.isEmpty()) {
        *error = QStringLiteral("it holds no topics");
        return false;
    }
    if (title_.isEmpty())
        title_ = QStringLiteral("Help");
    BuildIndex();
    return true;
}

const HelpTopic *HelpDocument::ById(const QString &id) const {
    for (const HelpTopic &t : topics_)
        if (t.id.compare(id, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const HelpTopic *HelpDocument::ByContext(unsigned context) const {
    for (const HelpTopic &t : topics_)
        if (t.context == context)
            return &t;
    return nullptr;
}

const HelpTopic *HelpDocument::Contents() const {
    if (const HelpTopic *t = ById(QLatin1String(ContentsId)))
        return t;
    return topics_.isEmpty() ? nullptr : &topics_.first();
}

void HelpDocument::BuildIndex() {
    QHash<QString, int> at;
    for (int t = 0; t < topics_.size(); ++t) {
        for (const QString &k : topics_[t].keywords) {
            const QString key = k.toCaseFolded();
            auto found = at.constFind(key);
            if (found == at.constEnd()) {
                at.insert(key, int(index_.size()));
                index_.append({k, {t}});
            } else if (!index_[*found].topics.contains(t)) {
                index_[*found].topics.append(t);
            }
        }
    }
    std::sort(index_.begin(), index_.end(), [](const HelpKeyword &a, const HelpKeyword &b) {
        const int c = a.keyword.compare(b.keyword, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.keyword < b.keyword;
    });
}

QList<int> HelpDocument::MatchKeywords(const QString &typed) const {
    const QString wanted = typed.simplified();
    static const QRegularExpression separators(QStringLiteral("[^\\w]+"));
    QList<int> out;
    for (int i = 0; i < index_.size(); ++i) {
        const QString &k = index_[i].keyword;
        bool match = wanted.isEmpty() || k.startsWith(wanted, Qt::CaseInsensitive);
        if (!match) {
            const QStringList words = k.split(separators, Qt::SkipEmptyParts);
            match = std::any_of(words.begin(), words.end(), [&](const QString &w) {
                return w.startsWith(wanted, Qt::CaseInsensitive);
            });
        }
        if (match)
            out.append(i);
    }
    return out;
}

QString HelpDocument::TopicHtml(const HelpTopic &topic) const {
    const QString heading = QStringLiteral("<h2>%1</h2>\n").arg(topic.title.toHtmlEscaped());
    if (topic.body.size() <= MaxShownBody)
        return heading + HelpMarkupToHtml(topic.body, this);
    // Whole lines only, so that no link or bold text is cut in two.
    qsizetype cut = topic.body.lastIndexOf(QLatin1Char('\n'), MaxShownBody);
    if (cut <= 0)
        cut = MaxShownBody;
    return heading + HelpMarkupToHtml(topic.body.left(cut), this) +
           QStringLiteral("<p><i>This topic is too long to show in full: the rest of it, %1 "
                          "characters, was left out.</i></p>\n")
               .arg(topic.body.size() - cut);
}

QStringList HelpDocument::UnresolvedLinks() const {
    static const QRegularExpression link(QStringLiteral("\\[\\[([^\\]|]*)(\\|[^\\]]*)?\\]\\]"));
    QStringList out;
    for (const HelpTopic &t : topics_) {
        auto it = link.globalMatch(t.body);
        while (it.hasNext()) {
            const QString target = it.next().captured(1).trimmed();
            if (!ById(target))
                out.append(t.id + QStringLiteral(" -> ") + target);
        }
    }
    return out;
}

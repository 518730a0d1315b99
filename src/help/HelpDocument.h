#pragma once
// A help file of our own format (described in help/README.md): its topics, addressed by
// name and by context number, the keyword index built from them, and each topic's text
// turned into the HTML the help viewer shows. Qt Core only, so it is tested without windows.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct HelpTopic {
    QString id;                      // the name links use
    std::optional<unsigned> context; // the number windows open it by
    QString title;
    QStringList keywords;
    QString body; // light markup, as written in the file
    int line = 0; // where it starts in the file, for messages
};

// One entry of the keyword index: the keyword and the topics that carry it.
struct HelpKeyword {
    QString keyword;
    QList<int> topics; // positions in HelpDocument::Topics(), in file order
};

class HelpDocument {
public:
    static constexpr const char *Magic = "TROLLEYMIND-HELP";
    static constexpr int FormatVersion = 1;
    static constexpr const char *ContentsId = "contents";

    // Reads `path`; false (and `error` set to a sentence for the user) when it cannot.
    bool Load(const QString &path, QString *error);
    bool Parse(const QByteArray &bytes, QString *error);

    QString Title() const { return title_; }
    const QList<HelpTopic> &Topics() const { return topics_; }
    const HelpTopic *ById(const QString &id) const;
    const HelpTopic *ByContext(unsigned context) const;
    // The topic named "contents", else the first one.
    const HelpTopic *Contents() const;

    // Every keyword once (the first spelling met), sorted without regard to case.
    const QList<HelpKeyword> &Index() const { return index_; }
    // Positions in Index() of the keywords that `typed` leads to: those that begin with
    // it, or have a word that does, without regard to case. Empty text matches all.
    QList<int> MatchKeywords(const QString &typed) const;

    // The most of a topic's body that is shown: the viewer lays out a larger page too slowly
    // (over a second for 200,000 characters in one paragraph).
    static constexpr qsizetype MaxShownBody = 100000;

    // The topic as HTML: its title as a heading, then its body. Links point to
    // "topic:<id>". Of a body longer than MaxShownBody, the lines that fit are shown and a
    // note says how much was left out.
    QString TopicHtml(const HelpTopic &topic) const;
    // Link targets in the topics that name no topic ("<topic id> -> <target>").
    QStringList UnresolvedLinks() const;

private:
    void BuildIndex();

    QString title_;
    QList<HelpTopic> topics_;
    QList<HelpKeyword> index_;
};

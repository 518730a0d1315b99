// The help file format: reading a file and its faults, contexts, the keyword index and its
// narrowing, the text markup, and the two help files the build puts beside the program.

#include "help/HelpContext.h"
#include "help/HelpDocument.h"
#include "help/HelpMarkup.h"

#include "HelpSamples.h"

#include <QtTest>

#include <set>

namespace {

HelpDocument Parsed(const QByteArray &bytes) {
    HelpDocument d;
    QString error;
    if (!d.Parse(bytes, &error))
        qWarning() << error;
    return d;
}

} // namespace

class TestHelpDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parseFaults_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error"); // empty: the file is read
        const QByteArray head = "TROLLEYMIND-HELP 1\n";
        const QByteArray topic = "@topic a 2\n@title A\ntext\n";
        const struct {
            const char *name;
            QByteArray bytes;
            const char *error;
        } rows[] = {
            {"good", head + topic, ""},
            {"CR LF and byte-order mark",
             "\xEF\xBB\xBF" + QByteArray(head + topic).replace("\n", "\r\n"), ""},
            {"another kind of file", "[Prefs]\n", "not a Trolleymind"},
            {"empty file", "", "not a Trolleymind"},
            {"newer format", "TROLLEYMIND-HELP 2\n" + topic, "format 2"},
            {"text before the first topic", head + "\nstray\n" + topic,
             "line 3: text before the first @topic"},
            {"no topics", head + "@title T\n", "holds no topics"},
            {"topic without a title", head + "@topic a\ntext\n@topic b\n@title B\n",
             "line 2: the topic \"a\""},
            {"context used twice", head + topic + "@topic b 2\n@title B\n",
             "line 5: context number 2"},
            {"name used twice, other capitals", head + topic + "@topic A\n@title B\n",
             "line 5: the topic name \"A\""},
            {"context not a number", head + "@topic a six\n@title A\n",
             "\"six\" is not a context number"},
            {"context too large", head + "@topic a 4294967296\n@title A\n", "not a context number"},
            {"largest context", head + "@topic a 4294967295\n@title A\n", ""},
            {"name with a blank part", head + "@topic a b c\n@title A\n", "line 2: a topic line"},
            {"unknown directive", head + topic + "@see a\n", "line 5: \"@see\""},
            {"escaped directive is text", head + topic + "\\@see a\n", ""},
            {"not UTF-8", head + "@topic a\n@title caf\xE9\n", "not UTF-8"},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.bytes << QString(r.error);
    }
    void parseFaults() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        HelpDocument d;
        QString reason;
        const bool ok = d.Parse(bytes, &reason);
        if (error.isEmpty()) {
            QVERIFY2(ok, qPrintable(reason));
            QVERIFY(d.ById(QStringLiteral("a")));
        } else {
            QVERIFY(!ok);
            QVERIFY2(reason.contains(error), qPrintable(reason));
            QVERIFY(d.Topics().isEmpty());
        }
    }

    void topicsAndContexts() {
        const HelpDocument d = Parsed(Small);
        QCOMPARE(d.Title(), QStringLiteral("Small Help"));
        QCOMPARE(d.Topics().size(), 3);
        QCOMPARE(d.ByContext(6)->id, QStringLiteral("plan"));
        QCOMPARE(d.ByContext(10)->title, QStringLiteral("Shops"));
        QVERIFY(!d.ByContext(0)); // the contents has no number
        QVERIFY(!d.ByContext(7));
        QCOMPARE(d.ById(QStringLiteral("PLAN"))->context, std::optional<unsigned>(6));
        QCOMPARE(d.Contents()->id, QStringLiteral("contents"));
        // Blank lines around a topic's text are not part of it.
        QCOMPARE(d.ById(QStringLiteral("shops"))->body, QStringLiteral("Shops text."));
        QCOMPARE(d.ById(QStringLiteral("plan"))->keywords,
                 (QStringList{"SHOPS", "aisles", "floor plan"}));
        QVERIFY(d.UnresolvedLinks().isEmpty());

        // Without a topic called "contents" the first topic is the contents.
        const HelpDocument bare = Parsed("TROLLEYMIND-HELP 1\n@topic x\n@title X\n[[nowhere]]\n");
        QCOMPARE(bare.Contents()->id, QStringLiteral("x"));
        QCOMPARE(bare.Title(), QStringLiteral("Help"));
        QCOMPARE(bare.UnresolvedLinks(), QStringList{"x -> nowhere"});
    }

    void keywordIndex() {
        const HelpDocument d = Parsed(Small);
        QStringList keywords;
        for (const HelpKeyword &k : d.Index())
            keywords << k.keyword;
        // One entry per keyword whatever its capitals, sorted without regard to case.
        QCOMPARE(keywords,
                 (QStringList{"adding a shop", "aisles", "floor plan", "Shopping list", "shops"}));
        QCOMPARE(d.Index()[4].topics, (QList<int>{1, 2}));
    }

    void narrowing_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("empty shows all")
            << "" << QStringList{"adding a shop", "aisles", "floor plan", "Shopping list", "shops"};
        QTest::newRow("first letters") << "fl" << QStringList{"floor plan"};
        QTest::newRow("other capitals") << "SHOPP" << QStringList{"Shopping list"};
        QTest::newRow("a later word")
            << "shop" << QStringList{"adding a shop", "Shopping list", "shops"};
        QTest::newRow("blanks around") << "  aisl " << QStringList{"aisles"};
        QTest::newRow("two words") << "floor p" << QStringList{"floor plan"};
        QTest::newRow("middle of a word is no match") << "isle" << QStringList{};
        QTest::newRow("nothing") << "zz" << QStringList{};
    }
    void narrowing() {
        QFETCH(QString, typed);
        QFETCH(QStringList, shown);
        const HelpDocument d = Parsed(Small);
        QStringList got;
        for (int i : d.MatchKeywords(typed))
            got << d.Index()[i].keyword;
        QCOMPARE(got, shown);
    }

    void markup_data() {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("html");
        const char *const rows[][3] = {
            {"lines join into a paragraph", "one\ntwo\n\nthree", "<p>one two</p>\n<p>three</p>\n"},
            {"heading", "# Adding\ntext", "<h3>Adding</h3>\n<p>text</p>\n"},
            {"bullets with a continued item", "- a\n  more\n- b\nafter",
             "<ul>\n<li>a more</li>\n<li>b</li>\n</ul>\n<p>after</p>\n"},
            {"numbered", "1. a\n2. b", "<ol>\n<li>a</li>\n<li>b</li>\n</ol>\n"},
            {"list kind changes", "- a\n1. b",
             "<ul>\n<li>a</li>\n</ul>\n<ol>\n<li>b</li>\n</ol>\n"},
            {"bold", "press *Add* now", "<p>press <b>Add</b> now</p>\n"},
            {"lone stars stay", "2 * 3 and *", "<p>2 * 3 and *</p>\n"},
            {"escapes", "\\*not bold\\* \\[[x]] \\\\", "<p>*not bold* [[x]] \\</p>\n"},
            {"escaped bullet and heading", "\\- a\n\\# b", "<p>- a # b</p>\n"},
            {"html is text", "<b>&", "<p>&lt;b&gt;&amp;</p>\n"},
            {"link shows the title", "see [[plan]]",
             "<p>see <a href=\"topic:plan\">Floor plan</a></p>\n"},
            {"link with its own text", "[[shops|the *shops*]]",
             "<p><a href=\"topic:shops\">the *shops*</a></p>\n"},
            {"bold link", "*[[shops]]*", "<p><b><a href=\"topic:shops\">Shops</a></b></p>\n"},
            {"link to no topic shows its name", "[[gone]]",
             "<p><a href=\"topic:gone\">gone</a></p>\n"},
            {"unclosed link", "[[shops", "<p>[[shops</p>\n"},
        };
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
    }
    void markup() {
        QFETCH(QString, markup);
        QFETCH(QString, html);
        const HelpDocument d = Parsed(Small);
        QCOMPARE(HelpMarkupToHtml(markup, &d), html);
    }

    // A damaged topic shows in time proportional to its length, however many of its marks
    // never close.
    void markupOfDamagedTopicsIsLinear_data() {
        QTest::addColumn<QString>("unit");
        QTest::newRow("unclosed links") << "[[a ";
        QTest::newRow("escaped closings") << "[[a\\]] ";
        QTest::newRow("unclosed bold") << "*a ";
    }
    void markupOfDamagedTopicsIsLinear() {
        QFETCH(QString, unit);
        const QString body = unit.repeated(200'000 / int(unit.size()));
        QElapsedTimer timer;
        timer.start();
        const QString html = HelpMarkupToHtml(body, nullptr);
        QVERIFY(html.startsWith("<p>") && !html.contains("<a "));
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    }

    // A body up to the limit is shown whole; a longer one up to its last line break within
    // the limit, with a note of how many characters were left out.
    void longBodiesAreCut_data() {
        QTest::addColumn<int>("lines"); // of ten characters each, the break included
        QTest::addColumn<int>("extra"); // characters after them, without a break
        QTest::addColumn<int>("leftOut");
        QTest::addColumn<int>("shown"); // whole lines
        constexpr int full = int(HelpDocument::MaxShownBody / 10);
        QTest::newRow("short") << 3 << 4 << 0 << 3;
        QTest::newRow("at the limit") << full << 0 << 0 << full;
        QTest::newRow("at the limit, last line unbroken") << full - 1 << 10 << 0 << full - 1;
        QTest::newRow("one over") << full << 1 << 2 << full;
        QTest::newRow("a line over") << full + 1 << 0 << 11 << full;
    }
    void longBodiesAreCut() {
        QFETCH(int, lines);
        QFETCH(int, extra);
        QFETCH(int, leftOut);
        QFETCH(int, shown);
        HelpTopic topic;
        topic.title = QStringLiteral("Long");
        for (int i = 0; i < lines; ++i)
            topic.body += QStringLiteral("%1\n").arg(i, 9, 10, QLatin1Char('0'));
        topic.body += QString(extra, QLatin1Char('x'));
        const QString html = HelpDocument().TopicHtml(topic);
        const QString note = QStringLiteral("the rest of it, %1 characters, was left out.");
        QCOMPARE(html.contains(note.arg(leftOut)), leftOut > 0);
        QCOMPARE(html.contains(QStringLiteral("left out")), leftOut > 0);
        // The last line shown is the last whole one before the cut.
        QVERIFY(html.contains(QStringLiteral("%1").arg(shown - 1, 9, 10, QLatin1Char('0'))));
        QVERIFY(!html.contains(QStringLiteral("%1").arg(shown, 9, 10, QLatin1Char('0'))));
    }

    // The files the build puts beside the program.
    void builtFiles_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QList<unsigned>>("contexts");
        QList<unsigned> windows;
        for (HelpContext c : AllHelpContexts)
            windows << static_cast<unsigned>(c);
        QTest::newRow("Shopping.hlp") << Shopping << windows;
        QTest::newRow("CATALOG.HLP") << Catalog << QList<unsigned>{};
    }
    void builtFiles() {
        QFETCH(QString, path);
        QFETCH(QList<unsigned>, contexts);
        HelpDocument d;
        QString error;
        QVERIFY2(d.Load(path, &error), qPrintable(error));
        QCOMPARE(d.Contents()->id, QStringLiteral("contents"));
        for (unsigned c : contexts) {
            const HelpTopic *t = d.ByContext(c);
            QVERIFY2(t, qPrintable(QString::number(c)));
            QVERIFY(t->body.size() > 400);
            QVERIFY(!t->keywords.isEmpty());
        }
        QCOMPARE(d.UnresolvedLinks(), QStringList{});
        // Every topic can be reached: from the contents, or from a topic that can.
        std::set<QString> reached{d.Contents()->id};
        for (bool grew = true; grew;) {
            grew = false;
            for (const HelpTopic &t : d.Topics())
                if (reached.count(t.id))
                    for (const HelpTopic &u : d.Topics())
                        if (t.body.contains("[[" + u.id + "]]") ||
                            t.body.contains("[[" + u.id + "|"))
                            grew |= reached.insert(u.id).second;
        }
        QCOMPARE(int(reached.size()), int(d.Topics().size()));
    }

    // The windows open their topics by the numbers of HelpContext: each has its topic in
    // the built file, and every numbered topic of the file is one a window opens.
    void helpContextsMatchTheBuiltFile() {
        HelpDocument d;
        QString error;
        QVERIFY2(d.Load(Shopping, &error), qPrintable(error));
        std::set<unsigned> inEnum, inFile;
        for (HelpContext c : AllHelpContexts) {
            const unsigned number = static_cast<unsigned>(c);
            QVERIFY2(inEnum.insert(number).second, "a context listed twice");
            QVERIFY2(d.ByContext(number), qPrintable(QString::number(number)));
        }
        for (const HelpTopic &t : d.Topics())
            if (t.context)
                inFile.insert(*t.context);
        QCOMPARE(inFile, inEnum);
    }
};

QTEST_GUILESS_MAIN(TestHelpDocument)
#include "tst_HelpDocument.moc"
